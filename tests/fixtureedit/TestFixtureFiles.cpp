// Save, open and import through the fixture editor: the file dialogs and where they start, the
// ".tff" suffix, the replace question, what the file cannot hold, failed reads. The file format
// itself is tst_fixturefile's.
#include "EditorHarness.h"

#include "fixtureedit/ChannelTraits.h"
#include "fixtureedit/FixtureFiles.h"
#include "fixtureedit/StepGrid.h"

#include <QFileInfo>
#include <QSettings>

namespace {

// A fixture of three channels with a 16-bit pair and steps.
std::unique_ptr<fx::FixtureRecord> sampleFixture()
{
    auto r = samples::newFixture(3);
    r->FixHeader.FixtureName.assign("Scanner");
    r->MaxPanDegree = 180;
    r->MaxTiltDegree = 90;
    setChannel(r->Channels[0], "Pan", fx::TypeFadeable16H, 2, 128, 6);
    setChannel(r->Channels[1], "Pan Fine", fx::TypeFadeable16L);
    setChannel(r->Channels[2], "Colour", fx::TypeInstantLtp, 0, 0, 9);
    r->StepCount[0] = 2;
    r->Steps[0][0] = {0, 127, fx::FixedText<8>::fromText("Left")};
    r->Steps[0][1] = {128, 255, fx::FixedText<8>::fromText("Right")};
    r->StepCount[2] = 1;
    r->Steps[2][0] = {10, 20, fx::FixedText<8>::fromText("Red")};
    fx::BuildFuncMap(*r);
    return r;
}

} // namespace

class TestFixtureFiles : public QObject {
    Q_OBJECT

private slots:
    void save_data();
    void save();
    void openEditsAreStoredFirst();
    void dialogStarts();
    void capacityQuestion_data();
    void capacityQuestion();
    void openFails_data();
    void openFails();
    void openRefreshesEditor();
};

void TestFixtureFiles::save_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("written");
    QTest::addColumn<QByteArray>("old"); // null: no such file before; "<folder>": a folder
    QTest::addColumn<int>("answer");     // to the replace question; -1: not asked
    const auto row = [](const char* name, const char* chosen, const char* written,
                        const QByteArray& old = {}, int answer = -1) {
        QTest::newRow(name) << QString(chosen) << QString(written) << old << answer;
    };
    row("no suffix", "spot", "spot.tff");
    row("upper case", "spot.TFF", "spot.TFF");
    row("other suffix", "spot.fix", "spot.fix.tff");
    row("replace: Yes", "spot", "spot.tff", "old", int(ui::Dialogs::Answer::Yes));
    row("replace: No", "spot", "spot.tff", "old", int(ui::Dialogs::Answer::No));
    row("empty file replaced", "spot", "spot.tff", QByteArray(""));
    row("a folder of that name: no question, the failure told", "spot", "spot.tff", "<folder>");
}

void TestFixtureFiles::save()
{
    QFETCH(QString, chosen);
    QFETCH(QString, written);
    QFETCH(QByteArray, old);
    QFETCH(int, answer);
    EditorHarness h;
    const QString path = h.path(written);
    const bool folder = old == "<folder>";
    if (folder)
        QDir().mkpath(path);
    else if (!old.isNull())
        writeFile(path, old);
    h.combo("Combo1")->setCurrentIndex(4);
    h.record.setUp([&](fx::FixtureRecord& r) { r.Channels[4].FuncCode = 3; });
    if (answer >= 0)
        h.dialogs.setNextAnswer(ui::Dialogs::Answer(answer));

    h.save(h.path(chosen));

    QCOMPARE(h.dialogs.lastFilter(), QStringLiteral("Fixture Setup File(*.tff)"));
    QCOMPARE(h.dialogs.shown().size(), answer >= 0 || folder ? 1 : 0);
    if (answer >= 0 || folder)
        QCOMPARE(h.dialogs.shown()[0].question, !folder);
    if (answer >= 0)
        QVERIFY(h.dialogs.shown()[0].text.startsWith(path));
    const bool replaced = answer != int(ui::Dialogs::Answer::No) && !folder;
    if (folder)
        QVERIFY(QFileInfo(path).isDir());
    else
        QCOMPARE(readFile(path), replaced ? imageOf(*h.record) : old);
    // The function map changes only with a save that happened.
    QCOMPARE(int(h.record->FuncMap[3]), replaced ? 5 : 0);
    QCOMPARE(QDir(h.dir.path()).entryList(QDir::Files).size(), folder ? 1 : 2); // + ChNameSet.fix
}

void TestFixtureFiles::openEditsAreStoredFirst()
{
    EditorHarness h;
    h.clickCell(2, 4);
    QTest::keyClicks(h.openEditor<QLineEdit>("Text5"), QStringLiteral("42"));
    h.editor->traits()->selectChannel(2);
    QTest::mouseClick(h.editor->findChild<QWidget*>("Command1"), Qt::LeftButton); // Add a step
    auto* steps = h.editor->findChild<QAbstractItemView*>("MSFlexGrid2");
    const QRect nameCell = steps->visualRect(steps->model()->index(0, 1));
    QTest::mouseClick(steps->viewport(), Qt::LeftButton, {}, nameCell.center());
    QTest::keyClicks(h.focus(), QStringLiteral("Slow"));
    h.save(h.path(QStringLiteral("a.tff")));
    QCOMPARE(int(h.channel(2).ChValue), 42);
    QCOMPARE(h.record->Steps[2][0].StepName.trimmed(), std::string("Slow"));
    QCOMPARE(readFile(h.path(QStringLiteral("a.tff"))), imageOf(*h.record));
    QCOMPARE(h.editor->focusWidget(), h.line("Text1"));
}

