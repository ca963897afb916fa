// The fixture library index on a folder the test makes: what each file gives, the search rule,
// the sort, the cache (a changed, added and removed file seen; a damaged cache rebuilt), broken
// files, symbolic-link loops, the technician's folder list as the editor's settings file holds
// it, and `fixture-tool library`.

#include "LibraryFolder.h"
#include "core/FixtureLibrary.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

using library::put;

namespace {

QStringList models(const fx::LibraryIndex& index, const std::vector<std::size_t>& rows)
{
    QStringList list;
    for (const std::size_t k : rows)
        list << QString::fromStdString(index.entries[k].model);
    return list;
}

std::vector<std::size_t> all(const fx::LibraryIndex& index)
{
    return fx::searchLibrary(index.entries, "");
}

} // namespace

class TestLibrary : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void entries();
    void search_data();
    void search();
    void cache();
    void settingsList_data();
    void settingsList();
    void tool_data();
    void tool();

private:
    fx::LibraryIndex index(const QString& cache = {}) const
    {
        return fx::buildLibraryIndex({{m_dir.filePath("lib").toStdString(), "Test", false}},
                                     cache.toStdString());
    }
    QString lib(const QString& name) const { return m_dir.filePath("lib/" + name); }

    QTemporaryDir m_dir;
};

void TestLibrary::initTestCase()
{
    using library::definition;
    put(lib("Robe/robin.qxf"), definition("Robe", "Robin 600 Spot", "Moving Head", {11, 15, 24}));
    put(lib("Robe/alpha.QXF"), definition("robe", "alpha Beam", "Moving Head", {16}));
    put(lib("Claypaky/sharpy.qxf"), definition("Clay Paky", "Sharpy", "Moving Head", {16, 20}));
    put(lib("Other/facade.qxf"),
        definition(QString::fromUtf8("ÉCLAIRAGE"), QString::fromUtf8("Façade Wash"),
                   "Color Changer", {6}));
    put(lib("Other/cyr.qxf"), definition("Svet", QString::fromUtf8("ПРОЖЕКТОР"), "Dimmer", {1}));
    put(lib("a/b/c/d/e/f/g/h/deep.qxf"), definition("Deep", "Deep Par", "Color Changer", {3}));
    put(lib("console/my-own.tff"), library::setupFile("Spot575", 12));
    put(lib("console/steps.tff"), library::setupFile("Stepper", 2, 3));
    put(lib("console/par.tff"), library::ledFile("LED Par"));
    put(lib("bad/notxml.qxf"), "this is not XML <");
    put(lib("bad/other.qxf"), "<?xml version=\"1.0\"?><Workspace/>");
    put(lib("bad/nomode.qxf"), library::definition("X", "No Mode", "Dimmer", {}));
    put(lib("bad/short.tff"), QByteArray(100, 'x'));
    put(lib("notes.txt"), "not a fixture file, not listed");
    // A loop back to the top and a second way to a folder: each file is listed once.
    QVERIFY(::symlink("../..", lib("a/b/loop").toLocal8Bit()) == 0);
    QVERIFY(::symlink("Robe", lib("RobeAgain").toLocal8Bit()) == 0);
}

