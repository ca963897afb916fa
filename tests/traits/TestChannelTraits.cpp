// The "Channel Traits" frame driven through its controls: the steps grid, its cell editor and
// keyboard advance, Add / Insert / Delete / Copy, the channel choosers and the usage label.
#include "fixtureedit/ChannelTraits.h"
#include "core/FixtureRecord.h"
#include "common/RecordView.h"
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

    void addTurnsPlaceholderIntoStepOneThenAppends();
    void addStopsAt255AndInsertAt50_data();
    void addStopsAt255AndInsertAt50();
    void insertKeepsSelectedStepCurrent();
    void insertAndDeleteNeedTheStepColumn_data();
    void insertAndDeleteNeedTheStepColumn();
    void deleteMovesLaterStepsUp();
    void copyAsksBeforeOverwriting_data();
    void copyAsksBeforeOverwriting();
    void cellEntryIsStored_data();
    void cellEntryIsStored();
    void editorOpensWithCellTextAndLimits_data();
    void editorOpensWithCellTextAndLimits();
    void placeholderEntryIsNoStep();
    void keyboardAdvanceWrapsToFirstName();
    void shiftTabGoesBack_data();
    void shiftTabGoesBack();
    void mousePressAndKeys();
    void commitAndHideForTheEditor();
    void chooserUpkeep();
    void choosersTakeNoTypedKeys();
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

void TestChannelTraits::addTurnsPlaceholderIntoStepOneThenAppends()
{
    QCOMPARE(grid()->model()->rowCount(), 1);
    QCOMPARE(cell(0, 0), QStringLiteral("No Steps"));
    for (int c = 0; c < 4; ++c)
        QCOMPARE(grid()->model()->headerData(c, Qt::Horizontal).toString(),
                 QStringList({"Step", "Step Name", "From Dmx", "To Dmx"}).at(c));
    // Left-overs in the first entry are blanked by Add.
    m_record.setUp([](fx::FixtureRecord& r) {
        r.Steps[0][0].StepName.assign("old");
        r.Steps[0][0].FromDmx = 9;
        r.Steps[0][0].ToDmx = 99;
    });
    m_frame->selectChannel(0);

    click("Command1");
    QCOMPARE(count(0), 1);
    QCOMPARE(grid()->model()->rowCount(), 1);
    QCOMPARE(rowText(0), QStringList({"Step 1", "", "0", "0"}));
    QVERIFY(step(0, 0).StepName == fx::FixedText<8>::blanks());
    QCOMPARE(int(step(0, 0).FromDmx), 0);
    QCOMPARE(int(step(0, 0).ToDmx), 0);

    m_record.setUp([](fx::FixtureRecord& r) { r.Steps[0][1].StepName.assign("junk"); });
    m_frame->selectChannel(0);
    click("Command1");
    QCOMPARE(count(0), 2);
    QCOMPARE(grid()->model()->rowCount(), 2);
    QCOMPARE(cell(1, 0), QStringLiteral("Step 2"));
    QVERIFY(step(0, 1).StepName.isBlank());
    QCOMPARE(usage(), QStringLiteral("Steps in file: 2 of 204"));
}

void TestChannelTraits::addStopsAt255AndInsertAt50_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("afterAdd");
    QTest::addColumn<int>("afterInsert");
    QTest::newRow("49 steps: insert grows") << 49 << 50 << 50;
    QTest::newRow("48 steps: insert to 50") << 48 << 49 << 50;
    QTest::newRow("50 steps: add only") << 50 << 51 << 51;
    QTest::newRow("254 steps: add to 255") << 254 << 255 << 255;
    QTest::newRow("255 steps: full") << 255 << 255 << 255;
}

void TestChannelTraits::addStopsAt255AndInsertAt50()
{
    QFETCH(int, start);
    QFETCH(int, afterAdd);
    QFETCH(int, afterInsert);
    giveSteps(1, start);
    const fx::StepInfo beyond = step(1, 255);
    click("Command1");
    QCOMPARE(count(1), afterAdd);
    QCOMPARE(grid()->model()->rowCount(), afterAdd);
    QCOMPARE(cell(afterAdd - 1, 0), QStringLiteral("Step %1").arg(afterAdd));

    clickCell(0, 0);
    click("Command2");
    QCOMPARE(count(1), afterInsert);
    QCOMPARE(grid()->model()->rowCount(), afterInsert);
    QVERIFY(step(1, 255).StepName == beyond.StepName); // entry 256 is never a step
}

