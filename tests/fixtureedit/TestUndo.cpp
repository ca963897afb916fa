// Undo and redo of every kind of edit made in the fixture editor's window, the modified flag, and
// the question before work would be lost.

#include "EditorHarness.h"

#include "fixtureedit/ChannelTraits.h"
#include "fixtureedit/StepGrid.h"

#include <QDialog>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QUndoStack>

class TestUndo : public QObject {
    Q_OBJECT
private slots:
    void eachEditUndoes_data();
    void eachEditUndoes();
    void modifiedFollowsTheSavedState();
    void guardedActions_data();
    void guardedActions();
    void cancelledSaveChangesNothing();
};

namespace {

void clickButton(EditorHarness& h, const char* name)
{
    QTest::mouseClick(h.editor->findChild<QPushButton*>(name), Qt::LeftButton);
}

QAction* action(EditorHarness& h, const char* name)
{
    return h.editor->findChild<QAction*>(QString::fromLatin1(name));
}

void typeInto(QWidget* box, const QString& text)
{
    box->setFocus();
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(box, text);
}

void clickStepCell(EditorHarness& h, int row, int column)
{
    QTableView* steps = h.editor->traits()->stepGrid();
    QTest::mouseClick(steps->viewport(), Qt::LeftButton, {},
                      steps->visualRect(steps->model()->index(row, column)).center());
}

} // namespace

using WindowEdit = std::function<void(EditorHarness&)>;
Q_DECLARE_METATYPE(WindowEdit)

void TestUndo::eachEditUndoes_data()
{
    QTest::addColumn<WindowEdit>("edit");
    const auto row = [](const char* undoName, WindowEdit edit) { QTest::newRow(undoName) << edit; };
    using H = EditorHarness;
    row("Fixture Name", [](H& h) { typeInto(h.line("Text1"), QStringLiteral("Spot")); });
    row("Max Tilt Degree", [](H& h) { typeInto(h.line("Text2"), QStringLiteral("270")); });
    row("Channel Count", [](H& h) { h.combo("Combo1")->setCurrentIndex(0); }); // hides 7 channels
    row("Channel Name", [](H& h) { h.typeIntoNameCell(2, QStringLiteral("Pan")); });
    row("Channel Type", [](H& h) {
        h.clickCell(2, 2);
        QTest::keyClick(h.focus(), Qt::Key_Down);
        h.focusElsewhere();
    });
    row("16-bit Partner", [](H& h) {
        h.clickCell(1, 3);
        QTest::keyClick(h.focus(), Qt::Key_Down);
        h.focusElsewhere();
    });
    row("Channel Value", [](H& h) {
        h.clickCell(2, 4);
        QTest::keyClicks(h.focus(), QStringLiteral("200"));
        h.focusElsewhere();
    });
    row("Add Step", [](H& h) { clickButton(h, "Command1"); });
    row("Insert Step", [](H& h) {
        clickStepCell(h, 1, 0);
        clickButton(h, "Command2");
    });
    row("Delete Step", [](H& h) {
        clickStepCell(h, 1, 0);
        clickButton(h, "Command3");
    });
    row("Step Name", [](H& h) {
        clickStepCell(h, 0, 1);
        QTest::keyClicks(h.focus(), QStringLiteral("Open"));
        h.focusElsewhere();
    });
    row("Copy Steps", [](H& h) {
        h.combo("Combo12")->setCurrentIndex(5);
        h.dialogs.setNextAnswer(ui::Dialogs::Answer::Ok);
        clickButton(h, "Command4");
    });
    row("Fill Steps", [](H& h) {
        onNextDialog([](QDialog* dialog) {
            dialog->findChild<QSpinBox*>("FillCount")->setValue(3);
            dialog->accept();
        });
        clickButton(h, "FillSteps");
        h.editor->activateWindow(); // the offscreen platform leaves no window active
        QVERIFY(QTest::qWaitForWindowActive(h.editor.get()));
    });
    row("Sort Steps", [](H& h) { clickButton(h, "SortSteps"); });
}

void TestUndo::eachEditUndoes()
{
    QFETCH(WindowEdit, edit);
    EditorHarness h;
    h.record.setUp([](fx::FixtureRecord& r) {
        for (int c = 0; c < 8; ++c)
            ::setChannel(r.Channels[c], "Old", fx::TypeLtp, 0, 9);
        r.Channels[1].ChType = fx::TypeInstant16H;
        r.StepCount[0] = 3; // out of order, for Sort
        for (int s = 0; s < 3; ++s)
            r.Steps[0][s] = {std::uint8_t(90 - 40 * s), 99, fx::FixedText<8>::fromText("S")};
    });
    h.editor->FillChannelGrid();
    h.editor->traits()->selectChannel(0);
    const auto before = std::make_unique<fx::FixtureRecord>(*h.record);
    const QByteArray beforeImage = imageOf(*before);

    edit(h);
    QUndoStack* undo = h.document.undoStack();
    QCOMPARE(undo->count(), 1);
    QCOMPARE(undo->undoText(), QString::fromLatin1(QTest::currentDataTag()));
    const auto after = std::make_unique<fx::FixtureRecord>(*h.record);
    QVERIFY(!(*after == *before));

    action(h, "EditUndo")->trigger();
    QVERIFY(*h.record == *before);
    QCOMPARE(imageOf(*h.record), beforeImage);
    QCOMPARE(h.grid->model()->rowCount(), 8);
    QTest::keyClick(h.grid, Qt::Key_Y, Qt::ControlModifier);
    QVERIFY(*h.record == *after);
    QCOMPARE(h.grid->model()->rowCount(), int(after->FixHeader.NumChannels));
}