void TestLibrary::entries()
{
    const fx::LibraryIndex idx = index();
    QVERIFY(idx.notes.empty());
    // Sorted by manufacturer, then model, ignoring case and accents; the fixture setup files
    // (no manufacturer) and broken files (their file name as model) first.
    QCOMPARE(
        models(idx, all(idx)),
        QStringList({"LED Par", "nomode.qxf", "notxml.qxf", "other.qxf", "short.tff", "Spot575",
                     "Stepper", "Sharpy", "Deep Par", QString::fromUtf8("Façade Wash"),
                     "alpha Beam", "Robin 600 Spot", QString::fromUtf8("ПРОЖЕКТОР")}));
    QStringList shown;
    for (const fx::LibraryEntry& e : idx.entries) {
        shown << QString::fromStdString(
            e.model + "|" + e.type + "|" + fx::libraryChannelsText(e, " / ") + "|" +
            std::to_string(e.steps) + "|" + std::to_string(e.problems > 0));
        QCOMPARE(e.reason.empty(), e.kind != fx::LibraryEntry::Kind::Broken);
    }
    QVERIFY(shown.contains("Robin 600 Spot|Moving Head|11 / 15 / 24|0|0"));
    QVERIFY(shown.contains("Spot575|fixture|12|0|0"));
    QVERIFY(shown.contains("Stepper|fixture|2|6|1")); // unnamed steps are problems
    QVERIFY(shown.contains("LED Par|LED fixture|8|0|0"));
    QVERIFY(shown.contains("short.tff|broken||0|0"));
}

void TestLibrary::search_data()
{
    QTest::addColumn<QString>("query");
    QTest::addColumn<QStringList>("found");
    const auto row = [](const char* name, const char* query, const QStringList& found) {
        QTest::newRow(name) << QString::fromUtf8(query) << found;
    };
    row("one word, any case", "ROBE", {"alpha Beam", "Robin 600 Spot"});
    row("every word must match", "robe spot", {"Robin 600 Spot"});
    row("a word no entry has", "robe zoom", {});
    row("the type", "changer", {"Deep Par", QString::fromUtf8("Façade Wash")});
    row("accents ignored both ways", "eclairage facade", {QString::fromUtf8("Façade Wash")});
    row("accent typed", "ÉCLAIRAGE façade", {QString::fromUtf8("Façade Wash")});
    row("another script", "прожектор", {QString::fromUtf8("ПРОЖЕКТОР")});
    row("a setup file by its file name", "my-own", {"Spot575"});
    row("not a definition by its file name", "robin.qxf", {});
    row("an LED fixture", "led fixture", {"LED Par"});
    row("blanks around words", "  sharpy   moving ", {"Sharpy"});
}

void TestLibrary::search()
{
    QFETCH(QString, query);
    const fx::LibraryIndex idx = index();
    QTEST(models(idx, fx::searchLibrary(idx.entries, query.toStdString())), "found");
}

void TestLibrary::cache()
{
    const QString cache = m_dir.filePath("cache");
    const fx::LibraryIndex fresh = index();
    const std::size_t files = fresh.entries.size();
    const auto same = [&](const fx::LibraryIndex& idx) {
        return models(idx, all(idx)) == models(fresh, all(fresh)) &&
               idx.entries.back().modes.size() == fresh.entries.back().modes.size();
    };
    QCOMPARE(index(cache).readFiles, files);
    fx::LibraryIndex warm = index(cache);
    QCOMPARE(warm.readFiles, std::size_t(0));
    QCOMPARE(warm.cachedFiles, files);
    QVERIFY(same(warm));

    // A damaged cache is thrown away and every file read again, giving the same index.
    const QString cacheFile = QString::fromStdString(
        fx::libraryCacheFile(cache.toStdString(), lib("").chopped(1).toStdString()));
    const QByteArray good = support::readFile(cacheFile);
    QVERIFY(good.size() > 100);
    QByteArray flipped = good;
    flipped[good.size() / 2] = char(flipped[good.size() / 2] ^ 0x20);
    for (const QByteArray& bad : {good.left(good.size() - 1), good.left(30), QByteArray(),
                                  QByteArray(5000, '\xff'), flipped}) {
        put(cacheFile, bad);
        const fx::LibraryIndex rebuilt = index(cache);
        QCOMPARE(rebuilt.readFiles, files);
        QVERIFY(same(rebuilt));
        QCOMPARE(support::readFile(cacheFile), good);
    }

    // A changed, an added and a removed file are seen; the rest come from the cache.
    put(lib("Claypaky/sharpy.qxf"),
        library::definition("Clay Paky", "Sharpy Plus", "Moving Head", {16, 20, 30}));
    put(lib("Claypaky/mythos.qxf"),
        library::definition("Clay Paky", "Mythos", "Moving Head", {20}));
    QVERIFY(QFile::remove(lib("Other/cyr.qxf")));
    warm = index(cache);
    QCOMPARE(warm.readFiles, std::size_t(2));
    QCOMPARE(warm.cachedFiles, files - 2);
    QCOMPARE(models(warm, fx::searchLibrary(warm.entries, "clay")),
             QStringList({"Mythos", "Sharpy Plus"}));
    QCOMPARE(fx::libraryChannelsText(warm.entries[fx::searchLibrary(warm.entries, "plus")[0]], "/"),
             std::string("16/20/30"));
    QVERIFY(fx::searchLibrary(warm.entries, "прожектор").empty());
    QCOMPARE(index(cache).readFiles, std::size_t(0));
}

