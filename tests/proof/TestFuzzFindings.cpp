// What the fuzzers found, kept as inputs that once broke a reader's promises.
#include "SampleFixtures.h"
#include "core/FixtureFile.h"
#include "tools/FixtureJson.h"

#include <QtTest>

#include <memory>

class TestFuzzFindings : public QObject {
    Q_OBJECT

private slots:
    void jsonNumberOutOfRange_data()
    {
        QTest::addColumn<QByteArray>("text");
        // nlohmann::json reports a number beyond a double as out_of_range, not as a parse error;
        // the reader let it escape as an exception.
        QTest::newRow("fuzzer's input") << QByteArray("444441e3444\xcf\xcf"
                                                      "94444au,\n");
        QTest::newRow("alone") << QByteArray("1e400");
        QByteArray full = QByteArray::fromStdString(fx::fixtureToJson(*samples::fullFixture()));
        full.replace("\"MaxPanDegree\": 540", "\"MaxPanDegree\": 540e999");
        QVERIFY(full.contains("540e999"));
        QTest::newRow("in a whole fixture") << full;
    }

    void jsonNumberOutOfRange()
    {
        QFETCH(QByteArray, text);
        const auto before = samples::edgeFixture();
        auto record = samples::edgeFixture();
        std::string error;
        try {
            error = fx::fixtureFromJson(std::string_view(text.constData(), text.size()), *record);
        } catch (const std::exception& e) {
            QFAIL(e.what());
        }
        QVERIFY(!error.empty());
        QVERIFY2(error.find('\n') == std::string::npos, error.c_str());
        QVERIFY(*record == *before);
        fx::FixtureImage image{};
        QVERIFY(!fx::fixtureImageFromJson(std::string_view(text.constData(), text.size()), image)
                     .empty());
    }

    void orphanLowTypeSavesStably_data()
    {
        QTest::addColumn<int>("typeByte");
        // A low 16-bit type that no high channel names: as the letter, and as the bare type code a
        // channel beyond the count keeps in a file.
        QTest::newRow("letter A") << int('A');
        QTest::newRow("code 4") << 4;
        QTest::newRow("code 6") << 6;
    }

    void orphanLowTypeSavesStably()
    {
        QFETCH(int, typeByte);
        fx::FixtureImage file = fx::WriteFixtureImage(*samples::newFixture());
        file[fx::ChannelRecordsOffset + 2 * fx::ChannelRecordSize + 1] = std::uint8_t(typeByte);

        // Open, save as the editor does, open the saved file and save again: the same bytes, and
        // the channel is LTP in both the editor and the file.
        auto record = samples::newFixture();
        QCOMPARE(fx::ReadFixtureImage(file, *record), std::string());
        const fx::FixtureImage first = fx::WriteFixtureImage(*record);
        fx::NormaliseChannelTypes(*record);
        QCOMPARE(int(record->Channels[2].ChType), int(fx::TypeLtp));
        QCOMPARE(int(first[fx::ChannelRecordsOffset + 2 * fx::ChannelRecordSize + 1]), int('L'));
        auto reopened = std::make_unique<fx::FixtureRecord>(*record);
        QCOMPARE(fx::ReadFixtureImage(first, *reopened), std::string());
        QVERIFY(fx::WriteFixtureImage(*reopened) == first);
    }
};

QTEST_GUILESS_MAIN(TestFuzzFindings)
#include "TestFuzzFindings.moc"
