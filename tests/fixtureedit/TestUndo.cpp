// Undo and redo through the fixture editor's own windows, the modified flag, and the question
// before work would be lost.

#include "EditorHarness.h"

#include "fixtureedit/ChannelTraits.h"

#include <QPushButton>
#include <QUndoStack>

class TestUndo : public QObject {
    Q_OBJECT
private slots:
    void everyEditUndoesAndRedoes();
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

} // namespace

void TestUndo::everyEditUndoesAndRedoes()
{
    EditorHarness h;
    std::vector<std::unique_ptr<fx::FixtureRecord>> states;
    QStringList names;
    const auto snap = [&] {
        states.push_back(std::make_unique<fx::FixtureRecord>(*h.record));
        names << action(h, "EditUndo")->text();
    };
    snap();
    const QByteArray startImage = imageOf(*h.record);

    h.line("Text1")->selectAll();
    QTest::keyClicks(h.line("Text1"), QStringLiteral("Spot")); // one edit for the typing
    snap();
    h.combo("Combo1")->setCurrentIndex(11);
    snap();
    h.clickCell(2, 4);
    QTest::keyClicks(h.focus(), QStringLiteral("200"));
    h.focusElsewhere();
    snap();
    h.editor->traits()->selectChannel(0);
    for (int i = 0; i < 3; ++i) {
        clickButton(h, "Command1"); // Add
        snap();
    }
    h.editor->findChild<QComboBox*>("Combo12")->setCurrentIndex(5);
    h.dialogs.setNextAnswer(ui::Dialogs::Answer::Ok);
    clickButton(h, "Command4"); // Copy channel 1 to 6
    snap();
    QVERIFY(names.last().contains(QStringLiteral("Copy Steps")));
    h.combo("Combo1")->setCurrentIndex(0); // 12 -> 1 hides eleven channels
    snap();
    QCOMPARE(h.record->FixHeader.NumChannels, 1);

    QUndoStack* undo = h.document.undoStack();
    QCOMPARE(undo->count(), int(states.size()) - 1);
    for (int i = int(states.size()) - 2; i >= 0; --i) {
        QVERIFY(action(h, "EditUndo")->isEnabled());
        action(h, "EditUndo")->trigger();
        QVERIFY2(*h.record == *states[std::size_t(i)], qPrintable(QString::number(i)));
        QCOMPARE(h.grid->model()->rowCount(), int(h.record->FixHeader.NumChannels));
    }
    QVERIFY(!action(h, "EditUndo")->isEnabled());
    QCOMPARE(h.line("Text1")->text(), QStringLiteral("New Fixture"));
    QCOMPARE(imageOf(*h.record), startImage);
    for (std::size_t i = 1; i < states.size(); ++i) {
        QTest::keyClick(h.grid, Qt::Key_Y, Qt::ControlModifier);
        QVERIFY2(*h.record == *states[i], qPrintable(QString::number(i)));
    }
    QCOMPARE(h.cell(0, 4), QStringLiteral("0"));
    action(h, "EditUndo")->trigger(); // the eleven channels come back as they were
    QCOMPARE(h.cell(2, 4), QStringLiteral("200"));
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
    const auto A = [](ui::Dialogs::Answer a) { return int(a); };
    for (const char* command : {"NewFixture", "OpenFixture"}) {
        const QByteArray c(command);
        QTest::newRow(c + " save") << command << A(ui::Dialogs::Answer::Save) << false << true;
        QTest::newRow(c + " save fails")
            << command << A(ui::Dialogs::Answer::Save) << true << false;
        QTest::newRow(c + " discard")
            << command << A(ui::Dialogs::Answer::Discard) << false << true;
        QTest::newRow(c + " cancel") << command << A(ui::Dialogs::Answer::Cancel) << false << false;
    }
}

void TestUndo::guardedActions()
{
    QFETCH(QString, command);
    QFETCH(int, answer);
    QFETCH(bool, saveFails);
    QFETCH(bool, goesOn);
    RefusingFileAccess refusing;
    EditorHarness h(nameSetFile(), saveFails ? &refusing : nullptr);
    const QString other = h.path("other.tff");
    writeFile(other, imageOf(*h.record)); // an 8-channel fixture to open
    h.combo("Combo1")->setCurrentIndex(19);
    const int shown = int(h.dialogs.shown().size());

    h.dialogs.setNextAnswer(ui::Dialogs::Answer(answer));
    if (answer == int(ui::Dialogs::Answer::Save))
        h.dialogs.setNextFileName(h.path("saved.tff"));
    if (command == QLatin1String("OpenFixture"))
        h.dialogs.setNextFileName(other);
    action(h, command.toLatin1().constData())->trigger();

    const auto& asked = h.dialogs.shown().at(shown);
    QVERIFY2(asked.text.contains(QStringLiteral("New Fixture")), qPrintable(asked.text));
    QCOMPARE(h.record->FixHeader.NumChannels, goesOn ? 8 : 20);
    QCOMPARE(QFile::exists(h.path("saved.tff")),
             answer == int(ui::Dialogs::Answer::Save) && !saveFails);
    QCOMPARE(h.editor->isWindowModified(), !goesOn);
}

void TestUndo::cancelledSaveChangesNothing()
{
    EditorHarness h;
    h.setChannel(0, "Pan", fx::TypeLtp);      // no code yet: a save gives "Pan" its fixed one
    h.setChannel(1, "x", fx::TypeInstant16L); // no high channel names it: a save makes it LTP
    const auto before = std::make_unique<fx::FixtureRecord>(*h.record);
    h.dialogs.setNextFileName(QString()); // the file dialog is cancelled
    action(h, "SaveFixture")->trigger();
    QVERIFY(*h.record == *before);
    // A folder named like the file is not offered for replacing: the write says why it fails.
    QDir(h.dir.path()).mkdir(QStringLiteral("x.tff"));
    const int shown = int(h.dialogs.shown().size());
    h.save(h.path("x.tff"));
    QCOMPARE(int(h.dialogs.shown().size()), shown + 1);
    QVERIFY(!h.dialogs.shown().back().question);
    QVERIFY(*h.record == *before);
}

QTEST_MAIN(TestUndo)
#include "TestUndo.moc"
