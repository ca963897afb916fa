// The fixture-tool binary as a technician's script runs it: exit status, standard output,
// one-line errors, and files written whole or not at all; `modes` and `import` on the sample
// definitions in tests/data/qxf, with batch conversion that goes on past a refused input.

#include "RecordGenerator.h"
#include "SampleFixtures.h"
#include "core/StepTools.h"
#include "tests/support/TestFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

using namespace support;

namespace {

using Run = support::ProgramRun;

Run runTool(const QStringList& arguments)
{
    return runProgram(QStringLiteral(FIXTURE_TOOL_PATH), arguments);
}

// A refusal: status 1 (2 for a wrong command line), nothing on standard output, one line on
// standard error.
void checkRefused(const Run& run, const QString& message, int status = 1)
{
    QCOMPARE(run.status, status);
    QVERIFY(run.out.isEmpty());
    QCOMPARE(run.err.count('\n'), 1);
    QVERIFY2(run.err.contains(message.toUtf8()), run.err.constData());
}

QString sample(const QString& name)
{
    return QStringLiteral(QXF_DATA_DIR "/") + name;
}

} // namespace

class TestFixtureTool : public QObject {
    Q_OBJECT

private slots:
    void usage()
    {
        const Run help = runTool({"--help"});
        QCOMPARE(help.status, 0);
        QVERIFY(help.out.contains("fixture-tool dump FILE.tff"));

        for (const QStringList& wrong :
             {QStringList{}, QStringList{"dump"}, QStringList{"convert", "x"},
              QStringList{"names", "--init"}, QStringList{"build", "a"}}) {
            const Run run = runTool(wrong);
            QCOMPARE(run.status, 2);
            QCOMPARE(run.err.count('\n'), 1);
        }
    }

    void dumpThenBuildGivesTheSameFile()
    {
        // The largest fixture: 40 channels, 204 steps, a palette block filled to its end.
        const QByteArray written = bytesOf(editorSave(*samples::fullFixture()));
        QVERIFY(writeFile(path("in.tff"), written));

        const Run dump = runTool({"dump", path("in.tff")});
        QCOMPARE(dump.status, 0);
        QVERIFY(dump.err.isEmpty());
        QVERIFY(writeFile(path("in.json"), dump.out));

        const Run build = runTool({"build", path("in.json"), path("out.tff")});
        QCOMPARE(build.status, 0);
        QVERIFY(build.err.isEmpty());
        COMPARE_IMAGES(readFile(path("out.tff")), written);

        // tests/data/led-six-of-ten.json: the record's fields one a line, a channel a line.
        const Run led = runTool({"dump", goldenPath("led-six-of-ten.tff")});
        QCOMPARE(led.status, 0);
        QVERIFY(led.err.isEmpty());
        COMPARE_GOLDEN("led-six-of-ten.json", led.out);
    }

    // Every refusal: its status, nothing on standard output, one line on standard error, and
    // nothing written: the old output intact and no file left behind.
    void refused_data()
    {
        // "@name": a file in the test's folder ("@input" holds the row's input first), "%name": a
        // sample definition.
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("status");
        const auto row = [](const char* name, const char* arguments, const QByteArray& input,
                            const char* message, int status = 1) {
            QTest::newRow(name) << arguments << input << message << status;
        };
        row("dump of 512 bytes", "dump @input", QByteArray(512, 'x'),
            "is 512 bytes long but no LED fixture setup file the editor writes: its first byte");
        row("dump of a missing file", "dump @missing.tff", {}, "missing.tff");
        row("build of a fixture file", "build @input @old.tff", readFile(goldenPath("new8.tff")),
            "malformed JSON");
        row("missing definition", "import %no-such.qxf @old.tff", {}, "cannot be read");
        row("unknown mode", "import --mode Huge %wide.qxf @old.tff", {}, "has no mode \"Huge\"");
        row("none fits", "import %too-wide.qxf @old.tff", {}, "the smallest has 41");
        row("steps 0", "import --steps 0 %moving-head.qxf @old.tff", {},
            "\"0\" is not a channel number 1 to 40", 2);
        row("steps twice", "import --steps 3,7,3 %moving-head.qxf @old.tff", {},
            "channel 3 is named twice", 2);
        row("steps beyond the mode", "import --steps 16 %moving-head.qxf @old.tff", {},
            "channel 16 is not in this mode of 15");
        row("short names", "import --names %broken-not-xml.qxf %rgbw-par.qxf @old.tff", {},
            "reads none under 560 bytes");
    }

