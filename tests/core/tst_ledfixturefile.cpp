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
        QTest::addColumn<QByteArray>("colourCodes"); // positions 1..10
        QTest::addColumn<QList<int>>("map");
        QTest::addColumn<QByteArray>("letters"); // colour letter byte of records 1..10, '.' for 0
        QTest::newRow("green twice")
            << 8 << QByteArray("0020200000") << QList<int>{8, 0, 5, 0, 0, 0, 0, 0, 0, 0}
            << QByteArray("..G.G.....");
        QTest::newRow("every colour, ten channels")
            << 10 << QByteArray("1234567890") << QList<int>{10, 1, 2, 3, 4, 5, 6, 7, 8, 9}
            << QByteArray("RGBACWMSD.");
        QTest::newRow("colour beyond the count not mapped")
            << 3 << QByteArray("1000300000") << QList<int>{3, 1, 0, 0, 0, 0, 0, 0, 0, 0}
            << QByteArray("R.........");
    }

    void colours()
    {
        QFETCH(int, count);
        QFETCH(QByteArray, colourCodes);
        QFETCH(QList<int>, map);
        QFETCH(QByteArray, letters);

        LedFixtureRecord record;
        record.LedChannelCount = static_cast<std::uint8_t>(count);
        for (int p = 0; p < 10; ++p)
            record.LedChannels[p].ColourCode = static_cast<std::uint8_t>(colourCodes[p] - '0');
        const auto image = SaveLedFixtureImage(record, "Par");

        QCOMPARE(int(image[12]), count);
        for (int c = 0; c < 10; ++c) {
            QCOMPARE(int(image[13 + c]), map[c]);
            QCOMPARE(int(record.ColourChannelMap[c]), map[c]);
            // The colour code stays in every record; the letter only in records in use.
            QCOMPARE(int(image[recordAt(c)]), colourCodes[c] - '0');
            QCOMPARE(int(image[recordAt(c) + 4]), letters[c] == '.' ? 0 : int(letters[c]));
        }
    }

    void types_data()
    {
        // Positions 1..8 of an 8-channel fixture one digit or letter each.
        QTest::addColumn<QByteArray>("types");
        QTest::addColumn<QByteArray>("pairs");
        QTest::addColumn<QByteArray>("letters");
        QTest::addColumn<QByteArray>("typesAfter");
        const auto row = [](const char* name, const char* types, const char* pairs,
                            const char* letters, const char* after) {
            QTest::newRow(name) << QByteArray(types) << QByteArray(pairs) << QByteArray(letters)
                                << QByteArray(after);
        };
        row("plain", "01200000", "00000000", "LHILLLLL", "01200000");
        // An instant high naming an LTP channel: that one keeps its letter and is the low half.
        row("instant high names an LTP channel", "00300000", "00400000", "LLSLLLLL", "00340000");
        row("fadeable pair", "65000000", "01000000", "OsLLLLLL", "65000000");
        row("fadeable low that no high names", "00006000", "00000000", "LLLLOLLL", "00000000");
        row("high without a pair", "50000000", "00000000", "sLLLLLLL", "50000000");
    }

    void types()
    {
        QFETCH(QByteArray, types);
        QFETCH(QByteArray, pairs);
        QFETCH(QByteArray, letters);
        QFETCH(QByteArray, typesAfter);

        LedFixtureRecord record;
        for (int p = 0; p < 8; ++p) {
            record.LedChannels[p].TypeCode = static_cast<std::uint8_t>(types[p] - '0');
            record.LedChannels[p].PairChannel = static_cast<std::uint8_t>(pairs[p] - '0');
        }
        const auto image = SaveLedFixtureImage(record, "Bar");
        for (int p = 0; p < 8; ++p) {
            QCOMPARE(char(image[recordAt(p) + 1]), letters[p]);
            QCOMPARE(int(image[recordAt(p) + 3]), pairs[p] - '0');
            QCOMPARE(int(record.LedChannels[p].TypeCode), typesAfter[p] - '0');
        }
    }

    void unusedPositions()
    {
        // tests/data/led-six-of-ten.tff: ten channels saved as six, without a name: positions 7 to
        // 10 keep only their colour code, bytes 193 to 510 are 0, byte 511 a blank.
        LedFixtureRecord record;
        record.LedChannelCount = 10;
        for (int p = 0; p < 10; ++p) {
            record.LedChannels[p] = {std::uint8_t(p % 9 + 1), 2, 0, 3, 0, {}};
            record.LedChannels[p].Name.assign("Cell " + std::to_string(p));
        }
        const LedImage ten = SaveLedFixtureImage(record, "A name longer than eleven");
        QCOMPARE(textAt(ten, 1, 11), std::string("A name long"));
        QCOMPARE(textAt(ten, recordAt(9) + 5, 12), std::string("Cell 9      "));
        record.LedChannelCount = 6;
        const LedImage six = SaveLedFixtureImage(record, "");
        COMPARE_GOLDEN("led-six-of-ten.tff", six);
        QCOMPARE(int(record.LedChannels[9].PairChannel), 0); // the record is cleared as well
        QVERIFY(record.LedChannels[9].Name.isBlank());
        QCOMPARE(ReadLedFixtureImage(six, record), std::string()); // and saves the same again
        COMPARE_IMAGES(SaveLedFixtureImage(record, ""), six);
    }

    void reopenedFilesSaveTheSameBytes_data()
    {
        QTest::addColumn<LedImage>("image");
        QTest::newRow("default") << savedLed(8, {});
        const QList<QList<int>> everyType{{7, 3, 2}, {7, 4, 0}, {8, 5, 4}, {8, 6, 0},
                                          {3, 0, 0}, {4, 1, 0}, {5, 2, 0}, {6, 0, 0}};
        QTest::newRow("every type, colours 3 to 8") << savedLed(10, everyType);
        QTest::newRow("low type no high channel names") << savedLed(3, {{1, 6, 0}, {2, 4, 0}});
        QTest::newRow("one channel, blank name") << savedLed(1, {{9, 2, 0}}, "");
    }

    void reopenedFilesSaveTheSameBytes()
    {
        QFETCH(LedImage, image);
        LedFixtureRecord record;
        QCOMPARE(ReadLedFixtureImage(image, record), std::string());
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
