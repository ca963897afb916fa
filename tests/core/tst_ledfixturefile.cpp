// The 512-byte LED fixture file and the state a save leaves the LED fixture in.

#include "core/LedFixtureFile.h"
#include "tests/support/TestFiles.h"

#include <QtTest>

#include <string>

using namespace fx;
using LedImage = std::array<std::uint8_t, LedFixtureFileSize>;
Q_DECLARE_METATYPE(LedImage)

namespace {

std::size_t recordAt(int position)
{
    return 23 + LedChannelRecordSize * position;
}

std::string textAt(const LedImage& image, std::size_t at, std::size_t n)
{
    return std::string(image.begin() + static_cast<std::ptrdiff_t>(at),
                       image.begin() + static_cast<std::ptrdiff_t>(at + n));
}

// Colour, type and partner of channels 1..count, saved as the editor saves them.
LedImage savedLed(int count, const QList<QList<int>>& channels, const char* name = "Par")
{
    LedFixtureRecord record;
    record.LedChannelCount = static_cast<std::uint8_t>(count);
    for (int p = 0; p < channels.size(); ++p) {
        LedChannelRec& ch = record.LedChannels[p];
        ch.ColourCode = static_cast<std::uint8_t>(channels[p][0]);
        if (ch.ColourCode != 0)
            ch.Name.assign(ledColourName(ch.ColourCode));
        ch.TypeCode = static_cast<std::uint8_t>(channels[p][1]);
        ch.PairChannel = static_cast<std::uint8_t>(channels[p][2]);
    }
    return SaveLedFixtureImage(record, name);
}

} // namespace

class TestLedFixtureFile : public QObject {
    Q_OBJECT

private slots:
    void defaultFixture()
    {
        // tests/data/led-default.tff: name at 1, count 8 at 12, map[0] = 8 (every channel
        // uncoloured), records of 17 bytes from 23: LTP ('L') with 12 zero name bytes for the eight
        // in use, blank names for the other two; 0x20 at 511.
        LedFixtureRecord record;
        COMPARE_GOLDEN("led-default.tff", SaveLedFixtureImage(record, "New Fixture"));
    }

    void colours_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<QList<int>>("colourCodes"); // positions 0..9
        QTest::addColumn<QList<int>>("map");
        QTest::addColumn<QByteArray>("letters"); // colour letter byte of records 0..9, '.' for 0

