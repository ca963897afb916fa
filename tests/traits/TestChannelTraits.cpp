// The "Channel Traits" frame driven through its controls: the steps grid, its cell editor and
// keyboard advance, Add / Insert / Delete / Copy, the channel choosers and the usage label.
#include "common/RecordView.h"
#include "core/FixtureRecord.h"
#include "fixtureedit/ChannelTraits.h"
#include "ui/ScriptedDialogs.h"

#include <QAbstractItemModelTester>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <QtTest>

#include <memory>

using Answer = ui::Dialogs::Answer;

class TestChannelTraits : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void buttonsActOnTheSelectedStep();
    void copyAsksBeforeOverwriting_data();
    void copyAsksBeforeOverwriting();
    void cellEntryIsStored_data();
    void cellEntryIsStored();
    void placeholderEntryIsNoStep();
    void keyboardAdvanceWrapsToFirstName();
    void shiftTabGoesBack_data();
    void shiftTabGoesBack();
    void mousePressAndKeys();
    void commitAndHideForTheEditor();
    void chooserUpkeep();
    void chooserShowsChosenChannel();
    void usageLabelCountsEveryChannel_data();
    void usageLabelCountsEveryChannel();
    void modelPassesTester();

private:
    QTableView* grid() const { return m_frame->findChild<QTableView*>("MSFlexGrid2"); }
    QPushButton* button(const char* name) const { return m_frame->findChild<QPushButton*>(name); }
    QComboBox* combo(const char* name) const { return m_frame->findChild<QComboBox*>(name); }
    QModelIndex index(int row, int column) const { return grid()->model()->index(row, column); }
    QString cell(int row, int column) const { return index(row, column).data().toString(); }
    QStringList rowText(int row) const
    {
        return {cell(row, 0), cell(row, 1), cell(row, 2), cell(row, 3)};
    }
    QLineEdit* editor() const;
    void click(const char* buttonName) { QTest::mouseClick(button(buttonName), Qt::LeftButton); }
    void clickCell(int row, int column);
    // Gives channel c the steps "S1".."Sn" with From 10k and To 10k+5, and shows channel c.
    void giveSteps(int channel0, int count);
    const fx::StepInfo& step(int channel0, int k) { return m_record->Steps[channel0][k]; }
    int count(int channel0) const { return m_record->StepCount[channel0]; }
    QString usage() const { return m_frame->findChild<QLabel*>("StepUsage")->text(); }

    std::unique_ptr<ui::Document> m_document;
    RecordView m_record{nullptr};
    ui::ScriptedDialogs m_dialogs;
    std::unique_ptr<QWidget> m_window;
    ChannelTraits* m_frame = nullptr;
    QLineEdit* m_elsewhere = nullptr;
};

void TestChannelTraits::init()
{
    m_document = std::make_unique<ui::Document>();
    m_record = RecordView{m_document.get()};
    m_record.setUp([](fx::FixtureRecord& r) { fx::ResetFixtureRecord(r, 8); });
    m_dialogs.clear();
    m_window = std::make_unique<QWidget>();
    auto* layout = new QVBoxLayout(m_window.get());
    m_frame = new ChannelTraits(*m_document, m_dialogs, m_window.get());
    m_elsewhere = new QLineEdit(m_window.get());
    layout->addWidget(m_frame);
    layout->addWidget(m_elsewhere);
    m_frame->resetChannels(8);
    m_window->resize(460, 520);
    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
}

void TestChannelTraits::cleanup()
{
    m_window.reset();
}

QLineEdit* TestChannelTraits::editor() const
{
    for (QLineEdit* e : grid()->viewport()->findChildren<QLineEdit*>("Text3")) {
        if (!e->isHidden())
            return e;
    }
    return nullptr;
}

void TestChannelTraits::clickCell(int row, int column)
{
    const QModelIndex at = index(row, column);
    grid()->scrollTo(at);
    QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, grid()->visualRect(at).center());
}

