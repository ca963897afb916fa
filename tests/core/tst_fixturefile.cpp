// Byte images of the fixture setup file: what the editor's save writes and what an open reads.

#include "SampleFixtures.h"
#include "core/FixtureFile.h"
#include "core/PaletteStore.h"
#include "tests/support/TestFiles.h"

#include <QtTest>

#include <memory>
#include <string>

using namespace fx;
using samples::newFixture;

namespace {

FixtureImage saved(FixtureRecord& r)
{
    BuildFuncMap(r);
    return WriteFixtureImage(r);
}

std::size_t channelAt(int channel)
{
    return ChannelRecordsOffset + ChannelRecordSize * channel;
}

std::string textAt(const FixtureImage& image, std::size_t at, std::size_t n)
{
    return std::string(image.begin() + static_cast<std::ptrdiff_t>(at),
                       image.begin() + static_cast<std::ptrdiff_t>(at + n));
}

} // namespace

class TestFixtureFile : public QObject {
    Q_OBJECT

private slots:
    void newEightChannelFixture()
    {
        // tests/data/new8.tff: name at 1, count 8 at 12, FuncMap[0] = 8 (the last channel without a
        // function), blank palette names at 283 and entry names at 343, eight LTP channel records
        // numbered 1 to 8 with blank names at 1043, channels 9 to 40 all zero, 204 blank step
        // names.
        auto r = newFixture(8);
        const FixtureImage image = saved(*r);
        COMPARE_GOLDEN("new8.tff", image);

        auto back = std::make_unique<FixtureRecord>();
        QCOMPARE(ReadFixtureImage(image, *back), std::string());
        QVERIFY(back->FixHeader == r->FixHeader);
        QVERIFY(back->Channels == r->Channels);
    }

    void sixteenBitPairs_data()
    {
        // Channels 1..8 one digit or letter each: type codes and partners set, the type letters
        // written, and the type codes after the save in memory and after an open.
        QTest::addColumn<QByteArray>("types");
        QTest::addColumn<QByteArray>("pairs");
        QTest::addColumn<QByteArray>("letters");
        QTest::addColumn<QByteArray>("typesAfter");
        const auto row = [](const char* name, const char* types, const char* pairs,
                            const char* letters, const char* after) {
            QTest::newRow(name) << QByteArray(types) << QByteArray(pairs) << QByteArray(letters)
                                << QByteArray(after);
        };
        row("plain types", "01201200", "00000000", "LHILHILL", "01201200");
        row("fadeable high, partner after", "56000000", "20000000", "sALLLLLL", "56000000");
        row("instant high, partner before", "40300000", "00100000", "ALSLLLLL", "40300000");
        row("two pairs of both kinds", "34562001", "21430000", "SAsAILLH", "34562001");
        // A low channel that no high channel names is written as what the save leaves: LTP.
        row("pair changed back to plain", "06000000", "20000000", "LLLLLLLL", "00000000");
        row("chained highs", "33400000", "23000000", "SALLLLLL", "34000000");
        row("high paired with itself", "30000000", "10000000", "LLLLLLLL", "00000000");
        row("low named by a high of the other kind", "36000000", "20000000", "SALLLLLL",
            "34000000");
        row("high without partner", "50000000", "00000000", "sLLLLLLL", "50000000");
    }

    void sixteenBitPairs()
    {
        QFETCH(QByteArray, types);
        QFETCH(QByteArray, pairs);
        QFETCH(QByteArray, letters);
        QFETCH(QByteArray, typesAfter);

        auto r = newFixture(8);
        for (int i = 0; i < 8; ++i) {
            r->Channels[i].ChType = static_cast<std::uint8_t>(types[i] - '0');
            r->Channels[i].PairChannel = static_cast<std::uint8_t>(pairs[i] - '0');
        }
        const FixtureImage image = saved(*r);
        auto back = std::make_unique<FixtureRecord>();
        QCOMPARE(ReadFixtureImage(image, *back), std::string());
        NormaliseChannelTypes(*r);
        // Saving what was opened writes the letters of what the editor shows: the same file
        // unless a low channel had no high channel naming it.
        const FixtureImage resaved = saved(*back);
        for (int i = 0; i < 8; ++i) {
            QCOMPARE(char(image[channelAt(i) + 1]), letters[i]);
            QCOMPARE(int(image[channelAt(i) + 3]), pairs[i] - '0');
            QCOMPARE(int(back->Channels[i].PairChannel), pairs[i] - '0');
            QCOMPARE(int(back->Channels[i].ChType), typesAfter[i] - '0');
            QCOMPARE(int(r->Channels[i].ChType), typesAfter[i] - '0');
            QCOMPARE(int(resaved[channelAt(i) + 1]), int(typeLetter(typesAfter[i] - '0')));
        }
    }

