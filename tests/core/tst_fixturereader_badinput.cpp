// Any file of any length and content: the reader never crashes, and a refused file never
// changes the fixture being edited.

#include "core/FixtureFile.h"
#include "core/PaletteStore.h"

#include <QtTest>

#include <memory>
#include <random>
#include <vector>

using namespace fx;

namespace {

// A fixture with something in every part, so a half-read file would show.
std::unique_ptr<FixtureRecord> busyFixture()
{
    auto r = std::make_unique<FixtureRecord>();
    ResetFixtureRecord(*r, 12);
    r->FixHeader.FixtureName.assign("Being edited");
    r->MaxPanDegree = 540;
    r->MaxTiltDegree = 270;
    r->Channels[0] = {6, TypeFadeable16H, 1, 2, 0, 0, FixedText<12>::fromText("Pan"), 128};
    r->Channels[1] = {0, TypeFadeable16L, 2, 1, 0, 0, FixedText<12>::fromText("Pan fine"), 0};
    r->StepCount[4] = 3;
    for (int k = 0; k < 3; ++k)
        r->Steps[4][k] = {static_cast<std::uint8_t>(k * 80), static_cast<std::uint8_t>(k * 80 + 79),
                          FixedText<8>::fromText("Gobo" + std::to_string(k))};
    r->PalChannels = 12;
    r->PalName[0] = paletteNameFromText("Pos");
    r->PalChannelUsed[0][0] = r->PalChannelUsed[0][1] = 1;
    for (int e = 0; e < 4; ++e) {
        r->PalEntryName[0][e] = paletteNameFromText("P" + std::to_string(e));
        r->PalValue[0][e][0] = static_cast<std::uint8_t>(60 * e);
    }
    UpdatePaletteUse(*r);
    BuildFuncMap(*r);
    return r;
}

// What an accepted file must leave: a record the editor can show and save and open again.
void checkAccepted(const FixtureRecord& r)
{
    QVERIFY(r.FixHeader.NumChannels >= 1 && r.FixHeader.NumChannels <= MaxChannels);
    QVERIFY(r.MaxPanDegree >= 0 && r.MaxTiltDegree >= 0);
    for (int i = 0; i < r.FixHeader.NumChannels; ++i)
        QVERIFY(r.Channels[i].ChType < ChannelTypeCount);
    const FixtureImage again = WriteFixtureImage(r);
    auto reread = std::make_unique<FixtureRecord>();
    QCOMPARE(ReadFixtureImage(again, *reread), std::string());
}

} // namespace

class TestFixtureReaderBadInput : public QObject {
    Q_OBJECT

private slots:
    void everyLength()
    {
        // The start of a sound file at every length short of a whole one, and one byte too many:
        // refused by its length, the fixture untouched.
        auto edited = busyFixture();
        const FixtureRecord before = *edited;
        std::vector<std::uint8_t> valid(FixtureFileSize + 1, 0);
        const FixtureImage image = WriteFixtureImage(*edited);
        std::copy(image.begin(), image.end(), valid.begin());
        for (std::size_t length = 0; length <= FixtureFileSize + 1; ++length) {
            if (length == FixtureFileSize)
                continue;
            const std::string error = ReadFixtureImage(std::span(valid.data(), length), *edited);
            QVERIFY2(error.find(std::to_string(length) + " bytes long") != std::string::npos,
                     error.c_str());
            QVERIFY2(*edited == before, qPrintable(QString::number(length)));
        }
        QCOMPARE(ReadFixtureImage(image, *edited), std::string());
        QVERIFY(*edited == before); // the same file read back
    }

    void randomContents_data()
    {
        QTest::addColumn<int>("mode");
        QTest::newRow("noise") << 0;
        QTest::newRow("sound file with bytes changed") << 1;
        QTest::newRow("sound header, noise in sizes and palette block") << 2;
        QTest::newRow("sound header, noise in channels and steps") << 3;
    }

    void randomContents()
    {
        QFETCH(int, mode);
        auto edited = busyFixture();
        const FixtureRecord before = *edited;
        const FixtureImage valid = WriteFixtureImage(*edited);
        std::mt19937 rng(static_cast<unsigned>(1000 + mode));
        const auto randomByte = [&] { return static_cast<std::uint8_t>(rng()); };
        const auto randomIn = [&](std::size_t from, std::size_t to) {
            return from + rng() % (to - from);
        };

        int accepted = 0;
        const int rounds = 400;
        for (int round = 0; round < rounds; ++round) {
            FixtureImage image = valid;
            switch (mode) {
            case 0:
                for (auto& b : image)
                    b = randomByte();
                break;
            case 1:
                for (int k = 0, n = 1 + int(rng() % 16); k < n; ++k)
                    image[randomIn(0, FixtureFileSize)] = randomByte();
                break;
            case 2:
                for (std::size_t i = 273; i < 1043; ++i)
                    image[i] = rng() % 3 == 0 ? randomByte() : image[i];
                for (std::size_t i = PaletteBlockOffset; i < StepSlotsOffset; ++i)
                    image[i] = randomByte();
                break;
            case 3:
                for (std::size_t i = ChannelRecordsOffset; i < 1843; ++i)
                    image[i] = rng() % 32 == 0 ? randomByte() : image[i];
                for (std::size_t i = StepSlotsOffset; i < FixtureFileSize; ++i)
                    image[i] = randomByte();
                break;
            }
            const std::string error = ReadFixtureImage(image, *edited);
            if (error.empty()) {
                ++accepted;
                checkAccepted(*edited);
                *edited = before;
            } else {
                QVERIFY2(error.find('\n') == std::string::npos, error.c_str());
                QVERIFY2(*edited == before, error.c_str());
            }
        }
        // Every mode but pure noise keeps a sound header often enough to reach the deep fields.
        if (mode != 0)
            QVERIFY2(accepted > rounds / 10, qPrintable(QString::number(accepted)));
    }
};

QTEST_APPLESS_MAIN(TestFixtureReaderBadInput)
#include "tst_fixturereader_badinput.moc"