void TestChannelTraits::giveSteps(int channel0, int n)
{
    m_record.setUp([&](fx::FixtureRecord& r) {
        r.StepCount[channel0] = static_cast<std::uint8_t>(n);
        for (int k = 0; k < n; ++k) {
            fx::StepInfo& step = r.Steps[channel0][k];
            step.StepName.assign(QStringLiteral("S%1").arg(k + 1).toStdString());
            step.FromDmx = static_cast<std::uint8_t>(10 * k);
            step.ToDmx = static_cast<std::uint8_t>(10 * k + 5);
        }
    });
    m_frame->selectChannel(channel0);
}

void TestChannelTraits::buttonsActOnTheSelectedStep()
{
    // The step rules are the document's (tst_fixturedocument); the buttons pick the step.
    click("Command1"); // Add on "No Steps" gives step 1
    QCOMPARE(count(0), 1);
    QCOMPARE(rowText(0), QStringList({"Step 1", "", "0", "0"}));
    giveSteps(0, 3);
    clickCell(1, 0);
    click("Command2"); // Insert before step 2, which stays current
    QCOMPARE(count(0), 4);
    QCOMPARE(rowText(1), QStringList({"Step 2", "", "0", "0"}));
    QCOMPARE(cell(2, 1), QStringLiteral("S2"));
    QCOMPARE(grid()->currentIndex(), index(2, 0));
    click("Command3"); // Delete the current step
    QCOMPARE(count(0), 3);
    QCOMPARE(rowText(2), QStringList({"Step 3", "S3", "20", "25"}));
    // Insert and Delete need a cell of the Step column.
    clickCell(0, 1);
    click("Command3");
    click("Command2");
    QCOMPARE(count(0), 3);
    QCOMPARE(usage(), QStringLiteral("Steps in file: 3 of 204"));
}

void TestChannelTraits::copyAsksBeforeOverwriting_data()
{
    QTest::addColumn<int>("to");
    QTest::addColumn<int>("answer"); // -1: no question expected
    QTest::addColumn<bool>("copied");
    QTest::newRow("OK") << 2 << int(Answer::Ok) << true;
    QTest::newRow("Cancel") << 2 << int(Answer::Cancel) << false;
    QTest::newRow("same channel") << 0 << -1 << false;
    QTest::newRow("OK, to channel 8") << 7 << int(Answer::Ok) << true;
}

void TestChannelTraits::copyAsksBeforeOverwriting()
{
    QFETCH(int, to);
    QFETCH(int, answer);
    QFETCH(bool, copied);
    giveSteps(0, 4);
    if (to != 0)
        giveSteps(to, 1);
    m_record.setUp([&](fx::FixtureRecord& r) {
        r.Steps[0][200].StepName.assign("far"); // copied too, though beyond the count
        if (to != 0)
            r.Steps[to][0].StepName.assign("keep");
    });
    m_frame->selectChannel(0);
    const auto targetBefore = m_record->Steps[to];
    const int countBefore = count(to);
    m_frame->selectChannel(1);

    combo("Combo11")->setCurrentIndex(0);
    combo("Combo12")->setCurrentIndex(to);
    if (answer >= 0)
        m_dialogs.setNextAnswer(Answer(answer));
    click("Command4");

    if (answer < 0) {
        QVERIFY(m_dialogs.shown().isEmpty());
    } else {
        QCOMPARE(m_dialogs.shown().size(), 1);
    }
    if (copied) {
        QCOMPARE(count(to), 4);
        QVERIFY(m_record->Steps[to] == m_record->Steps[0]);
        QCOMPARE(m_frame->currentChannel(), to);
        QCOMPARE(grid()->model()->rowCount(), 4);
        QCOMPARE(cell(3, 1), QStringLiteral("S4"));
        QCOMPARE(usage(), QStringLiteral("Steps in file: 8 of 204"));
    } else {
        QCOMPARE(count(to), countBefore);
        QVERIFY(m_record->Steps[to] == targetBefore);
        QCOMPARE(m_frame->currentChannel(), 1);
    }
}