    // A low 16-bit type that no high channel names, in a file: as the letter, and as the bare
    // type code a channel beyond the count keeps. Open, save, open and save again: the same
    // bytes, and the channel is LTP in both the editor and the file.
    void orphanLowTypeSavesStably()
    {
        for (const int typeByte : {int('A'), 4, 6}) {
            FixtureImage file = WriteFixtureImage(*newFixture());
            file[channelAt(2) + 1] = std::uint8_t(typeByte);
            auto record = newFixture();
            QCOMPARE(ReadFixtureImage(file, *record), std::string());
            const FixtureImage first = WriteFixtureImage(*record);
            NormaliseChannelTypes(*record);
            QCOMPARE(int(record->Channels[2].ChType), int(TypeLtp));
            QCOMPARE(int(first[channelAt(2) + 1]), int('L'));
            QCOMPARE(ReadFixtureImage(first, *record), std::string());
            QVERIFY(WriteFixtureImage(*record) == first);
        }
    }

    void functionCodesOnReading_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("channel"); // 0-based; the fixture has 8 channels
        QTest::addColumn<int>("storedCode");
        QTest::addColumn<int>("codeAfterOpen");

        QTest::newRow("Pan") << "Pan" << 0 << 0 << 6;
        QTest::newRow("Colour") << "Colour" << 7 << 200 << 9;
        QTest::newRow("pan in lower case") << "pan" << 3 << 17 << 17;
        QTest::newRow("Colour1 is not Colour") << "Colour1" << 4 << 8 << 8;
        QTest::newRow("leading blank") << " Pan" << 4 << 0 << 0;
        QTest::newRow("channel not in use") << "Pan" << 9 << 0 << 0;
    }

    void functionCodesOnReading()
    {
        QFETCH(QString, name);
        QFETCH(int, channel);
        QFETCH(int, storedCode);
        QFETCH(int, codeAfterOpen);

        auto r = newFixture(8);
        r->Channels[channel].ChName.assign(name.toStdString());
        r->Channels[channel].FuncCode = static_cast<std::uint8_t>(storedCode);
        const FixtureImage image = saved(*r);
        QCOMPARE(int(image[channelAt(channel)]), storedCode);

        auto back = std::make_unique<FixtureRecord>();
        QCOMPARE(ReadFixtureImage(image, *back), std::string());
        QCOMPARE(int(back->Channels[channel].FuncCode), codeAfterOpen);
    }

    void smallFixture()
    {
        // tests/data/small12.tff, saved with 8 of 12 channels in use: FuncMap 0..12 8 0 0 3 0 0 5
        // 0... (code 6 on channels 2 and 5, the higher wins; 0: channel 8 is the last without a
        // function), degrees 720 and 270 high byte first at 269; channel 10 still written with its
        // raw type code and name. Palette 1 was sized with 12 channels: its entries carry 1, only
        // channel 3 packed (3 0 3 77 at 2048); palette 2, entry 4 stores channels 2 and 5 (2 5 17
        // 230), not the unselected channel 1.
        auto r = newFixture(12);
        r->Channels[9].ChName.assign("Gobo");
        r->Channels[9].ChType = TypeInstant16H;
        r->Channels[9].FuncCode = 12;
        r->Channels[10].FuncCode = 9;
        r->Channels[1].FuncCode = r->Channels[4].FuncCode = 6;
        r->Channels[2].FuncCode = 3;
        r->MaxPanDegree = 720;
        r->MaxTiltDegree = 270;
        r->PalChannels = 12;
        r->PalName[0] = paletteNameFromText("Mix");
        r->PalChannelUsed[0][2] = r->PalChannelUsed[0][10] = 1;
        r->PalEntryName[0][0] = paletteNameFromText("A");
        r->PalEntryName[0][1] = paletteNameFromText("B");
        r->PalValue[0][1][2] = 77;
        r->PalName[1] = paletteNameFromText("Gobos");
        r->PalChannelUsed[1][1] = r->PalChannelUsed[1][4] = 1;
        r->PalEntryName[1][3] = paletteNameFromText("Open");
        r->PalValue[1][3][1] = 17;
        r->PalValue[1][3][4] = 230;
        r->PalValue[1][3][0] = 99;
        UpdatePaletteUse(*r);
        r->FixHeader.NumChannels = 8;
        const FixtureImage image = saved(*r);
        COMPARE_GOLDEN("small12.tff", image);

        auto back = newFixture(8);
        QCOMPARE(ReadFixtureImage(image, *back), std::string());
        QCOMPARE(int(back->MaxTiltDegree), 270);
        QCOMPARE(back->PalValue[1][3], (std::array<std::uint8_t, 40>{0, 17, 0, 0, 230}));
        // The selection comes from the first stored entry, so saving what was opened loses nothing.
        QCOMPARE(back->PalChannelUsed[0], (std::array<std::uint8_t, 40>{0, 0, 1}));
        COMPARE_IMAGES(saved(*back), image);

        // Degrees above what the editor shows (32767 and 721) are kept on opening, with a note.
        FixtureImage wide = image;
        std::copy_n(std::array<std::uint8_t, 4>{127, 255, 2, 209}.begin(), 4, wide.begin() + 269);
        std::vector<std::string> notes;
        QCOMPARE(ReadFixtureImage(wide, *back, &notes), std::string());
        QCOMPARE(int(back->MaxPanDegree), 32767);
        QCOMPARE(notes.size(), std::size_t(2));
        QVERIFY2(notes[1].find("721") != std::string::npos, notes[1].c_str());
    }

    void steps205()
    {
        auto r = newFixture(8);
        r->StepCount[0] = 200;
        for (int k = 0; k < 200; ++k)
            r->Steps[0][k] = {static_cast<std::uint8_t>(k), static_cast<std::uint8_t>(k + 1),
                              FixedText<8>::fromText("Step" + std::to_string(k))};
        r->StepCount[3] = 5;
        for (int k = 0; k < 5; ++k)
            r->Steps[3][k] = {static_cast<std::uint8_t>(10 * k), 255,
                              FixedText<8>::fromText("Gobo " + std::to_string(k))};
        const FixtureImage image = saved(*r);

        // The count says what the slots hold: 4 of the channel's 5 steps.
        QCOMPARE(int(image[1803 + 3]), 4);
        const std::size_t slot199 = 4096 + 10 * 199;
        QCOMPARE(int(image[slot199]), 199);
        QCOMPARE(textAt(image, slot199 + 2, 8), std::string("Step199 "));
        const std::size_t slot203 = 4096 + 10 * 203;
        QCOMPARE(int(image[slot203]), 30);
        QCOMPARE(textAt(image, slot203 + 2, 8), std::string("Gobo 3  "));
        QCOMPARE(textAt(image, 6136, 8), std::string(8, 0));

        // An open shows what the file holds and nothing of the fixture edited before it.
        auto back = newFixture(8);
        back->Steps[3][4] = {1, 2, FixedText<8>::fromText("STALE")};
        back->StepCount[3] = 5;
        std::vector<std::string> notes;
        QCOMPARE(ReadFixtureImage(image, *back, &notes), std::string());
        QVERIFY(notes.empty());
        QCOMPARE(int(back->StepCount[3]), 4);
        QCOMPARE(back->Steps[3][3], r->Steps[3][3]);
        QCOMPARE(back->Steps[3][4], (StepInfo{0, 0, FixedText<8>::blanks()}));
        QCOMPARE(back->Steps[0][199], r->Steps[0][199]);
        // Saving what was opened gives the same file.
        COMPARE_IMAGES(saved(*back), image);

        // Counts that promise more than the slots hold, as another tool may write them, are cut.
        FixtureImage promised = image;
        promised[1803 + 3] = 255;
        promised[1803 + 5] = 2;
        back->Steps[3][4].StepName.assign("STALE");
        QCOMPARE(ReadFixtureImage(promised, *back, &notes), std::string());
        QCOMPARE(int(back->StepCount[3]), 4);
        QCOMPARE(int(back->StepCount[5]), 0);
        QVERIFY(back->Steps[3][4].StepName.isBlank());
        QCOMPARE(notes.size(), std::size_t(2));
        QVERIFY2(notes[0].find("Channel 4 records 255 steps, but the file holds only 4") !=
                     std::string::npos,
                 notes[0].c_str());
        QVERIFY2(notes[1].find("Channel 6") != std::string::npos, notes[1].c_str());
    }

    void threeFullPalettes()
    {
        // Ten palettes of 40 channels in ten entries (80 bytes an entry): the block holds two and a
        // half of them; the 204 steps follow it.
        auto r = samples::fullFixture();
        ApplyFixedFunctionCodes(*r); // "Pan" and "Tilt" take 6 and 7, as an open gives them
        const FixtureImage image = saved(*r);
        const auto block = [&](int q) { return int(image[2048 + q]); };

        // Palette 1, entry 1: the channel numbers, then their values.
        for (int j = 0; j < 40; ++j) {
            QCOMPARE(block(j), j + 1);
            QCOMPARE(block(40 + j), int(r->PalValue[0][0][j]));
        }
        // Palette 3, entry 5 (the last whole one) at 1920..1999; entry 6 cut to 8 channels.
        QCOMPARE(block(1920), 1);
        QCOMPARE(block(1999), int(r->PalValue[2][4][39]));
        for (int j = 0; j < 8; ++j) {
            QCOMPARE(block(2000 + j), j + 1);
            QCOMPARE(block(2040 + j), int(r->PalValue[2][5][j]));
        }
        QCOMPARE(textAt(image, 2048 + 2008, 32), std::string(32, 0));
        // Entries of which nothing is stored are written as empty; the cut one keeps its size.
        for (int e = 0; e < 20; ++e)
            QCOMPARE(int(image[943 + 20 + e]), e <= 5 ? 40 : 0);

        // Read back without failing, with what the block holds and the steps after it.
        auto back = newFixture(8);
        QCOMPARE(ReadFixtureImage(image, *back), std::string());
        QCOMPARE(back->PalValue[2][4], r->PalValue[2][4]);
        QCOMPARE(int(back->PalValue[2][5][7]), int(r->PalValue[2][5][7]));
        QCOMPARE(int(back->PalValue[2][5][8]), 0);
        QVERIFY(back->Steps == r->Steps);
        COMPARE_IMAGES(saved(*back), image);
    }

    void refusedFiles_data()
    {
        // Every length but 6144 is refused in tst_fixturereader_badinput.
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("message");

        QTest::newRow("count 41") << 12 << 41 << "channel count 41 is over 40";
        QTest::newRow("count 0") << 12 << 0 << "channel count 0";
        QTest::newRow("partner 57") << int(channelAt(2) + 3) << 57
                                    << "channel 3 names partner 57, which is not a channel 1 to 40";
        QTest::newRow("pan high byte 128") << 13 + 256 << 128 << "degree";
        QTest::newRow("tilt high byte 255") << 13 + 258 << 255 << "degree";
        QTest::newRow("type byte X") << int(channelAt(5) + 1) << int('X') << "channel 6";
    }

    void refusedFiles()
    {
        QFETCH(int, offset);
        QFETCH(int, value);
        QFETCH(QString, message);

        auto source = newFixture(8);
        source->Channels[2].ChType = TypeInstant16H; // its partner is what the row changes
        source->Channels[2].PairChannel = 4;
        FixtureImage bytes = saved(*source);
        bytes[static_cast<std::size_t>(offset)] = static_cast<std::uint8_t>(value);
        auto edited = samples::edgeFixture();
        const FixtureRecord before = *edited;
        const std::string error = ReadFixtureImage(bytes, *edited);
        QVERIFY2(error.find(message.toStdString()) != std::string::npos, error.c_str());
        QVERIFY(error.find('\n') == std::string::npos);
        QVERIFY(*edited == before);
    }
};

QTEST_APPLESS_MAIN(TestFixtureFile)
#include "tst_fixturefile.moc"
