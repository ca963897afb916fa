// fixture-tool send against the real OLA daemon: what reaches universe 1, read back slot by
// slot, and the lines and status of what it refuses (nothing sent then).
#include "LiveHarness.h"

#include "core/FixtureFile.h"
#include "tests/support/TestFiles.h"

using livetest::frameOf;

namespace {

support::ProgramRun sendTool(const QStringList& arguments)
{
    return support::runProgram(QStringLiteral(FIXTURE_TOOL_PATH), QStringList{"send"} + arguments);
}

} // namespace

Q_DECLARE_METATYPE(fx::DmxFrame)

class TestLiveTool : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_lamp;
    livetest::Daemon m_daemon;
    livetest::Reader m_reader;

private slots:
    void initTestCase()
    {
        m_lamp = m_dir.filePath(QStringLiteral("lamp.tff"));
        QVERIFY(support::writeFile(
            m_lamp, support::bytesOf(fx::WriteFixtureImage(*livetest::lampFixture()))));
        if (!livetest::rpcPortOpen()) {
            const auto run = sendTool({m_lamp});
            QCOMPARE(run.status, 1);
            QCOMPARE(run.err,
                     "fixture-tool: no OLA daemon runs on this computer (start it: olad)\n");
        }
        if (const QString why = m_daemon.start(); !why.isEmpty())
            QSKIP(qPrintable(why));
        QVERIFY(m_reader.start(1));
    }

    void send_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("err");        // FILE stands for the file's path
        QTest::addColumn<fx::DmxFrame>("frame"); // all zeros: nothing arrives
        const fx::DmxFrame none{};
        QTest::newRow("values") << QStringList{} << 0 << QString()
                                << frameOf({255, 0x12, 0x34, 0, 7, 0});
        QTest::newRow("step Red") << QStringList{"--step", "4:2", "--address", "10"} << 0
                                  << QString() << frameOf({255, 0x12, 0x34, 14, 7, 0}, 10);
        QTest::newRow("palette Warm") << QStringList{"--palette", "1:2"} << 0 << QString()
                                      << frameOf({255, 0x12, 0x34, 25, 100, 0});
        QTest::newRow("past slot 512")
            << QStringList{"--universe", "1", "--address", "509"} << 0
            << "fixture-tool: FILE: channels 5 to 6 pass slot 512 and are not sent\n"
            << frameOf({255, 0x12, 0x34, 0}, 509);
        QTest::newRow("blackout") << QStringList{"--blackout"} << 0 << QString() << none;
        QTest::newRow("no output port")
            << QStringList{"--universe", "3"} << 1
            << "fixture-tool: universe 3 has no output port in OLA (patch one with ola_patch)\n"
            << none;
        // The rules themselves are the frame test's table; these are the tool's way of refusing.
        const auto refused = [&](const char* name, const QStringList& arguments,
                                 const QString& line) {
            QTest::newRow(name) << arguments << 2 << "fixture-tool: send: " + line + "\n" << none;
        };
        refused("address 513", {"--address", "513"}, "address 513 is outside 1 to 512");
        refused("not a number", {"--address", "1x"}, "--address takes a whole number, not \"1x\"");
        refused("channel 7", {"--step", "7:1"}, "FILE: the fixture has no channel 7 (it has 6)");
        refused("step without colon", {"--step", "4"},
                "--step takes two numbers as CHANNEL:STEP, not \"4\"");
        refused("two looks", {"--step", "4:1", "--blackout"},
                "--step, --palette and --blackout exclude each other");
        refused("twice", {"--address", "2", "--address", "3"}, "--address is given twice");
    }
    void send()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, err);
        QFETCH(fx::DmxFrame, frame);
        const int before = m_reader.count();
        const auto run = sendTool(arguments << m_lamp);
        QCOMPARE(QString::fromUtf8(run.err), QString(err).replace(QStringLiteral("FILE"), m_lamp));
        QCOMPARE(run.status, status);
        if (status != 0) {
            QTest::qWait(100);
            QCOMPARE(m_reader.count(), before);
            return;
        }
        // The tool returns once the daemon took the frame; it reaches the reader just after.
        QTRY_VERIFY(m_reader.count() > before);
        QVERIFY(m_reader.waitFor(frame));
    }
};

QTEST_GUILESS_MAIN(TestLiveTool)
#include "tst_livetool.moc"
