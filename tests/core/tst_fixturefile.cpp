// Byte images of the fixture setup file: what the editor's save writes and what an open reads.

#include "SampleFixtures.h"
#include "core/FixtureFile.h"
#include "core/PaletteStore.h"
#include "tests/support/TestFiles.h"

#include <QtTest>

#include <memory>
#include <string>

using namespace fx;

namespace {

// A new fixture of n channels as the editor holds it after its start-up reset.
std::unique_ptr<FixtureRecord> newFixture(int n, const char* name = "New Fixture")
{
    auto r = std::make_unique<FixtureRecord>();
    ResetFixtureRecord(*r, n);
    r->FixHeader.FixtureName.assign(name);
    return r;
}

// The save: FuncMap rebuilt, then the image.
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

QList<int> bytesAt(const FixtureImage& image, std::size_t at, std::size_t n)
{
    return QList<int>(image.begin() + static_cast<std::ptrdiff_t>(at),
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
        QVERIFY(checkFileCapacity(*r).fits());
    }

    void sixteenBitPairs_data()
    {
        QTest::addColumn<QList<int>>("types"); // channels 1..8
        QTest::addColumn<QList<int>>("pairs");
        QTest::addColumn<QByteArray>("letters");
        QTest::addColumn<QList<int>>("typesAfter"); // after the save in memory and after an open

        const QList<int> none{0, 0, 0, 0, 0, 0, 0, 0};
        QTest::newRow("plain types")
            << QList<int>{0, 1, 2, 0, 1, 2, 0, 0} << none << QByteArray("LHILHILL")
            << QList<int>{0, 1, 2, 0, 1, 2, 0, 0};
        QTest::newRow("fadeable high, partner after")
            << QList<int>{5, 6, 0, 0, 0, 0, 0, 0} << QList<int>{2, 0, 0, 0, 0, 0, 0, 0}
            << QByteArray("sALLLLLL") << QList<int>{5, 6, 0, 0, 0, 0, 0, 0};
        QTest::newRow("instant high, partner before")
            << QList<int>{4, 0, 3, 0, 0, 0, 0, 0} << QList<int>{0, 0, 1, 0, 0, 0, 0, 0}
            << QByteArray("ALSLLLLL") << QList<int>{4, 0, 3, 0, 0, 0, 0, 0};
        QTest::newRow("two pairs of both kinds")
            << QList<int>{3, 4, 5, 6, 2, 0, 0, 1} << QList<int>{2, 1, 4, 3, 0, 0, 0, 0}
            << QByteArray("SAsAILLH") << QList<int>{3, 4, 5, 6, 2, 0, 0, 1};
        // A low channel that no high channel names is written as what the save leaves: LTP.
        QTest::newRow("pair changed back to plain")
            << QList<int>{0, 6, 0, 0, 0, 0, 0, 0} << QList<int>{2, 0, 0, 0, 0, 0, 0, 0}
            << QByteArray("LLLLLLLL") << QList<int>{0, 0, 0, 0, 0, 0, 0, 0};
        QTest::newRow("chained highs")
            << QList<int>{3, 3, 4, 0, 0, 0, 0, 0} << QList<int>{2, 3, 0, 0, 0, 0, 0, 0}
            << QByteArray("SALLLLLL") << QList<int>{3, 4, 0, 0, 0, 0, 0, 0};
        QTest::newRow("high paired with itself")
            << QList<int>{3, 0, 0, 0, 0, 0, 0, 0} << QList<int>{1, 0, 0, 0, 0, 0, 0, 0}
            << QByteArray("LLLLLLLL") << QList<int>{0, 0, 0, 0, 0, 0, 0, 0};
        QTest::newRow("low named by a high of the other kind")
            << QList<int>{3, 6, 0, 0, 0, 0, 0, 0} << QList<int>{2, 0, 0, 0, 0, 0, 0, 0}
            << QByteArray("SALLLLLL") << QList<int>{3, 4, 0, 0, 0, 0, 0, 0};
        QTest::newRow("high without partner")
            << QList<int>{5, 0, 0, 0, 0, 0, 0, 0} << none << QByteArray("sLLLLLLL")
            << QList<int>{5, 0, 0, 0, 0, 0, 0, 0};
    }

    void sixteenBitPairs()
    {
        QFETCH(QList<int>, types);
        QFETCH(QList<int>, pairs);
        QFETCH(QByteArray, letters);
        QFETCH(QList<int>, typesAfter);

        auto r = newFixture(8);
        for (int i = 0; i < 8; ++i) {
            r->Channels[i].ChType = static_cast<std::uint8_t>(types[i]);
            r->Channels[i].PairChannel = static_cast<std::uint8_t>(pairs[i]);
        }
        const FixtureImage image = saved(*r);
        for (int i = 0; i < 8; ++i) {
            QCOMPARE(char(image[channelAt(i) + 1]), letters[i]);
            QCOMPARE(int(image[channelAt(i) + 3]), pairs[i]);
        }

        auto back = std::make_unique<FixtureRecord>();
        QCOMPARE(ReadFixtureImage(image, *back), std::string());
        NormaliseChannelTypes(*r);
        for (int i = 0; i < 8; ++i) {
            QCOMPARE(int(back->Channels[i].ChType), typesAfter[i]);
            QCOMPARE(int(r->Channels[i].ChType), typesAfter[i]);
        }
        // Saving what was opened writes the letters of what the editor shows: the same file
        // unless a low channel had no high channel naming it.
        const FixtureImage resaved = saved(*back);
        for (int i = 0; i < 8; ++i)
            QCOMPARE(int(resaved[channelAt(i) + 1]), int(typeLetter(typesAfter[i])));
    }

    void functionCodesOnReading_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("channel"); // 0-based; the fixture has 8 channels
        QTest::addColumn<int>("storedCode");
        QTest::addColumn<int>("codeAfterOpen");

        QTest::newRow("Pan") << "Pan" << 0 << 0 << 6;
        QTest::newRow("Tilt") << "Tilt" << 1 << 40 << 7;
        QTest::newRow("Dimmer") << "Dimmer" << 2 << 0 << 3;
        QTest::newRow("Colour") << "Colour" << 7 << 200 << 9;
        QTest::newRow("pan in lower case") << "pan" << 3 << 17 << 17;
        QTest::newRow("PAN in capitals") << "PAN" << 3 << 5 << 5;
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

    void funcMapDegreesAndChannelsBeyondTheCount()
    {
        auto r = newFixture(12);
        r->Channels[9].ChName.assign("Gobo");
        r->Channels[9].ChType = TypeInstant16H;
        r->Channels[9].FuncCode = 12;
        r->Channels[10].FuncCode = 9;
        ResetFixtureRecord(*r, 8); // channels 9 to 12 keep what they held but are not in use
        r->Channels[1].FuncCode = 6;
        r->Channels[4].FuncCode = 6; // the higher channel wins
        r->Channels[2].FuncCode = 3;
        r->MaxPanDegree = 720;
        r->MaxTiltDegree = 270;
        const FixtureImage image = saved(*r);

        // FuncMap 0..12 (0: channel 8 is the last without a function), then the degrees high-low.
        QCOMPARE(bytesAt(image, 13, 13), (QList<int>{8, 0, 0, 3, 0, 0, 5, 0, 0, 0, 0, 0, 0}));
        QCOMPARE(bytesAt(image, 13 + 256, 4), (QList<int>{2, 208, 1, 14}));
        // Channel 10 is still written, with its raw type code.
        QCOMPARE(int(image[channelAt(9) + 1]), int(TypeInstant16H));
        QCOMPARE(textAt(image, channelAt(9) + 6, 12), std::string("Gobo        "));

        auto back = std::make_unique<FixtureRecord>();
        QCOMPARE(ReadFixtureImage(image, *back), std::string());
        QCOMPARE(int(back->MaxPanDegree), 720);
        QCOMPARE(int(back->MaxTiltDegree), 270);
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
        QCOMPARE(bytesAt(image, 6136, 8), QList<int>(8, 0));

        const FileCapacityReport report = checkFileCapacity(*r);
        QCOMPARE(report.totalSteps, 205);
        QCOMPARE(report.lostSteps.size(), std::size_t(1));
        QCOMPARE(report.lostSteps[0].channel, 3);
        QCOMPARE(report.lostSteps[0].lost, 1);
        QVERIFY(report.lostEntries.empty());
        QVERIFY(report.describe().find("channel 4") != std::string::npos);

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

        r->StepCount[3] = 4;
        QVERIFY(checkFileCapacity(*r).fits());
    }

    void smallPalettes()
    {
        auto r = newFixture(12);
        r->PalChannels = 12;
        // Palette 1: sizes counted while the fixture had 12 channels, saved with 8.
        r->PalName[0] = paletteNameFromText("Mix");
        r->PalChannelUsed[0][2] = r->PalChannelUsed[0][10] = 1;
        r->PalEntryName[0][0] = paletteNameFromText("A");
        r->PalEntryName[0][1] = paletteNameFromText("B");
        r->PalValue[0][1][2] = 77;
        // Palette 2: entry 1 empty, entry 4 stored.
        r->PalName[1] = paletteNameFromText("Gobos");
        r->PalChannelUsed[1][1] = r->PalChannelUsed[1][4] = 1;
        r->PalEntryName[1][3] = paletteNameFromText("Open");
        r->PalValue[1][3][1] = 17;
        r->PalValue[1][3][4] = 230;
        r->PalValue[1][3][0] = 99; // not selected: not stored
        UpdatePaletteUse(*r);
        r->FixHeader.NumChannels = 8;
        const FixtureImage image = saved(*r);

        QCOMPARE(bytesAt(image, 273, 3), (QList<int>{1, 1, 0}));
        QCOMPARE(textAt(image, 283, 12), std::string("Mix   Gobos "));
        QCOMPARE(textAt(image, 343 + 60 + 18, 6), std::string("Open  "));
        QCOMPARE(bytesAt(image, 943, 14), (QList<int>{1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2}));
        QCOMPARE(bytesAt(image, 2048, 9), (QList<int>{3, 0, 3, 77, 2, 5, 17, 230, 0}));

        auto back = newFixture(8);
        QCOMPARE(ReadFixtureImage(image, *back), std::string());
        QCOMPARE(int(back->PalValue[0][1][2]), 77);
        QCOMPARE(int(back->PalValue[1][3][1]), 17);
        QCOMPARE(int(back->PalValue[1][3][4]), 230);
        QCOMPARE(int(back->PalValue[1][3][0]), 0);
        // The selection comes from the first stored entry, so saving what was opened loses nothing.
        const auto selected = [&](int p) {
            QList<int> list;
            for (int c = 0; c < 40; ++c)
                if (back->PalChannelUsed[p][c])
                    list << c;
            return list;
        };
        QCOMPARE(selected(0), QList<int>{2});
        QCOMPARE(selected(1), (QList<int>{1, 4}));
        COMPARE_IMAGES(saved(*back), image);
    }

    void countsBeyondTheSlotsAreCut_data()
    {
        QTest::addColumn<int>(
            "storedCount"); // written for channel 4 over the 4 steps the slots hold
        QTest::addColumn<int>("opened");
        QTest::addColumn<QString>("note");
        QTest::newRow("5 recorded, 4 held")
            << 5 << 4 << "Channel 4 records 5 steps, but the file holds only 4";
        QTest::newRow("255 recorded") << 255 << 4 << "records 255 steps";
    }

    void countsBeyondTheSlotsAreCut()
    {
        QFETCH(int, storedCount);
        QFETCH(int, opened);
        QFETCH(QString, note);
        auto r = newFixture(8);
        r->StepCount[0] = 200;
        r->StepCount[3] = 4;
        r->StepCount[5] = 2; // none of channel 6's steps fit either
        FixtureImage image = saved(*r);
        QCOMPARE(int(image[1803 + 5]), 0);
        // As an earlier save, or another tool, wrote it: the counts promise more than the slots.
        image[1803 + 3] = static_cast<std::uint8_t>(storedCount);
        image[1803 + 5] = 2;

        auto back = newFixture(8);
        for (int k = 0; k < 255; ++k)
            back->Steps[3][k].StepName.assign("STALE");
        std::vector<std::string> notes;
        QCOMPARE(ReadFixtureImage(image, *back, &notes), std::string());
        QCOMPARE(int(back->StepCount[3]), opened);
        QCOMPARE(int(back->StepCount[5]), 0);
        for (int k = opened; k < 256; ++k)
            QVERIFY(back->Steps[3][k].StepName.isBlank());
        QCOMPARE(notes.size(), std::size_t(2));
        QVERIFY2(notes[0].find(note.toStdString()) != std::string::npos, notes[0].c_str());
        QVERIFY2(notes[1].find("Channel 6") != std::string::npos, notes[1].c_str());
    }

    void degreesAboveWhatTheEditorShows_data()
    {
        QTest::addColumn<int>("pan");
        QTest::addColumn<int>("tilt");
        QTest::addColumn<int>("notes");
        QTest::newRow("720 and 0") << 720 << 0 << 0;
        QTest::newRow("pan 800") << 800 << 270 << 1;
        QTest::newRow("both 32767") << 32767 << 721 << 2;
    }

    void degreesAboveWhatTheEditorShows()
    {
        QFETCH(int, pan);
        QFETCH(int, tilt);
        QFETCH(int, notes);
        auto r = newFixture(8);
        r->MaxPanDegree = static_cast<std::int16_t>(pan);
        r->MaxTiltDegree = static_cast<std::int16_t>(tilt);
        auto back = newFixture(8);
        std::vector<std::string> found;
        QCOMPARE(ReadFixtureImage(saved(*r), *back, &found), std::string());
        QCOMPARE(int(back->MaxPanDegree), pan); // the open keeps it; the note tells what follows
        QCOMPARE(int(found.size()), notes);
        if (notes > 0)
            QVERIFY(found[0].find(std::to_string(pan > 720 ? pan : tilt)) != std::string::npos);
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
        QCOMPARE(bytesAt(image, 2048 + 2008, 32), QList<int>(32, 0));
        // Entries of which nothing is stored are written as empty; the cut one keeps its size.
        for (int e = 0; e < 20; ++e)
            QCOMPARE(int(image[943 + 20 + e]), e <= 5 ? 40 : 0);

        const FileCapacityReport report = checkFileCapacity(*r);
        QCOMPARE(report.lostEntries.size(), std::size_t(5 + 7 * 10));
        QCOMPARE(report.lostEntries[0].palette, 2);
        QCOMPARE(report.lostEntries[0].entry, 5);
        QVERIFY(report.lostEntries[0].partly);
        QCOMPARE(report.lostEntries[1].entry, 6);
        QVERIFY(!report.lostEntries[1].partly);
        QVERIFY(report.describe().find("Palette3 entry 6 (in part)") != std::string::npos);

        // Read back without failing, with what the block holds and the steps after it.
        auto back = newFixture(8);
        QCOMPARE(ReadFixtureImage(image, *back), std::string());
        for (int p = 0; p < 2; ++p)
            QCOMPARE(back->PalValue[p], r->PalValue[p]);
        for (int e = 0; e < 5; ++e)
            QCOMPARE(back->PalValue[2][e], r->PalValue[2][e]);
        for (int c = 0; c < 40; ++c) {
            QCOMPARE(int(back->PalValue[2][5][c]), c < 8 ? int(r->PalValue[2][5][c]) : 0);
            QCOMPARE(int(back->PalValue[2][9][c]), 0);
            QCOMPARE(int(back->PalChannelUsed[2][c]), 1);
        }
        QVERIFY(back->Steps == r->Steps);
        COMPARE_IMAGES(saved(*back), image);
    }

    void refusedFiles_data()
    {
        QTest::addColumn<int>("offset"); // -1: change the length instead
        QTest::addColumn<int>("value");  // the byte, or the length
        QTest::addColumn<QString>("message");

        QTest::newRow("512 bytes")
            << -1 << 512 << "512 bytes long; a fixture setup file has 6144 bytes";
        QTest::newRow("6145 bytes") << -1 << 6145 << "6145 bytes long";
        QTest::newRow("no bytes") << -1 << 0 << "0 bytes long";
        QTest::newRow("count 57") << 12 << 57 << "channel count 57 is over 40";
        QTest::newRow("count 41") << 12 << 41 << "channel count 41 is over 40";
        QTest::newRow("count 0") << 12 << 0 << "channel count 0";
        QTest::newRow("partner 57") << int(channelAt(2) + 3) << 57
                                    << "channel 3 names partner 57, which is not a channel 1 to 40";
        QTest::newRow("pan high byte 128") << 13 + 256 << 128 << "degree";
        QTest::newRow("tilt high byte 255") << 13 + 258 << 255 << "degree";
        QTest::newRow("type byte X") << int(channelAt(5) + 1) << int('X') << "channel 6";
        QTest::newRow("type byte 7") << int(channelAt(0) + 1) << 7 << "channel 1";
    }

    void refusedFiles()
    {
        QFETCH(int, offset);
        QFETCH(int, value);
        QFETCH(QString, message);

        auto source = newFixture(8, "Source");
        source->Channels[2].ChType = TypeInstant16H;
        source->Channels[2].PairChannel = 4;
        source->Channels[3].ChType = TypeInstant16L;
        const FixtureImage valid = saved(*source);
        std::vector<std::uint8_t> bytes(valid.begin(), valid.end());
        if (offset < 0)
            bytes.resize(static_cast<std::size_t>(value), 0);
        else
            bytes[static_cast<std::size_t>(offset)] = static_cast<std::uint8_t>(value);

        auto edited = newFixture(12, "Being edited");
        edited->StepCount[1] = 2;
        edited->Steps[1][1] = {3, 4, FixedText<8>::fromText("Strobe")};
        edited->MaxPanDegree = 540;
        const FixtureRecord before = *edited;

        const std::string error = ReadFixtureImage(bytes, *edited);
        QVERIFY2(error.find(message.toStdString()) != std::string::npos, error.c_str());
        QVERIFY(error.find('\n') == std::string::npos);
        QVERIFY(*edited == before);
    }
};

QTEST_APPLESS_MAIN(TestFixtureFile)
#include "tst_fixturefile.moc"