void TestChannelTraits::insertKeepsSelectedStepCurrent()
{
    giveSteps(0, 5);
    clickCell(2, 0);
    click("Command2");
    QCOMPARE(count(0), 6);
    QCOMPARE(rowText(2), QStringList({"Step 3", "", "0", "0"}));
    QVERIFY(step(0, 2).StepName.isBlank());
    for (int row = 3; row < 6; ++row) {
        QCOMPARE(cell(row, 0), QStringLiteral("Step %1").arg(row + 1));
        QCOMPARE(cell(row, 1), QStringLiteral("S%1").arg(row));
        QCOMPARE(int(step(0, row).FromDmx), 10 * (row - 1));
    }
    QCOMPARE(cell(1, 1), QStringLiteral("S2"));
    QCOMPARE(grid()->currentIndex(), index(3, 0));
}

void TestChannelTraits::insertAndDeleteNeedTheStepColumn_data()
{
    QTest::addColumn<QByteArray>("command");
    QTest::addColumn<int>("steps");
    QTest::addColumn<int>("column");
    QTest::newRow("insert, name cell") << QByteArray("Command2") << 3 << 1;
    QTest::newRow("delete, name cell") << QByteArray("Command3") << 3 << 1;
    QTest::newRow("insert, To cell") << QByteArray("Command2") << 3 << 3;
    QTest::newRow("delete, nothing selected") << QByteArray("Command3") << 3 << -1;
    QTest::newRow("insert on No Steps") << QByteArray("Command2") << 0 << 0;
}

void TestChannelTraits::insertAndDeleteNeedTheStepColumn()
{
    QFETCH(QByteArray, command);
    QFETCH(int, steps);
    QFETCH(int, column);
    giveSteps(0, steps);
    if (column >= 0)
        clickCell(0, column);
    const auto before = m_record->Steps[0];
    click(command.constData());
    QCOMPARE(count(0), steps);
    QVERIFY(m_record->Steps[0] == before);
    QCOMPARE(grid()->model()->rowCount(), std::max(steps, 1));
}

void TestChannelTraits::deleteMovesLaterStepsUp()
{
    giveSteps(0, 3);
    clickCell(1, 0);
    click("Command3");
    QCOMPARE(count(0), 2);
    QCOMPARE(rowText(1), QStringList({"Step 2", "S3", "20", "25"}));
    QVERIFY(step(0, 2).StepName.isBlank());
    QCOMPARE(int(step(0, 2).FromDmx) + int(step(0, 2).ToDmx), 0);
    QCOMPARE(cell(0, 1), QStringLiteral("S1"));

    // Deleting the only step left restores the placeholder.
    clickCell(0, 0);
    click("Command3");
    clickCell(0, 0);
    click("Command3");
    QCOMPARE(count(0), 0);
    QCOMPARE(grid()->model()->rowCount(), 1);
    QCOMPARE(rowText(0), QStringList({"No Steps", "", "", ""}));
    QCOMPARE(usage(), QStringLiteral("Steps in file: 0 of 204"));
    // FillStepGrid shows the placeholder with zeros.
    m_frame->fillStepGrid(0);
    QCOMPARE(cell(0, 2), QStringLiteral("0"));
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
        QCOMPARE(m_dialogs.shown().at(0).title, QStringLiteral("Quill82 Fixture"));
        QCOMPARE(m_dialogs.shown().at(0).text,
                 QStringLiteral("Any data on channel %1  will be lost,continue").arg(to + 1));
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
    QTest::newRow("name, Latin-1 only")
        << 1 << QString::fromUtf8("Gr\u00fcn\u20ac1") << false << QString::fromUtf8("Gr\u00fcn1");
    QTest::newRow("empty name kept") << 1 << "" << false << "S2";
    QTest::newRow("From 300") << 2 << "300" << false << "0";
    QTest::newRow("From 255") << 2 << "255" << false << "255";
    QTest::newRow("empty From kept") << 2 << "" << false << "10";
    QTest::newRow("To 12x") << 3 << "12x" << false << "12";
    QTest::newRow("To 4096 cut to 409") << 3 << "4096" << false << "0";
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

void TestChannelTraits::editorOpensWithCellTextAndLimits_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("maxLength");
    QTest::newRow("name") << 1 << 1 << "S2" << 8;
    QTest::newRow("From 0 opens empty") << 0 << 2 << "" << 3;
    QTest::newRow("To 5") << 0 << 3 << "5" << 3;
    QTest::newRow("From 10") << 1 << 2 << "10" << 3;
}