void TestChannelTraits::cellEntryIsStored_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("typed");  // after clearing the editor
    QTest::addColumn<bool>("leaveCell"); // the grid leaves the cell instead of a focus loss
    QTest::addColumn<QString>("shown");  // the reading of numbers is covered in TestChannelModel
    QTest::newRow("name") << 1 << "Gobo 3" << false << "Gobo 3";
    QTest::newRow("name, leaving") << 1 << "Gobo 3" << true << "Gobo 3";
    QTest::newRow("name cut to 8") << 1 << "Strobe fast" << false << "Strobe f";
    QTest::newRow("empty name kept") << 1 << "" << false << "S2";
    QTest::newRow("From 255") << 2 << "255" << false << "255";
    QTest::newRow("empty From kept") << 2 << "" << false << "10";
    QTest::newRow("empty To, leaving: 0") << 3 << "" << true << "0";
}

void TestChannelTraits::cellEntryIsStored()
{
    QFETCH(int, column);
    QFETCH(QString, typed);
    QFETCH(bool, leaveCell);
    QFETCH(QString, shown);
    giveSteps(0, 2);
    clickCell(1, column);
    QLineEdit* edit = editor();
    QVERIFY(edit);
    edit->clear();
    // keyClicks carries ASCII only; other characters go through the validator as pasted text.
    for (const QChar c : typed) {
        if (c.unicode() < 0x80)
            QTest::keyClicks(edit, QString(c));
        else
            edit->insert(QString(c));
    }
    if (leaveCell)
        grid()->setCurrentIndex(index(0, 0));
    else
        m_elsewhere->setFocus();
    QVERIFY(!editor());
    QCOMPARE(cell(1, column), shown);
    const fx::StepInfo& s = step(0, 1);
    if (column == 1)
        QCOMPARE(QString::fromLatin1(s.StepName.trimmed()), shown);
    else
        QCOMPARE(QString::number(column == 2 ? s.FromDmx : s.ToDmx), shown);
    QCOMPARE(cell(0, 1), QStringLiteral("S1")); // the other step is untouched
}

void TestChannelTraits::placeholderEntryIsNoStep()
{
    clickCell(0, 2);
    QCOMPARE(editor()->text(), QString()); // the placeholder's "0" opens empty
    QTest::keyClicks(editor(), QStringLiteral("7"));
    m_elsewhere->setFocus();
    QCOMPARE(cell(0, 2), QStringLiteral("7"));
    QCOMPARE(cell(0, 0), QStringLiteral("No Steps"));
    QCOMPARE(int(step(0, 0).FromDmx), 7);
    QCOMPARE(count(0), 0);
    QCOMPARE(usage(), QStringLiteral("Steps in file: 0 of 204"));

    clickCell(0, 1);
    QTest::keyClicks(editor(), QStringLiteral("Open"));
    m_elsewhere->setFocus();
    QCOMPARE(cell(0, 1), QStringLiteral("Open"));
    QCOMPARE(count(0), 0);

    click("Command1");
    QCOMPARE(count(0), 1);
    QCOMPARE(QStringList({cell(0, 0), cell(0, 1), cell(0, 2)}), QStringList({"Step 1", "", "0"}));
    QCOMPARE(int(step(0, 0).FromDmx), 0);
}