void TestLibrary::settingsList_data()
{
    QTest::addColumn<QStringList>("folders");
    QTest::newRow("none") << QStringList();
    QTest::newRow("awkward names")
        << QStringList{"/a b/c", "/p,q;r", "/quote\"back\\slash", QString::fromUtf8("/Ünï/日本"),
                       " /lead", "@at",    "/tab\there"};
}

void TestLibrary::settingsList()
{
    // The editor keeps the folders with QSettings; the tool, without Qt, reads the same file.
    QFETCH(QStringList, folders);
    const QString file = m_dir.filePath("settings.ini");
    QFile::remove(file);
    {
        QSettings settings(file, QSettings::IniFormat);
        settings.setValue("FileDialogs/LastFolder", "/x, y");
        settings.setValue("Library/Folders", folders);
    }
    QStringList read;
    for (const std::string& folder : fx::readSettingsList(file.toStdString(), "Library", "Folders"))
        read << QString::fromStdString(folder);
    QCOMPARE(read, folders);
}

void TestLibrary::tool_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("output");
    const QString dir = m_dir.filePath("lib");
    QTest::newRow("definition") << QStringList{"--dir", dir, "robin"} << 0
                                << "Robe\tRobin 600 Spot\tMoving Head\t11/15/24\t" + dir +
                                       "/Robe/robin.qxf\n";
    QTest::newRow("fixture setup files")
        << QStringList{"--dir", dir + "/console", "--dir", dir + "/Robe", "FIXTURE"} << 0
        << "\tLED Par\tLED fixture\t8\t" + dir + "/console/par.tff\n" + "\tSpot575\tfixture\t12\t" +
               dir + "/console/my-own.tff\n" + "\tStepper\tfixture\t2\t" + dir +
               "/console/steps.tff\n";
    QTest::newRow("no match") << QStringList{"--dir", dir, "robin", "zoom"} << 1 << QString();
    QTest::newRow("no folder") << QStringList{"--dir", dir + "/none"} << 2 << QString();
    QTest::newRow("unknown option") << QStringList{"--dri", dir} << 2 << QString();
}

void TestLibrary::tool()
{
    QFETCH(QStringList, args);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_CACHE_HOME", m_dir.filePath("toolcache"));
    const auto run = support::runProgram(FIXTURE_TOOL_PATH, QStringList{"library"} + args, env);
    QTEST(run.status, "status");
    QTEST(QString::fromUtf8(run.out), "output");
    QCOMPARE(run.err.isEmpty(), run.status < 2);
    // It writes nothing but its cache.
    QCOMPARE(QDir(m_dir.filePath("toolcache")).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
             QStringList{"ORVA"});
    for (const QString& name : QDir(m_dir.filePath("toolcache/ORVA")).entryList(QDir::Files))
        QVERIFY2(name.startsWith("library-") && name.endsWith(".cache"), qPrintable(name));
}

QTEST_GUILESS_MAIN(TestLibrary)
#include "tst_library.moc"