void TestChannelTraits::editorOpensWithCellTextAndLimits()
{
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, text);
    QFETCH(int, maxLength);
    giveSteps(0, 2);
    clickCell(row, column);
    QLineEdit* edit = editor();
    QVERIFY(edit);
    QCOMPARE(edit->text(), text);
    QCOMPARE(edit->maxLength(), maxLength);
    QVERIFY(!edit->hasSelectedText());
    QCOMPARE(edit->cursorPosition(), text.size());
    QVERIFY(edit->hasFocus());
    QVERIFY(edit->validator());
    QCOMPARE(grid()->visualRect(index(row, column)).topLeft(), edit->geometry().topLeft());

    clickCell(row, 0); // the Step column has no editor
    QVERIFY(!editor());
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
    QCOMPARE(m_frame->channelChooser(), c9);
    QCOMPARE(c9->count(), 8);
    QCOMPARE(c9->itemText(0), QStringLiteral("Chan 1-"));
    QCOMPARE(c11->itemText(7), QStringLiteral("Chan 8"));
    QCOMPARE(c12->count(), 8);
    QCOMPARE(m_frame->currentChannel(), 0);

    m_frame->addChannels(8, 12, true);
    QCOMPARE(c9->count(), 12);
    QCOMPARE(c9->itemText(11), QStringLiteral("Chan 12-"));
    QCOMPARE(c12->itemText(11), QStringLiteral("Chan 12"));
    m_frame->addChannels(12, 14, false);
    QCOMPARE(c9->count(), 12);
    QCOMPARE(c11->count(), 14);

    m_frame->setChannelLabel(2, QStringLiteral("Pan         "));
    QCOMPARE(c9->itemText(2), QStringLiteral("Chan 3 - Pan         "));
    QCOMPARE(m_frame->currentChannel(), 0);
    m_frame->setChannelLabel(12, QStringLiteral("Tilt        "));
    QCOMPARE(c9->count(), 13);
    QCOMPARE(c9->itemText(12), QStringLiteral("Chan 13 - Tilt        "));

    giveSteps(10, 2);
    QCOMPARE(m_frame->currentChannel(), 10);
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

    m_frame->resetChannels(3);
    QCOMPARE(c9->count(), 3);
    QCOMPARE(c9->itemText(2), QStringLiteral("Chan 3-"));
    QCOMPARE(c12->currentIndex(), 0);
    QCOMPARE(cell(0, 0), QStringLiteral("No Steps"));
    QCOMPARE(cell(0, 2), QString());
}

void TestChannelTraits::choosersTakeNoTypedKeys()
{
    for (const char* name : {"Combo9", "Combo11", "Combo12"}) {
        QComboBox* c = combo(name);
        c->setCurrentIndex(1);
        c->setFocus();
        QTest::keyClicks(c, QStringLiteral("C8c"));
        QCOMPARE(c->currentIndex(), 1);
        QTest::keyClick(c, Qt::Key_Down); // moving through the list is picking from it
        QCOMPARE(c->currentIndex(), 2);
    }
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
    if (perChannel > 0) {
        m_frame->selectChannel(1);
        clickCell(0, 0);
        click("Command3");
        // One step fewer after a Delete; over the limit by 3 the label still warns.
        const int left = 4 * perChannel - 1;
        QVERIFY2(label->text().startsWith(QStringLiteral("Steps in file: %1 of 204").arg(left)),
                 qPrintable(label->text()));
        QCOMPARE(!label->styleSheet().isEmpty(), left > 204);
    }
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