    void refused()
    {
        QFETCH(QString, arguments);
        QFETCH(QByteArray, input);
        QFETCH(QString, message);
        QFETCH(int, status);

        QVERIFY(writeFile(path("input"), input));
        const QByteArray oldOutput("an earlier build, kept");
        QVERIFY(writeFile(path("old.tff"), oldOutput));
        const QStringList before = QDir(m_dir.path()).entryList(QDir::Files);

        QStringList words = arguments.split(' ');
        for (QString& word : words) {
            if (word.startsWith('@'))
                word = path(word.mid(1));
            else if (word.startsWith('%'))
                word = sample(word.mid(1));
        }
        checkRefused(runTool(words), message, status);
        QCOMPARE(readFile(path("old.tff")), oldOutput);
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files), before);
    }

    void names()
    {
        const QString file = path("ChNameSet.fix");
        QFile::remove(file);
        QCOMPARE(runTool({"names", "--init", file}).status, 0);
        COMPARE_GOLDEN("ChNameSet-default.fix", readFile(file));

        // A set that exists is never replaced.
        QByteArray custom = readFile(file);
        custom.replace(2, 12, "Spot Pan    ");
        QVERIFY(writeFile(file, custom));
        checkRefused(runTool({"names", "--init", file}), "exists already");
        QCOMPARE(readFile(file), custom);

        const Run list = runTool({"names", file});
        QCOMPARE(list.status, 0);
        const QList<QByteArray> lines = list.out.split('\n');
        QCOMPARE(lines.size(), 254); // 253 lines and the empty rest after the last newline
        QCOMPARE(lines[0], QByteArray("0\t0\t6\t\"Spot Pan    \""));
        QCOMPARE(lines[252], QByteArray("252\t0\t0\t\"            \""));

        // What a short file holds is the name set's rule (tst_chnameset); here only the refusal.
        QVERIFY(writeFile(path("short.fix"), custom.left(559)));
        checkRefused(runTool({"names", path("short.fix")}), "559 bytes long");

        // The build puts a set beside the binaries for a first start of the editor.
        const QString besides =
            QFileInfo(QStringLiteral(FIXTURE_TOOL_PATH)).dir().filePath("ChNameSet.fix");
        QCOMPARE(runTool({"names", besides}).status, 0);
    }

    void check_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QStringList>("lines"); // the output, line by line (the start of each)

        auto r = samples::newFixture(2);
        r->Channels[0].ChName.assign("Gobo");
        r->Channels[1].ChName.assign("Speed");
        auto clean = std::make_unique<fx::FixtureRecord>(*r);
        QVERIFY(writeFile(path("clean.tff"), bytesOf(editorSave(*r))));
        r->Channels[1].ChName.assign("  ");
        QVERIFY(writeFile(path("warning.tff"), bytesOf(editorSave(*r))));
        r->Channels[0].FuncCode = 40;
        r->Channels[1].FuncCode = 40;
        r->StepCount[1] = 1;
        r->Steps[1][0] = {9, 3, fx::FixedText<8>::fromText("Bad")};
        QVERIFY(writeFile(path("faulty.tff"), bytesOf(editorSave(*r))));
        QVERIFY(writeFile(path("faulty.json"), runTool({"dump", path("faulty.tff")}).out));
        // As an earlier save wrote a fixture of 205 steps: the count promises one step too many.
        QCOMPARE(fx::FillSteps(*clean, 0, 204, 0, 255, "S#"), std::string());
        QByteArray promised = bytesOf(editorSave(*clean));
        promised[1803 + 1] = 1;
        QVERIFY(writeFile(path("promised.tff"), promised));
        QVERIFY(writeFile(path("other.bin"), QByteArray(100, 'x')));

        const QString f = path("faulty.tff");
        const QString j = path("faulty.json");
        QTest::newRow("LED file") << QStringList{goldenPath("led-default.tff")} << 0
                                  << QStringList{};
        QTest::newRow("warnings only")
            << QStringList{path("warning.tff")} << 0
            << QStringList{path("warning.tff") + ": channel 2: warning: the channel name is blank"};
        QTest::newRow("errors")
            << QStringList{path("clean.tff"), f} << 1
            << QStringList{f + ": channel 1: error: function code 40 is also on channel 2",
                           f + ": channel 2: warning: the channel name is blank",
                           f + ": channel 2, step 1: error: From 9 is above To 3"};
        QTest::newRow("JSON") << QStringList{j} << 1
                              << QStringList{j + ": channel 1: error: function code 40",
                                             j + ": channel 2: warning", j + ": channel 2, step 1"};
        QTest::newRow("count beyond the slots")
            << QStringList{path("promised.tff")} << 1
            << QStringList{path("promised.tff") +
                           ": channel 2: error: the file records 1 steps but holds 0"};
        QTest::newRow("unreadable and missing")
            << QStringList{path("other.bin"), path("missing.tff")} << 1
            << QStringList{path("other.bin") + ": error: is 100 bytes long",
                           path("missing.tff") + ": error:"};
    }

    void check()
    {
        QFETCH(QStringList, files);
        QFETCH(int, exitCode);
        QFETCH(QStringList, lines);
        const Run run = runTool(QStringList{"check"} + files);
        QCOMPARE(run.status, exitCode);
        QVERIFY(run.err.isEmpty());
        const QStringList out = QString::fromUtf8(run.out).split('\n', Qt::SkipEmptyParts);
        QVERIFY2(out.size() == lines.size(), run.out.constData());
        for (int i = 0; i < out.size(); ++i)
            QVERIFY2(out[i].startsWith(lines[i]), qPrintable(out[i]));
    }

    void importWritesTheMode()
    {
        const Run modes = runTool({"modes", sample("moving-head.qxf")});
        QCOMPARE(modes.status, 0);
        QCOMPARE(modes.out, QByteArray("3\tBasic\n15\tExtended\n5\tStandard\n"));
        QVERIFY(modes.err.isEmpty());

        // The importer's rules are proven in tst_qxfimport; here the mode chosen, the file
        // written with its FuncMap built, and the report.
        const QString out = path("standard.tff");
        const Run run = runTool({"import", "--mode", " Standard ", sample("moving-head.qxf"), out});
        QCOMPARE(run.status, 0);
        const QByteArray file = readFile(out);
        QCOMPARE(int(file[12]), 5); // channels: Pan, Tilt, Dimmer, Colour, Gobo
        QCOMPARE(file.mid(1043 + 19 * 4 + 6, 12), QByteArray("Gobo        "));
        QCOMPARE(int(file[13 + 12]), 5); // FuncMap: Gobo's code 12 on channel 5
        // What the file cannot hold goes to standard error, one line an item, naming the input.
        QVERIFY(run.err.contains("moving-head.qxf: channel 4 \"Color wheel\": palette \"Colour\" "
                                 "holds the first 10 of 12"));

        // The default mode, with a report of steps cut; the file still is written. Which steps
        // each choice keeps is tst_qxfimport's table.
        const Run many =
            runTool({"import", "--steps", "all", sample("many-steps.qxf"), path("many.tff")});
        QCOMPARE(many.status, 0);
        QCOMPARE(quint8(readFile(path("many.tff"))[1803 + 1]), 204);
        QVERIFY(many.err.contains("51 of its 255 steps lie beyond"));

        // --names: the codes of a name set of the user's, which the import never changes.
        fx::ChNameSet set;
        fx::InitChNameSet(set);
        fx::AppendChName(set, "Fog");
        const QString names = path("names.fix");
        QVERIFY(writeFile(names, bytesOf(fx::chNameSetImage(set))));

        const QString par = path("par.tff");
        QCOMPARE(runTool({"import", "--names", names, sample("rgbw-par.qxf"), par}).status, 0);
        const QByteArray fog = readFile(par).mid(1043 + 19 * 11, 18); // channel 12's record
        QCOMPARE(int(fog[0]), fx::FirstUserPosition + 3);
        QCOMPARE(fog.mid(6), QByteArray("Fog         "));
        QCOMPARE(QFileInfo(names).size(), qint64(fx::ChNameFileSize)); // never changed
    }

    void batch()
    {
        const QString outDir = path("lib");
        QVERIFY(QDir().mkpath(outDir));
        QVERIFY(QDir().mkpath(path("other")));
        const QString twin = path("other/rgbw-par.qxf");
        QVERIFY(QFile::copy(sample("moving-head.qxf"), twin));

        const Run run = runTool({"import", "--out-dir", outDir, sample("moving-head.qxf"),
                                 sample("broken-truncated.qxf"), sample("rgbw-par.qxf"), twin,
                                 sample("scanner.qxf")});
        QCOMPARE(run.status, 1);
        QCOMPARE(QDir(outDir).entryList(QDir::Files),
                 QStringList({"moving-head.tff", "rgbw-par.tff", "scanner.tff"}));
        // The twin did not replace the first file of its name.
        QCOMPARE(int(readFile(outDir + "/rgbw-par.tff")[12]), 12);
        QStringList refusals;
        for (const QByteArray& line : run.err.split('\n'))
            if (line.startsWith("fixture-tool: "))
                refusals << QString::fromUtf8(line);
        QCOMPARE(refusals.size(), 2);
        QVERIFY(refusals[0].contains("broken-truncated.qxf: is not a readable XML"));
        QVERIFY(refusals[1].startsWith("fixture-tool: " + twin + ": has the same name as " +
                                       sample("rgbw-par.qxf")));

        // Everything converted: status 0.
        QCOMPARE(runTool({"import", "--out-dir", outDir, sample("rgbw-par.qxf")}).status, 0);
    }

private:
    QTemporaryDir m_dir;
    QString path(const QString& name) const { return m_dir.filePath(name); }
};

QTEST_GUILESS_MAIN(TestFixtureTool)
#include "tst_fixturetool.moc"