void TestUndo::modifiedFollowsTheSavedState()
{
    EditorHarness h;
    QVERIFY(!h.editor->isWindowModified());
    h.combo("Combo1")->setCurrentIndex(3);
    QVERIFY(h.editor->isWindowModified());
    h.save(h.path("a.tff"));
    QVERIFY(!h.editor->isWindowModified());
    QCOMPARE(h.document.filePath(), h.path("a.tff"));
    h.combo("Combo1")->setCurrentIndex(5);
    QVERIFY(h.editor->isWindowModified());
    action(h, "EditUndo")->trigger();
    QVERIFY(!h.editor->isWindowModified());
    action(h, "EditRedo")->trigger();
    QVERIFY(h.editor->isWindowModified());
    // Open and New start a fresh history.
    h.dialogs.setNextAnswer(ui::Dialogs::Answer::Discard);
    h.open(h.path("a.tff"));
    QVERIFY(!h.editor->isWindowModified());
    QVERIFY(!action(h, "EditUndo")->isEnabled());
    QCOMPARE(h.record->FixHeader.NumChannels, 4);
}

void TestUndo::guardedActions_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("saveFails");
    QTest::addColumn<bool>("goesOn");
    QTest::addColumn<bool>("unsaved"); // else the plain question of New is asked
    using A = ui::Dialogs::Answer;
    for (const char* command : {"NewFixture", "OpenFixture"}) {
        const QByteArray c(command);
        QTest::newRow(c + " save") << command << int(A::Save) << false << true << true;
        QTest::newRow(c + " save fails") << command << int(A::Save) << true << false << true;
        QTest::newRow(c + " discard") << command << int(A::Discard) << false << true << true;
        QTest::newRow(c + " cancel") << command << int(A::Cancel) << false << false << true;
    }
    QTest::newRow("NewFixture OK") << "NewFixture" << int(A::Ok) << false << true << false;
    QTest::newRow("NewFixture Cancel") << "NewFixture" << int(A::Cancel) << false << false << false;
}

void TestUndo::guardedActions()
{
    QFETCH(QString, command);
    QFETCH(int, answer);
    QFETCH(bool, saveFails);
    QFETCH(bool, goesOn);
    QFETCH(bool, unsaved);
    RefusingFileAccess refusing;
    EditorHarness h(nameSetFile(), saveFails ? &refusing : nullptr);
    const QString other = h.path("other.tff");
    writeFile(other, imageOf(*h.record)); // an 8-channel fixture to open
    h.combo("Combo1")->setCurrentIndex(19);
    if (!unsaved)
        h.document.markSaved(QString());
    const int shown = int(h.dialogs.shown().size());

    h.dialogs.setNextAnswer(ui::Dialogs::Answer(answer));
    if (answer == int(ui::Dialogs::Answer::Save))
        h.dialogs.setNextFileName(h.path("saved.tff"));
    if (command == QLatin1String("OpenFixture"))
        h.dialogs.setNextFileName(other);
    action(h, command.toLatin1().constData())->trigger();

    const auto& asked = h.dialogs.shown().at(shown);
    QVERIFY2(!unsaved || asked.text.contains(QStringLiteral("New Fixture")),
             qPrintable(asked.text));
    QCOMPARE(h.record->FixHeader.NumChannels, goesOn ? 8 : 20);
    QCOMPARE(h.grid->model()->rowCount(), goesOn ? 8 : 20);
    QCOMPARE(QFile::exists(h.path("saved.tff")),
             answer == int(ui::Dialogs::Answer::Save) && !saveFails);
    QCOMPARE(h.editor->isWindowModified(), !goesOn && unsaved);
}

void TestUndo::cancelledSaveChangesNothing()
{
    EditorHarness h;
    h.setChannel(0, "Pan", fx::TypeLtp);      // no code yet: a save gives "Pan" its fixed one
    h.setChannel(1, "x", fx::TypeInstant16L); // no high channel names it: a save makes it LTP
    const auto before = std::make_unique<fx::FixtureRecord>(*h.record);
    h.dialogs.setNextAnswer(ui::Dialogs::Answer::Ok); // the unpaired low channel: save anyway
    h.save(QString()); // the file dialog is cancelled, and so is the one of Open
    h.open(QString());
    QCOMPARE(h.dialogs.fileDialogsShown(), 2);
    QVERIFY(*h.record == *before);
    // A folder named like the file is not offered for replacing: the write says why it fails.
    QDir(h.dir.path()).mkdir(QStringLiteral("x.tff"));
    const int shown = int(h.dialogs.shown().size());
    h.dialogs.setNextAnswer(ui::Dialogs::Answer::Ok); // the unpaired low channel: save anyway
    h.save(h.path("x.tff"));
    QCOMPARE(int(h.dialogs.shown().size()), shown + 2);
    QVERIFY(!h.dialogs.shown().back().question);
    QVERIFY(*h.record == *before);
    // A save that happens mends the lone low channel, in the grid too.
    h.dialogs.setNextAnswer(ui::Dialogs::Answer::Ok);
    h.save(h.path("y.tff"));
    QCOMPARE(h.cell(1, 2), QStringLiteral("LTP"));
}

QTEST_MAIN(TestUndo)
#include "TestUndo.moc"