void TestChannelTraits::keyboardAdvanceWrapsToFirstName()
{
    giveSteps(0, 2);
    clickCell(1, 1);
    editor()->clear();
    QTest::keyClicks(editor(), QStringLiteral("Open"));
    QTest::keyClick(editor(), Qt::Key_Tab);
    QCOMPARE(grid()->currentIndex(), index(1, 2));
    QVERIFY(editor());
    QTest::keyClicks(editor(), QStringLiteral("3")); // the cell read 10
    QTest::keyClick(editor(), Qt::Key_Return);
    QCoreApplication::processEvents(); // the editor closes on a queued call
    QCOMPARE(grid()->currentIndex(), index(1, 3));
    QVERIFY(editor());
    editor()->clear();
    QTest::keyClicks(editor(), QStringLiteral("200"));
    // The last cell wraps to row 1, "Step Name".
    QTest::keyClick(editor(), Qt::Key_Tab);
    QCOMPARE(grid()->currentIndex(), index(0, 1));
    QVERIFY(editor());
    QCOMPARE(editor()->text(), QStringLiteral("S1"));

    QCOMPARE(QString::fromLatin1(step(0, 1).StepName.trimmed()), QStringLiteral("Open"));
    QCOMPARE(int(step(0, 1).FromDmx), 103);
    QCOMPARE(int(step(0, 1).ToDmx), 200);

    // Escape leaves without storing and without moving on.
    QTest::keyClicks(editor(), QStringLiteral("z"));
    QTest::keyClick(editor(), Qt::Key_Escape);
    QVERIFY(!editor());
    QCOMPARE(grid()->currentIndex(), index(0, 1));
    QCOMPARE(cell(0, 1), QStringLiteral("S1"));
}

void TestChannelTraits::shiftTabGoesBack_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("backRow");
    QTest::addColumn<int>("backColumn");
    QTest::newRow("To to From") << 1 << 3 << 1 << 2;
    QTest::newRow("From to name") << 1 << 2 << 1 << 1;
    QTest::newRow("name to the row above") << 1 << 1 << 0 << 3;
    QTest::newRow("first name to the last cell") << 0 << 1 << 1 << 3;
}

void TestChannelTraits::shiftTabGoesBack()
{
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(int, backRow);
    QFETCH(int, backColumn);
    giveSteps(0, 2);
    clickCell(row, column);
    QVERIFY(editor());
    editor()->clear();
    QTest::keyClicks(editor(), QStringLiteral("7"));
    QTest::keyClick(editor(), Qt::Key_Backtab);
    QCOMPARE(grid()->currentIndex(), index(backRow, backColumn));
    QVERIFY(editor());
    // The cell left backwards was stored like one left forwards.
    QCOMPARE(cell(row, column), QStringLiteral("7"));
}

void TestChannelTraits::mousePressAndKeys()
{
    giveSteps(0, 3);
    clickCell(0, 1);
    QTest::keyClicks(editor(), QStringLiteral("A"));
    clickCell(2, 3);
    QCOMPARE(grid()->currentIndex(), index(2, 3));
    QCOMPARE(editor()->text(), QStringLiteral("25"));
    QCOMPARE(cell(0, 1), QStringLiteral("S1A"));

    // The focus leaves for another control and comes back by the keyboard: the next cell opens.
    m_elsewhere->setFocus();
    grid()->setFocus(Qt::TabFocusReason);
    QCOMPARE(grid()->currentIndex(), index(0, 1));
    QVERIFY(editor());

    // After a mouse press on the grid the focus coming back opens nothing.
    clickCell(1, 0);
    m_elsewhere->setFocus();
    grid()->setFocus(Qt::TabFocusReason);
    QCOMPARE(grid()->currentIndex(), index(1, 0));
    QVERIFY(!editor());
    // A key released on the grid opens the cell it moved to.
    QTest::keyClick(grid(), Qt::Key_Right);
    QCOMPARE(grid()->currentIndex(), index(1, 1));
    QVERIFY(editor());
    QCOMPARE(editor()->text(), QStringLiteral("S2"));
}

void TestChannelTraits::commitAndHideForTheEditor()
{
    giveSteps(0, 1);
    clickCell(0, 1);
    QTest::keyClicks(editor(), QStringLiteral("X"));
    m_frame->commitOpenEdit();
    QVERIFY(!editor());
    QCOMPARE(QString::fromLatin1(step(0, 0).StepName.trimmed()), QStringLiteral("S1X"));
    QCOMPARE(grid()->currentIndex(), index(0, 1)); // and no advance

    clickCell(0, 2);
    QTest::keyClicks(editor(), QStringLiteral("99"));
    m_frame->hideEditor();
    QVERIFY(!editor());
    QCOMPARE(int(step(0, 0).FromDmx), 0);
    m_elsewhere->setFocus();
    QCOMPARE(int(step(0, 0).FromDmx), 0);
}

