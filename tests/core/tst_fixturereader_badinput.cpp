// Any file of any length and content: the reader never crashes, and a refused file never
// changes the fixture being edited.

#include "SampleFixtures.h"
#include "core/FixtureFile.h"

#include <QtTest>

#include <memory>
#include <random>
#include <vector>

using namespace fx;

namespace {

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
        // refused by its length, the fixture (something in every part, so a half-read file would
        // show) untouched.
        auto edited = samples::edgeFixture();
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
    }

    void randomContents_data()
    {
        QTest::addColumn<int>("mode");
        QTest::newRow("noise") << 0;
        QTest::newRow("sound file with bytes changed") << 1;
        QTest::newRow("sound header, noise in the fields after it") << 2;
    }

    void randomContents()
    {
        QFETCH(int, mode);
        auto edited = samples::edgeFixture();
        const FixtureRecord before = *edited;
        const FixtureImage valid = WriteFixtureImage(*edited);
        std::mt19937 rng(static_cast<unsigned>(1000 + mode));
        const auto randomByte = [&] { return static_cast<std::uint8_t>(rng()); };

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
                    image[rng() % FixtureFileSize] = randomByte();
                break;
            case 2: // palette sizes, channel records and counts now and then; blocks always
                for (std::size_t i = 273; i < FixtureFileSize; ++i) {
                    if (i >= PaletteBlockOffset || rng() % 16 == 0)
                        image[i] = randomByte();
                }
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