// The save dialog starts at the fixture's own file, or for an imported (or new) fixture at its
// name in the folder last saved to, never in the library folder it came from; the import's
// dialog starts in QLC+'s fixture folder until another folder was used for imports.
void TestFixtureFiles::dialogStarts()
{
    EditorHarness h;
    QSettings().remove(QStringLiteral("FixtureFiles"));
    const QString qlc = h.path(QStringLiteral("qlc"));
    QVERIFY(QDir().mkpath(qlc));
    qputenv("QLCPLUS_FIXTURES_DIR", QFile::encodeName(qlc));
    FixtureFiles& files = *h.editor->files();

    h.trigger("ImportFixture", QString());
    QCOMPARE(h.dialogs.lastStart(), qlc);
    h.save(h.path(QStringLiteral("spot.tff")));
    h.trigger("SaveFixture", QString());
    QCOMPARE(h.dialogs.lastStart(), h.path(QStringLiteral("spot.tff")));

    // An import from the library folder: its name in the folder last saved to.
    QVERIFY(QFile::copy(QStringLiteral(QXF_DATA_DIR "/moving-head.qxf"), qlc + "/head.qxf"));
    onNextDialog([](QDialog* dialog) { dialog->accept(); });
    h.dialogs.setNextAnswer(ui::Dialogs::Answer::No); // the names the set lacks
    h.trigger("ImportFixture", qlc + "/head.qxf");
    const QString name = QString::fromLatin1(h.record->FixHeader.FixtureName.str()).trimmed();
    QVERIFY(!name.isEmpty());
    QCOMPARE(files.saveStart(), h.path(name + ".tff"));

    // Another folder used for an import is where the next one starts.
    const QString other = h.path(QStringLiteral("defs"));
    QVERIFY(QDir().mkpath(other));
    h.dialogs.setNextAnswer(ui::Dialogs::Answer::Discard);
    h.trigger("ImportFixture", other + "/missing.qxf");
    QCOMPARE(files.importStart(), other);
    qunsetenv("QLCPLUS_FIXTURES_DIR");
}

// What the file cannot hold is the core's check (tst_fixturecheck); here its question is asked
// and a Cancel saves nothing.
void TestFixtureFiles::capacityQuestion_data()
{
    QTest::addColumn<bool>("ok");
    QTest::newRow("OK") << true;
    QTest::newRow("Cancel") << false;
}

void TestFixtureFiles::capacityQuestion()
{
    QFETCH(bool, ok);
    EditorHarness h;
    h.record.setUp([&](fx::FixtureRecord& r) {
        r.StepCount[0] = 200;
        r.StepCount[3] = 5;
    });
    // The blank steps overlap: an error asked about first, in a question of its own.
    h.dialogs.setNextAnswer(ui::Dialogs::Answer::Ok);
    h.dialogs.setNextAnswer(ok ? ui::Dialogs::Answer::Ok : ui::Dialogs::Answer::Cancel);
    h.save(h.path(QStringLiteral("big.tff")));

    QCOMPARE(h.dialogs.shown().size(), 2);
    QVERIFY(h.dialogs.shown()[1].text.contains(QStringLiteral("1 step of channel 4")));
    QCOMPARE(QFileInfo::exists(h.path(QStringLiteral("big.tff"))), ok);
    QCOMPARE(h.dialogs.fileDialogsShown(), ok ? 1 : 0);
}

void TestFixtureFiles::openFails_data()
{
    QTest::addColumn<QByteArray>("content"); // null: no such file
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing") << QByteArray() << "";
    QTest::newRow("short") << QByteArray(512, '\0') << "512 bytes"; // the reasons: tst_fixturefile
}

void TestFixtureFiles::openFails()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, reason);
    EditorHarness h;
    const QString path = h.path(QStringLiteral("bad.tff"));
    if (!content.isNull())
        writeFile(path, content);
    h.combo("Combo1")->setCurrentIndex(9);
    h.record.setUp([&](fx::FixtureRecord& r) { r.Channels[2].ChName.assign("Keep"); });
    h.editor->FillChannelGrid();
    const auto before = std::make_unique<fx::FixtureRecord>(*h.record);

    h.open(path);

    QCOMPARE(h.dialogs.shown().size(), 1);
    const auto& told = h.dialogs.shown()[0];
    QVERIFY2(!told.question && told.text.contains(path) && told.text.contains(reason),
             qPrintable(told.text));
    QVERIFY(*h.record == *before);
    QCOMPARE(h.grid->model()->rowCount(), 10);
    QCOMPARE(h.cell(2, 1), QStringLiteral("Keep        "));
}

void TestFixtureFiles::openRefreshesEditor()
{
    EditorHarness h;
    const auto sample = sampleFixture();
    const QString path = h.path(QStringLiteral("scanner.tff"));
    writeFile(path, imageOf(*sample));
    h.editor->traits()->selectChannel(5);

    h.open(path);

    QVERIFY(h.dialogs.shown().isEmpty());
    QCOMPARE(h.line("Text2")->text(), QStringLiteral("90"));
    QCOMPARE(h.grid->model()->rowCount(), 3);
    QCOMPARE(h.cell(0, 2), QStringLiteral("Fadeable LTP 16bitH"));
    QCOMPARE(h.combo("Combo9")->currentIndex(), 0);
    QCOMPARE(h.editor->traits()->stepGrid()->model()->index(1, 1).data().toString(),
             QStringLiteral("Right"));
    QCOMPARE(h.editor->focusWidget(), h.line("Text1"));

    // Saved again unchanged, the file is the same.
    h.dialogs.setNextAnswer(ui::Dialogs::Answer::Yes);
    h.save(path);
    QCOMPARE(readFile(path), imageOf(*sample));
}

QTEST_MAIN(TestFixtureFiles)
#include "TestFixtureFiles.moc"
