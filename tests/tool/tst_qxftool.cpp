// `fixture-tool modes` and `fixture-tool import` as scripts run them: the listing, the written
// file read back with `fixture-tool dump`, the name set option, one-line refusals that leave no
// file, and batch conversion that goes on past a refused input.

#include "core/ChNameSet.h"
#include "tests/support/TestFiles.h"

#include <QtTest>

#include "ToolRun.h"
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <QProcess>
#include <QTemporaryDir>

namespace {

QString sample(const QString& name)
{
    return QStringLiteral(QXF_DATA_DIR "/") + name;
}

QJsonObject dump(const QString& tff)
{
    const Run run = runTool({"dump", tff});
    return run.exitCode == 0 ? QJsonDocument::fromJson(run.out).object() : QJsonObject();
}

QStringList channelNames(const QJsonObject& json)
{
    QStringList names;
    const QJsonArray channels = json["Channels"].toArray();
    for (int c = 0; c < json["NumChannels"].toInt(); ++c)
        names << channels[c].toObject()["ChName"].toString().trimmed();
    return names;
}

} // namespace

class TestQxfTool : public QObject {
    Q_OBJECT

private slots:
    void modesListing()
    {
        const Run run = runTool({"modes", sample("moving-head.qxf")});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, QByteArray("3\tBasic\n15\tExtended\n5\tStandard\n"));
        QVERIFY(run.err.isEmpty());
    }

    void importThenDump()
    {
        const QString out = path("standard.tff");
        const Run run = runTool({"import", "--mode", " Standard ", sample("moving-head.qxf"), out});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(QFileInfo(out).size(), 6144);
        const QJsonObject json = dump(out);
        QCOMPARE(json["FixtureName"].toString(), QString("Spot 575 Pr"));
        QCOMPARE(channelNames(json), QStringList({"Pan", "Tilt", "Dimmer", "Colour", "Gobo"}));
        QCOMPARE(json["MaxPanDegree"].toInt(), 540);
        const QJsonArray funcMap = json["FuncMap"].toArray();
        QCOMPARE(funcMap[6].toInt(), 1);  // Pan
        QCOMPARE(funcMap[12].toInt(), 5); // Gobo
        QCOMPARE(json["StepCount"].toArray()[3].toInt(), 12);
        QCOMPARE(json["PalName"].toArray()[0].toString(), QString("Colour"));
        QCOMPARE(json["PalChannelUsed"].toArray()[1].toArray()[4].toInt(), 1);
        // What the file cannot hold goes to standard error, one line an item, naming the input.
        QVERIFY(
            run.err.contains("moving-head.qxf: palette \"Colour\" holds the first 10 of the 12"));

        // The default mode, with a report of cut steps; the file still is written.
        const Run many = runTool({"import", sample("many-steps.qxf"), path("many.tff")});
        QCOMPARE(many.exitCode, 0);
        QVERIFY(many.err.contains("the file holds 204 of the 305 steps"));
        // Each channel's count says how many of its steps the file really holds.
        const QJsonArray counts = dump(path("many.tff"))["StepCount"].toArray();
        QCOMPARE(counts[0].toInt() + counts[1].toInt() + counts[2].toInt(), 204);
    }

    void nameSetOption()
    {
        fx::ChNameSet set;
        fx::InitChNameSet(set);
        fx::AppendChName(set, "Fog");
        const QString names = path("names.fix");
        QVERIFY(support::writeFile(names, support::bytesOf(fx::chNameSetImage(set))));

        const QString out = path("par.tff");
        QCOMPARE(runTool({"import", "--names", names, sample("rgbw-par.qxf"), out}).exitCode, 0);
        const QJsonObject fog = dump(out)["Channels"].toArray()[11].toObject();
        QCOMPARE(fog["ChName"].toString().trimmed(), QString("Fog"));
        QCOMPARE(fog["FuncCode"].toInt(), fx::FirstUserPosition + 3);
        QCOMPARE(QFileInfo(names).size(), qint64(fx::ChNameFileSize)); // never changed
    }

    void refused_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("message");
        QTest::newRow("not xml") << QStringList() << "broken-not-xml.qxf"
                                 << "not a readable XML";
        QTest::newRow("other xml") << QStringList() << "broken-other-xml.qxf"
                                   << "another kind";
        QTest::newRow("missing") << QStringList() << "no-such.qxf"
                                 << "cannot be read";
        QTest::newRow("unknown mode") << QStringList({"--mode", "Huge"}) << "wide.qxf"
                                      << "has no mode \"Huge\"";
        QTest::newRow("mode over 40") << QStringList({"--mode", "48 channel"}) << "wide.qxf"
                                      << "has 48 channels";
        QTest::newRow("none fits") << QStringList() << "too-wide.qxf"
                                   << "the smallest has 41";
        QTest::newRow("short names")
            << QStringList({"--names", sample("broken-not-xml.qxf")}) << "rgbw-par.qxf"
            << "reads none under 560 bytes";
    }

    void refused()
    {
        QFETCH(QStringList, options);
        QFETCH(QString, input);
        QFETCH(QString, message);
        const QString out = path("refused.tff");
        const Run run =
            runTool(QStringList("import") + options + QStringList({sample(input), out}));
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.err.count('\n'), 1);
        QVERIFY2(run.err.startsWith("fixture-tool: ") && run.err.contains(message.toUtf8()),
                 run.err.constData());
        QVERIFY(!QFile::exists(out));
        QCOMPARE(QDir(m_dir.path()).entryList({"refused*"}).size(), 0);
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
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(QDir(outDir).entryList(QDir::Files),
                 QStringList({"moving-head.tff", "rgbw-par.tff", "scanner.tff"}));
        // The twin did not replace the first file of its name.
        QCOMPARE(channelNames(dump(outDir + "/rgbw-par.tff")).size(), 12);
        QStringList refusals;
        for (const QByteArray& line : run.err.split('\n'))
            if (line.startsWith("fixture-tool: "))
                refusals << QString::fromUtf8(line);
        QCOMPARE(refusals.size(), 2);
        QVERIFY(refusals[0].contains("broken-truncated.qxf: is not a readable XML"));
        QVERIFY(refusals[1].startsWith("fixture-tool: " + twin + ": has the same name as " +
                                       sample("rgbw-par.qxf")));

        // Everything converted: status 0.
        QCOMPARE(runTool({"import", "--out-dir", outDir, sample("rgbw-par.qxf")}).exitCode, 0);
    }

private:
    QTemporaryDir m_dir;
    QString path(const QString& name) const { return m_dir.filePath(name); }
};

QTEST_GUILESS_MAIN(TestQxfTool)
#include "tst_qxftool.moc"
