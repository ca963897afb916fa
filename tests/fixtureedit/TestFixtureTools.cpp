// The fixture editor's tools over the document: the problem list, Fill's refusal, the import of a
// fixture definition and the keys the channel grid and text boxes pass on (the label mnemonics
// are driven in TestKeyboard's walk), each through the real window.

#include "EditorHarness.h"

#include "fixtureedit/ChannelTraits.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QUndoStack>

class TestFixtureTools : public QObject {
    Q_OBJECT
private slots:
    void problemsFollowEditsAndJump();
    void fillRefusalIsShown();
    void importReplacesTheFixture();
    void keyboardPaths();
};

void TestFixtureTools::problemsFollowEditsAndJump()
{
    EditorHarness h;
    auto* list = h.editor->findChild<QListWidget*>("ProblemList");
    // A new fixture nobody has touched has no problems: its blank names are not yet any.
    QCOMPARE(list->count(), 0);
    // Two channels named "Pan": the console keeps one of them.
    for (int row : {2, 5})
        h.typeIntoNameCell(row, QStringLiteral("Pan"));
    QCOMPARE(list->count(), 1);
    const auto lineOf = [list](const QString& what) {
        const auto found = list->findItems(what, Qt::MatchContains);
        return found.isEmpty() ? -1 : list->row(found.first());
    };
    // Enter on the line selects the channel's row.
    list->setFocus();
    list->setCurrentRow(lineOf(QStringLiteral("channel 3")));
    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(h.grid->currentIndex().row(), 2);
    // An undo takes the problem away again.
    h.document.undoStack()->undo();
    QCOMPARE(lineOf(QStringLiteral("channel 3")), -1);
}

void TestFixtureTools::fillRefusalIsShown()
{
    EditorHarness h;
    h.record.setUp([](fx::FixtureRecord& r) { r.StepCount[1] = 250; });
    h.editor->traits()->selectChannel(1);
    onNextDialog([](QDialog* dialog) {
        dialog->findChild<QSpinBox*>("FillCount")->setValue(6);
        QTest::keyClick(dialog->findChild<QLineEdit*>("FillPattern"), Qt::Key_Return);
        QVERIFY(dialog->isVisible()); // which counts fit is the core's (tst_steptools)
        QVERIFY(dialog->findChild<QLabel*>("FillReason")->text().contains("room for 5"));
        dialog->reject();
    });
    QTest::mouseClick(h.editor->findChild<QPushButton*>("FillSteps"), Qt::LeftButton);
    QCOMPARE(int(h.record->StepCount[1]), 250);
    QVERIFY(!h.document.undoStack()->canUndo());
}

void TestFixtureTools::importReplacesTheFixture()
{
    EditorHarness h;
    const int names = h.editor->nameList().count();
    h.combo("Combo1")->setCurrentIndex(2); // unsaved work: the import asks first
    h.dialogs.setNextAnswer(ui::Dialogs::Answer::Discard);
    h.dialogs.setNextFileName(QStringLiteral(QXF_DATA_DIR "/moving-head.qxf"));
    h.dialogs.setNextAnswer(ui::Dialogs::Answer::Yes); // add the names the set lacks
    onNextDialog([](QDialog* dialog) { dialog->accept(); });
    QTest::keyClick(h.line("Text1"), Qt::Key_I, Qt::ControlModifier);

    QVERIFY(h.dialogs.shown().back().text.contains(QStringLiteral("Do you wish to add them?")));
    QVERIFY(h.editor->nameList().count() > names); // one entry each, in a whole name set file
    QCOMPARE(readFile(h.services.chNameSetPath).size(), qsizetype(fx::ChNameCount * 14));
    const fx::FixtureRecord& r = *h.record;
    QVERIFY(r.FixHeader.NumChannels > 3);
    QCOMPARE(h.grid->model()->rowCount(), int(r.FixHeader.NumChannels));
    QCOMPARE(h.line("Text1")->text(), QString::fromStdString(r.FixHeader.FixtureName.str()));
    QVERIFY(h.editor->isWindowModified());       // in no file yet
    QVERIFY(!h.document.undoStack()->canUndo()); // a fresh history
    QVERIFY(h.document.filePath().isEmpty());

    // A file whose pan degree the editor cannot show opens with a note saying so.
    auto wide = std::make_unique<fx::FixtureRecord>(r);
    wide->MaxPanDegree = 800;
    fx::BuildFuncMap(*wide);
    writeFile(h.path("wide.tff"), imageOf(*wide));
    h.dialogs.setNextAnswer(ui::Dialogs::Answer::Discard);
    QVERIFY(h.editor->openFile(h.path("wide.tff")));
    QVERIFY2(h.dialogs.shown().back().text.contains(QStringLiteral("800")),
             qPrintable(h.dialogs.shown().back().text));
}

void TestFixtureTools::keyboardPaths()
{
    EditorHarness h;
    // F6 leaves the channel grid for the next pane, the traits' channel chooser.
    h.grid->setFocus(Qt::TabFocusReason);
    QTest::keyClick(h.focus(), Qt::Key_F6);
    QCOMPARE(h.focus(), h.combo("Combo9"));
}

QTEST_MAIN(TestFixtureTools)
#include "TestFixtureTools.moc"
