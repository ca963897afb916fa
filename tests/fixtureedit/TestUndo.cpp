// Undo and redo of each edit the fixture editor's boxes, lists and buttons make (its grids' cells:
// TestKeyboard's gridKeys), the modified flag, and the question before work would be lost.

#include "EditorHarness.h"

#include "fixtureedit/ChannelTraits.h"
#include "fixtureedit/StepGrid.h"

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

QAction* action(EditorHarness& h, const char* name)
{
    return h.editor->findChild<QAction*>(QString::fromLatin1(name));
}

// Does in the window what a script such as "step 1 0; button Command2" says: "step" clicks a
// cell of the step grid, "type" replaces a text box's text, "pick" chooses an index of a list,
// "button" clicks, "ok" answers the next question, "fill n" fills n steps through the dialog.
// (That a stored grid cell is one edit is TestKeyboard's gridKeys.)
void act(EditorHarness& h, const QString& script)
{
    for (const QString& command : script.split(u';')) {
        const QStringList w = command.simplified().split(u' ');
        const QString text = w.mid(2).join(u' ');
        QTableView* steps = h.editor->traits()->stepGrid();
        QWidget* control = h.editor->findChild<QWidget*>(w.value(1));
        if (w[0] == "step") {
            const QModelIndex at = steps->model()->index(w[1].toInt(), w[2].toInt());
            QTest::mouseClick(steps->viewport(), Qt::LeftButton, {},
                              steps->visualRect(at).center());
        } else if (w[0] == "type") {
            control->setFocus();
            QTest::keyClick(control, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(control, text);
        } else if (w[0] == "pick") {
            static_cast<QComboBox*>(control)->setCurrentIndex(w[2].toInt());
        } else if (w[0] == "button") {
            QTest::mouseClick(control, Qt::LeftButton);
        } else if (w[0] == "ok") {
            h.dialogs.setNextAnswer(ui::Dialogs::Answer::Ok);
        } else if (w[0] == "fill") {
            onNextDialog([n = w[1].toInt()](QDialog* dialog) {
                dialog->findChild<QSpinBox*>("FillCount")->setValue(n);
                dialog->accept();
            });
            QTest::mouseClick(h.editor->findChild<QWidget*>("FillSteps"), Qt::LeftButton);
            h.editor->activateWindow(); // the offscreen platform leaves no window active
            QVERIFY(QTest::qWaitForWindowActive(h.editor.get()));
        }
    }
}

} // namespace

void TestUndo::eachEditUndoes_data()
{
    QTest::addColumn<QString>("script"); // the row's name is the edit's name in the history
    const auto row = [](const char* undoName, const char* script) {
        QTest::newRow(undoName) << QString(script);
    };
    row("Fixture Name", "type Text1 Spot"); // one edit for the typing
    row("Max Tilt Degree", "type Text2 270");
    row("Channel Count", "pick Combo1 0"); // seven channels hidden
    row("Add Step", "button Command1");
    row("Insert Step", "step 1 0; button Command2");
    row("Delete Step", "step 1 0; button Command3");
    row("Copy Steps", "pick Combo12 5; ok; button Command4");
    row("Fill Steps", "fill 3");
    row("Sort Steps", "button SortSteps");
}

void TestUndo::eachEditUndoes()
{
    QFETCH(QString, script);
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

    act(h, script);
    QUndoStack* undo = h.document.undoStack();
    QCOMPARE(undo->count(), 1);
    QCOMPARE(undo->undoText(), QString::fromLatin1(QTest::currentDataTag()));
    const auto after = std::make_unique<fx::FixtureRecord>(*h.record);
    QVERIFY(!(*after == *before));

    action(h, "EditUndo")->trigger();
    QVERIFY(*h.record == *before);
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
    h.dialogs.setNextFileName(h.path("a.tff"));
    QTest::keyClick(h.combo("Combo1"), Qt::Key_S, Qt::ControlModifier); // Save's shortcut
    QVERIFY(!h.editor->isWindowModified());
    QCOMPARE(h.document.filePath(), h.path("a.tff"));
    // A save that settles nothing adds no edit of its own.
    QCOMPARE(h.document.undoStack()->undoText(), QStringLiteral("Channel Count"));
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

// New and Open ask before unsaved work is lost. The question is the one the exit asks, whose
// failing save TestMainForm's exit table covers.
void TestUndo::guardedActions_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("unsaved"); // else the plain question of New is asked
    using A = ui::Dialogs::Answer;
    for (const char* command : {"NewFixture", "OpenFixture"}) {
        const QByteArray c(command);
        QTest::newRow(c + " save") << command << int(A::Save) << true;
        QTest::newRow(c + " discard") << command << int(A::Discard) << true;
        QTest::newRow(c + " cancel") << command << int(A::Cancel) << true;
    }
    QTest::newRow("NewFixture OK") << "NewFixture" << int(A::Ok) << false;
    QTest::newRow("NewFixture Cancel") << "NewFixture" << int(A::Cancel) << false;
}

void TestUndo::guardedActions()
{
    QFETCH(QString, command);
    QFETCH(int, answer);
    QFETCH(bool, unsaved);
    const bool goesOn = answer != int(ui::Dialogs::Answer::Cancel);
    EditorHarness h;
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

    QVERIFY(h.dialogs.shown().size() > shown);
    const auto& asked = h.dialogs.shown().at(shown);
    QVERIFY2(!unsaved || asked.text.contains(QStringLiteral("New Fixture")),
             qPrintable(asked.text));
    QCOMPARE(h.record->FixHeader.NumChannels, goesOn ? 8 : 20);
    QCOMPARE(h.grid->model()->rowCount(), goesOn ? 8 : 20);
    QCOMPARE(QFile::exists(h.path("saved.tff")), answer == int(ui::Dialogs::Answer::Save));
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
    // A save that happens gives "Pan" its code and mends the lone low channel, in the grid too,
    // as one edit (named by what it did: tst_editordocuments); the fixture is saved.
    h.dialogs.setNextAnswer(ui::Dialogs::Answer::Ok);
    h.save(h.path("y.tff"));
    QCOMPARE(h.cell(1, 2), QStringLiteral("LTP"));
    QVERIFY(!h.editor->isWindowModified());
    action(h, "EditUndo")->trigger();
    QCOMPARE(h.cell(1, 2), QStringLiteral("instant LTP 16bitL"));
    QVERIFY(h.editor->isWindowModified());
}

QTEST_MAIN(TestUndo)
#include "TestUndo.moc"