        QTest::newRow("green twice")
            << 8 << QList<int>{0, 0, 2, 0, 2, 0, 0, 0, 0, 0}
            << QList<int>{8, 0, 5, 0, 0, 0, 0, 0, 0, 0} << QByteArray("..G.G.....");
        QTest::newRow("every colour, ten channels")
            << 10 << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 0}
            << QList<int>{10, 1, 2, 3, 4, 5, 6, 7, 8, 9} << QByteArray("RGBACWMSD.");
        QTest::newRow("colour beyond the count not mapped")
            << 3 << QList<int>{1, 0, 0, 0, 3, 0, 0, 0, 0, 0}
            << QList<int>{3, 1, 0, 0, 0, 0, 0, 0, 0, 0} << QByteArray("R.........");
    }

    void colours()
    {
        QFETCH(int, count);
        QFETCH(QList<int>, colourCodes);
        QFETCH(QList<int>, map);
        QFETCH(QByteArray, letters);

        LedFixtureRecord record;
        record.LedChannelCount = static_cast<std::uint8_t>(count);
        for (int p = 0; p < 10; ++p)
            record.LedChannels[p].ColourCode = static_cast<std::uint8_t>(colourCodes[p]);
        const auto image = SaveLedFixtureImage(record, "Par");

        QCOMPARE(int(image[12]), count);
        for (int c = 0; c < 10; ++c) {
            QCOMPARE(int(image[13 + c]), map[c]);
            QCOMPARE(int(record.ColourChannelMap[c]), map[c]);
            // The colour code stays in every record; the letter only in records in use.
            QCOMPARE(int(image[recordAt(c)]), colourCodes[c]);
            QCOMPARE(int(image[recordAt(c) + 4]), letters[c] == '.' ? 0 : int(letters[c]));
        }
    }

    void types_data()
    {
        QTest::addColumn<QList<int>>("types"); // positions 0..7, count 8
        QTest::addColumn<QList<int>>("pairs");
        QTest::addColumn<QByteArray>("letters");
        QTest::addColumn<QList<int>>("typesAfter");

        QTest::newRow("plain") << QList<int>{0, 1, 2, 0, 0, 0, 0, 0}
                               << QList<int>{0, 0, 0, 0, 0, 0, 0, 0} << QByteArray("LHILLLLL")
                               << QList<int>{0, 1, 2, 0, 0, 0, 0, 0};
        // Channel 3 instant high with pair 4: channel 4 is written with its own letter and is the
        // low half afterwards.
        QTest::newRow("instant high names an LTP channel")
            << QList<int>{0, 0, 3, 0, 0, 0, 0, 0} << QList<int>{0, 0, 4, 0, 0, 0, 0, 0}
            << QByteArray("LLSLLLLL") << QList<int>{0, 0, 3, 4, 0, 0, 0, 0};
        QTest::newRow("fadeable pair")
            << QList<int>{6, 5, 0, 0, 0, 0, 0, 0} << QList<int>{0, 1, 0, 0, 0, 0, 0, 0}
            << QByteArray("OsLLLLLL") << QList<int>{6, 5, 0, 0, 0, 0, 0, 0};
        QTest::newRow("fadeable low that no high names")
            << QList<int>{0, 0, 0, 0, 6, 0, 0, 0} << QList<int>{0, 0, 0, 0, 0, 0, 0, 0}
            << QByteArray("LLLLOLLL") << QList<int>{0, 0, 0, 0, 0, 0, 0, 0};
        QTest::newRow("high without a pair")
            << QList<int>{5, 0, 0, 0, 0, 0, 0, 0} << QList<int>{0, 0, 0, 0, 0, 0, 0, 0}
            << QByteArray("sLLLLLLL") << QList<int>{5, 0, 0, 0, 0, 0, 0, 0};
    }

    void types()
    {
        QFETCH(QList<int>, types);
        QFETCH(QList<int>, pairs);
        QFETCH(QByteArray, letters);
        QFETCH(QList<int>, typesAfter);

        LedFixtureRecord record;
        for (int p = 0; p < 8; ++p) {
            record.LedChannels[p].TypeCode = static_cast<std::uint8_t>(types[p]);
            record.LedChannels[p].PairChannel = static_cast<std::uint8_t>(pairs[p]);
        }
        const auto image = SaveLedFixtureImage(record, "Bar");
        for (int p = 0; p < 8; ++p) {
            QCOMPARE(char(image[recordAt(p) + 1]), letters[p]);
            QCOMPARE(int(image[recordAt(p) + 3]), pairs[p]);
            QCOMPARE(int(record.LedChannels[p].TypeCode), typesAfter[p]);
        }
        // A second save of the normalised fixture writes the same types.
        const auto again = SaveLedFixtureImage(record, "Bar");
        for (int p = 0; p < 8; ++p)
            QCOMPARE(int(record.LedChannels[p].TypeCode), typesAfter[p]);
        QCOMPARE(textAt(again, 1, 11), std::string("Bar        "));
    }

    void unusedPositions()
    {
        LedFixtureRecord record;
        record.LedChannelCount = 10;
        for (int p = 0; p < 10; ++p) {
            record.LedChannels[p] = {static_cast<std::uint8_t>(p % 9 + 1),
                                     2,
                                     0,
                                     3,
                                     0,
                                     FixedText<12>::fromText("Cell " + std::to_string(p))};
        }
        auto image = SaveLedFixtureImage(record, "A name longer than eleven");
        QCOMPARE(textAt(image, 1, 11), std::string("A name long"));
        for (int p = 0; p < 10; ++p) // ten channels: nothing cleared
            QCOMPARE(textAt(image, recordAt(p) + 5, 12), record.LedChannels[p].Name.str());

        record.LedChannelCount = 6;
        image = SaveLedFixtureImage(record, "");
        QCOMPARE(textAt(image, 1, 11), std::string(11, ' '));
        for (int p = 6; p < 10; ++p) {
            QCOMPARE(int(image[recordAt(p)]), p % 9 + 1); // the colour code stays
            for (int k = 1; k < 5; ++k)
                QCOMPARE(int(image[recordAt(p) + k]), 0);
            QCOMPARE(textAt(image, recordAt(p) + 5, 12), std::string(12, ' '));
            QCOMPARE(int(record.LedChannels[p].PairChannel), 0);
            QVERIFY(record.LedChannels[p].Name.isBlank());
        }
        for (std::size_t i = 193; i < 511; ++i)
            QCOMPARE(int(image[i]), 0);
        QCOMPARE(int(image[511]), 0x20);
    }

    void reopenedFilesSaveTheSameBytes_data()
    {
        QTest::addColumn<LedImage>("image");
        QTest::newRow("default") << savedLed(8, {});
        QTest::newRow("RGBW, dimmer")
            << savedLed(5, {{1, 0, 0}, {2, 1, 0}, {3, 2, 0}, {6, 0, 0}, {7, 1, 0}});
        QTest::newRow("16-bit pairs of both kinds")
            << savedLed(10, {{7, 3, 2}, {7, 4, 0}, {8, 5, 4}, {8, 6, 0}, {1, 0, 0}, {2, 0, 0}});
        QTest::newRow("low type no high channel names") << savedLed(3, {{1, 6, 0}, {2, 4, 0}});
        QTest::newRow("one channel, blank name") << savedLed(1, {{9, 2, 0}}, "");
        // A fixture saved with 10 channels, then with 4: positions 5 to 10 keep their colour code.
        QTest::newRow("positions beyond the count") << [] {
            LedFixtureRecord record;
            record.LedChannelCount = 10;
            for (int p = 0; p < 10; ++p)
                record.LedChannels[p].ColourCode = static_cast<std::uint8_t>(p % 9 + 1);
            SaveLedFixtureImage(record, "Ten");
            record.LedChannelCount = 4;
            return SaveLedFixtureImage(record, "Four");
        }();
    }

    void reopenedFilesSaveTheSameBytes()
    {
        QFETCH(LedImage, image);
        LedFixtureRecord record;
        QCOMPARE(ReadLedFixtureImage(image, record), std::string());
        for (int p = 0; p < record.LedChannelCount; ++p)
            QVERIFY(record.LedChannels[p].TypeCode <= 6);
        const std::string name(record.LedFixtureName.bytes.begin(),
                               record.LedFixtureName.bytes.end());
        const LedImage again = SaveLedFixtureImage(record, name);
        COMPARE_IMAGES(again, image);
    }

    void refusedFiles_data()
    {
        QTest::addColumn<int>("offset"); // -1: the file is `value` bytes long
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty") << -1 << 0 << "0 bytes long";
        QTest::newRow("a fixture setup file") << -1 << 6144 << "6144 bytes long";
        QTest::newRow("511 bytes") << -1 << 511 << "511 bytes";
        QTest::newRow("reserved byte") << 0 << 1 << "first byte";
        QTest::newRow("count 0") << 12 << 0 << "channel count 0";
        QTest::newRow("count 11") << 12 << 11 << "channel count 11";
        QTest::newRow("control byte in name") << 3 << 9 << "control byte";
        QTest::newRow("map disagrees") << 15 << 1 << "colour channel map";
        QTest::newRow("colour code 10") << int(recordAt(0)) << 10 << "colour code 10";
        QTest::newRow("type letter A") << int(recordAt(1) + 1) << int('A') << "channel 2";
        QTest::newRow("reserved in record") << int(recordAt(2) + 2) << 1 << "channel 3";
        QTest::newRow("partner beyond count") << int(recordAt(0) + 3) << 5 << "partner 5";
        QTest::newRow("colour letter") << int(recordAt(0) + 4) << int('G') << "colour letter";
        QTest::newRow("unused record typed") << int(recordAt(5) + 1) << int('L') << "channel 6";
        QTest::newRow("padding") << 300 << 1 << "byte 300";
        QTest::newRow("last byte") << 511 << 0 << "last byte";
    }

    void refusedFiles()
    {
        QFETCH(int, offset);
        QFETCH(int, value);
        QFETCH(QString, message);
        const LedImage valid = savedLed(4, {{1, 3, 2}, {1, 4, 0}, {3, 0, 0}});
        std::vector<std::uint8_t> bytes(valid.begin(), valid.end());
        if (offset < 0)
            bytes.resize(static_cast<std::size_t>(value), 0);
        else
            bytes[static_cast<std::size_t>(offset)] = static_cast<std::uint8_t>(value);

        LedFixtureRecord record;
        record.LedChannels[2].ColourCode = 5;
        record.LedFixtureName.assign("Kept");
        const LedFixtureRecord before = record;
        const std::string error = ReadLedFixtureImage(bytes, record);
        QVERIFY2(error.find(message.toStdString()) != std::string::npos, error.c_str());
        QVERIFY(record == before);
    }
};

QTEST_APPLESS_MAIN(TestLedFixtureFile)
#include "tst_ledfixturefile.moc"
