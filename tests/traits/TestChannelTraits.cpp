// The "Channel Traits" frame driven through its controls: the buttons and choosers acting on the
// chosen step and channel, the copy question and the mouse on the steps grid (the keys the grids
// share are TestKeyboard's gridKeys). The step rules themselves are the document's
// (tst_fixturedocument).
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

    void buttonsActOnTheChosenStep();
    void copyAsksBeforeOverwriting_data();
    void copyAsksBeforeOverwriting();
    void focusAndMouse();
    void usageLabelCountsEveryChannel();

private:
    QTableView* grid() const { return m_frame->findChild<QTableView*>("MSFlexGrid2"); }
    QComboBox* combo(const char* name) const { return m_frame->findChild<QComboBox*>(name); }
    QModelIndex index(int row, int column) const { return grid()->model()->index(row, column); }
    QString cell(int row, int column) const { return index(row, column).data().toString(); }
    QLineEdit* editor() const;
    void click(const char* name)
    {
        QTest::mouseClick(m_frame->findChild<QPushButton*>(name), Qt::LeftButton);
    }
    void clickCell(int row, int column);
    // Gives channel c the steps "S1".."Sn" with From 10k and To 10k+5, and shows channel c.
    void giveSteps(int channel0, int count);
    int count(int channel0) const { return m_record->StepCount[channel0]; }

    std::unique_ptr<ui::Document> m_document;
    RecordView m_record{nullptr};
    ui::ScriptedDialogs m_dialogs;
    std::unique_ptr<QWidget> m_window;
    ChannelTraits* m_frame = nullptr;
    std::unique_ptr<QAbstractItemModelTester> m_tester;
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
    m_frame->resetChannels();
    // Every test runs under the model tester.
    m_tester = std::make_unique<QAbstractItemModelTester>(
        grid()->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    m_window->resize(460, 520);
    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
}

void TestChannelTraits::cleanup()
{
    m_tester.reset();
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
        for (int k = 0; k < n; ++k)
            r.Steps[channel0][k] = {std::uint8_t(10 * k), std::uint8_t(10 * k + 5),
                                    fx::FixedText<8>::fromText("S" + std::to_string(k + 1))};
    });
    m_frame->selectChannel(channel0);
}

void TestChannelTraits::buttonsActOnTheChosenStep()
{
    giveSteps(0, 3);
    clickCell(1, 0);
    click("Command2"); // Insert before step 2, which stays current
    QCOMPARE(cell(2, 1), QStringLiteral("S2"));
    QCOMPARE(grid()->currentIndex(), index(2, 0));
    // Insert and Delete need a cell of the Step column.
    clickCell(0, 1);
    click("Command3");
    click("Command2");
    QCOMPARE(count(0), 4);
    // Add acts on the channel chosen at the moment of the click.
    combo("Combo9")->setCurrentIndex(3);
    click("Command1");
    QCOMPARE(count(3), 1);
    clickCell(0, 0);
    click("Command3"); // the only step makes way for "No Steps"
    QCOMPARE(count(3), 0);
    QCOMPARE(cell(0, 0), QStringLiteral("No Steps"));
}

void TestChannelTraits::copyAsksBeforeOverwriting_data()
{
    QTest::addColumn<int>("to");
    QTest::addColumn<int>("answer"); // -1: no question expected
    QTest::addColumn<bool>("copied");
    QTest::newRow("OK") << 7 << int(Answer::Ok) << true;
    QTest::newRow("Cancel") << 2 << int(Answer::Cancel) << false;
    QTest::newRow("same channel") << 0 << -1 << false;
}

void TestChannelTraits::copyAsksBeforeOverwriting()
{
    QFETCH(int, to);
    QFETCH(int, answer);
    QFETCH(bool, copied);
    giveSteps(to, 1);
    giveSteps(0, 4);
    m_frame->selectChannel(1);
    combo("Combo11")->setCurrentIndex(0);
    combo("Combo12")->setCurrentIndex(to);
    if (answer >= 0)
        m_dialogs.setNextAnswer(Answer(answer));
    click("Command4");

    QCOMPARE(m_dialogs.shown().size(), answer < 0 ? 0 : 1);
    QCOMPARE(count(to), copied || to == 0 ? 4 : 1);
    QCOMPARE(m_frame->currentChannel(), copied ? to : 1);
    QCOMPARE(grid()->model()->rowCount(), copied ? 4 : 1); // "No Steps" on channel 2
}

void TestChannelTraits::focusAndMouse()
{
    giveSteps(0, 3);
    // A click on another cell stores the open one and opens the clicked one.
    clickCell(0, 1);
    QTest::keyClicks(editor(), QStringLiteral("A"));
    clickCell(1, 1);
    QCOMPARE(editor()->text(), QStringLiteral("S2"));
    QCOMPARE(cell(0, 1), QStringLiteral("S1A"));

    // The editor window stores an open cell before it acts, without an advance, or drops it.
    QTest::keyClicks(editor(), QStringLiteral("X"));
    m_frame->commitOpenEdit();
    QVERIFY(!editor());
    QCOMPARE(m_record->Steps[0][1].StepName.trimmed(), std::string("S2X"));
    QCOMPARE(grid()->currentIndex(), index(1, 1));
    clickCell(0, 2);
    QTest::keyClicks(editor(), QStringLiteral("99"));
    m_frame->hideEditor();
    m_elsewhere->setFocus();
    QVERIFY(!editor());
    QCOMPARE(int(m_record->Steps[0][0].FromDmx), 0);
}

void TestChannelTraits::usageLabelCountsEveryChannel()
{
    auto* label = m_frame->findChild<QLabel*>("StepUsage");
    // Channel 30 is beyond the count, but its steps are still written to the file.
    m_record.setUp([&](fx::FixtureRecord& r) {
        for (int c : {0, 1, 2, 30})
            r.StepCount[c] = 52;
    });
    m_frame->refreshUsage();
    QVERIFY(!label->styleSheet().isEmpty());
    QCOMPARE(label->text(), QStringLiteral("Steps in file: 208 of 204 (4 will not be saved)"));
}

QTEST_MAIN(TestChannelTraits)
#include "TestChannelTraits.moc"