void TestChannelTraits::chooserUpkeep()
{
    QComboBox* c9 = combo("Combo9");
    QComboBox* c11 = combo("Combo11");
    QComboBox* c12 = combo("Combo12");
    // The step chooser lists the channels in use, the copy choosers every channel added.
    m_frame->addChannels(8, 12, true);
    m_frame->addChannels(12, 14, false);
    QCOMPARE(c9->count(), 12);
    QCOMPARE(c11->count(), 14);
    m_frame->setChannelLabel(2, QStringLiteral("Pan         "));
    QCOMPARE(c9->itemText(2), QStringLiteral("Chan 3 - Pan         "));

    giveSteps(10, 2);
    c11->setCurrentIndex(13);
    c12->setCurrentIndex(3);
    m_frame->removeChannels(14, 6);
    QCOMPARE(c9->count(), 6);
    QCOMPARE(c11->count(), 6);
    QCOMPARE(m_frame->currentChannel(), 0);
    QCOMPARE(c11->currentIndex(), 0);
    QCOMPARE(c12->currentIndex(), 3);
    QCOMPARE(cell(0, 0), QStringLiteral("No Steps")); // the grid follows to channel 1
    QCOMPARE(count(10), 2);                           // removed channels keep their steps
}

void TestChannelTraits::chooserShowsChosenChannel()
{
    giveSteps(3, 2);
    m_frame->selectChannel(0);
    QCOMPARE(cell(0, 0), QStringLiteral("No Steps"));
    combo("Combo9")->setCurrentIndex(3);
    QCOMPARE(grid()->model()->rowCount(), 2);
    QCOMPARE(cell(1, 1), QStringLiteral("S2"));
    // Add acts on the channel chosen at the moment of the click.
    click("Command1");
    QCOMPARE(count(3), 3);
    QCOMPARE(count(0), 0);
}

void TestChannelTraits::usageLabelCountsEveryChannel_data()
{
    QTest::addColumn<int>("perChannel");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("warns");
    QTest::newRow("none") << 0 << "Steps in file: 0 of 204" << false;
    QTest::newRow("full") << 51 << "Steps in file: 204 of 204" << false;
    QTest::newRow("over") << 52 << "Steps in file: 208 of 204 (4 will not be saved)" << true;
}

void TestChannelTraits::usageLabelCountsEveryChannel()
{
    QFETCH(int, perChannel);
    QFETCH(QString, text);
    QFETCH(bool, warns);
    // Channels 0, 1 and 2 are in use; channel 30 is beyond the count but its steps are still
    // written to the file.
    m_record.setUp([&](fx::FixtureRecord& r) {
        for (int c : {0, 1, 2, 30})
            r.StepCount[c] = static_cast<std::uint8_t>(perChannel);
    });
    m_frame->refreshUsage();
    auto* label = m_frame->findChild<QLabel*>("StepUsage");
    QCOMPARE(label->text(), text);
    QCOMPARE(!label->styleSheet().isEmpty(), warns);
}

void TestChannelTraits::modelPassesTester()
{
    QAbstractItemModel* model = grid()->model();
    QAbstractItemModelTester tester(model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    giveSteps(0, 4);
    clickCell(1, 0);
    click("Command2");
    click("Command3");
    click("Command1");
    model->setData(model->index(0, 1), QStringLiteral("Open"));
    model->setData(model->index(0, 2), QStringLiteral("300"));
    clickCell(4, 0);
    click("Command3");
    combo("Combo11")->setCurrentIndex(0);
    combo("Combo12")->setCurrentIndex(5);
    m_dialogs.setNextAnswer(Answer::Ok);
    click("Command4");
    QCOMPARE(model->rowCount(), 4);
    m_frame->selectChannel(6);
    click("Command1");
    clickCell(0, 0);
    click("Command3");
    QCOMPARE(model->rowCount(), 1);
    QVERIFY(!model->setData(model->index(0, 0), QStringLiteral("x")));
}

QTEST_MAIN(TestChannelTraits)
#include "TestChannelTraits.moc"
