// The "Problems" panel and the Fill dialog, driven by keys.

#include "core/StepTools.h"
#include "fixtureedit/FillStepsDialog.h"
#include "fixtureedit/ProblemPanel.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QToolButton>
#include <QtTest>

#include <memory>

namespace {

// A fixture whose check finds an error on a channel, an error on a step and a warning.
std::unique_ptr<fx::FixtureRecord> faultyFixture()
{
    auto r = std::make_unique<fx::FixtureRecord>();
    fx::ResetFixtureRecord(*r, 4);
    r->FixHeader.FixtureName.assign("Spot");
    for (int c = 0; c < 4; ++c)
        r->Channels[c].ChName.assign("Ch" + std::to_string(c + 1));
    r->Channels[3].ChName = fx::FixedText<12>::blanks();
    r->Channels[1].ChType = fx::TypeInstant16H;
    r->StepCount[2] = 2;
    r->Steps[2][0] = {0, 20, fx::FixedText<8>::fromText("Open")};
    r->Steps[2][1] = {10, 30, fx::FixedText<8>::fromText("Red")};
    return r;
}

void typeInto(QWidget* box, const QString& text)
{
    box->setFocus();
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(box, text);
}

} // namespace

class TestCheckWidgets : public QObject {
    Q_OBJECT

private slots:
    void problemPanel();
    void fillDialog_data();
    void fillDialog();
};

void TestCheckWidgets::problemPanel()
{
    ProblemPanel panel;
    panel.resize(520, 160);
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    auto* list = panel.findChild<QListWidget*>(QStringLiteral("ProblemList"));
    auto* title = panel.findChild<QToolButton*>();
    QVERIFY(list && title);

    auto r = faultyFixture();
    panel.setProblems(fx::CheckFixture(*r));
    QCOMPARE(title->text(), QStringLiteral("Problems (3)"));
    QCOMPARE(list->count(), 3);
    QVERIFY(list->item(0)->text().startsWith(QStringLiteral("channel 2: a 16-bit high")));
    if (const QByteArray dir = qgetenv("FIXTURE_RENDER_DIR"); !dir.isEmpty())
        panel.grab().save(QString::fromLocal8Bit(dir) + QStringLiteral("/problem-panel.png"));

    // Down to the second line, Enter: its problem is reported.
    QSignalSpy spy(&panel, &ProblemPanel::problemActivated);
    list->setFocus();
    list->setCurrentRow(0);
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(spy.count(), 1);
    const auto activated = spy.at(0).at(0).value<fx::Problem>();
    QCOMPARE(activated.kind, fx::Problem::Kind::Step);
    QCOMPARE(activated.channel, 2);
    QCOMPARE(activated.step, 1);

    // An edit that mends the channel: the list follows and keeps the current line.
    r->Channels[1].ChType = fx::TypeLtp;
    panel.setProblems(fx::CheckFixture(*r));
    QCOMPARE(title->text(), QStringLiteral("Problems (2)"));
    QCOMPARE(list->currentRow(), 0);

    // Space on the title folds the list away and back.
    title->setFocus();
    QTest::keyClick(title, Qt::Key_Space);
    QVERIFY(!list->isVisible());
    QTest::keyClick(title, Qt::Key_Space);
    QVERIFY(list->isVisible());
    panel.setProblems({});
    QCOMPARE(title->text(), QStringLiteral("Problems (0)"));
}

void TestCheckWidgets::fillDialog_data()
{
    QTest::addColumn<int>("stepsBefore");
    QTest::addColumn<QString>("count");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");
    QTest::addColumn<QString>("pattern"); // empty: keep the default
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("reason"); // which counts fit is the core's (tst_steptools)

    QTest::newRow("own pattern, downwards") << 0 << "12"
                                            << "200"
                                            << "100"
                                            << "Gobo #" << true << "";
    QTest::newRow("no room left") << 250 << "6"
                                  << "0"
                                  << "255"
                                  << "" << false << "room for 5";
}

void TestCheckWidgets::fillDialog()
{
    QFETCH(int, stepsBefore);
    QFETCH(QString, count);
    QFETCH(QString, first);
    QFETCH(QString, last);
    QFETCH(QString, pattern);
    QFETCH(bool, accepted);
    QFETCH(QString, reason);

    auto r = std::make_unique<fx::FixtureRecord>();
    fx::ResetFixtureRecord(*r, 8);
    r->StepCount[5] = static_cast<std::uint8_t>(stepsBefore);
    FillStepsDialog dialog(*r, 5);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto* countBox = dialog.findChild<QSpinBox*>(QStringLiteral("FillCount"));
    auto* firstBox = dialog.findChild<QSpinBox*>(QStringLiteral("FillFirst"));
    auto* lastBox = dialog.findChild<QSpinBox*>(QStringLiteral("FillLast"));
    auto* patternBox = dialog.findChild<QLineEdit*>(QStringLiteral("FillPattern"));
    QVERIFY(countBox && firstBox && lastBox && patternBox);
    QCOMPARE(patternBox->text(), QStringLiteral("Step #"));

    typeInto(countBox, count);
    typeInto(firstBox, first);
    typeInto(lastBox, last);
    if (!pattern.isEmpty())
        typeInto(patternBox, pattern);
    if (const QByteArray dir = qgetenv("FIXTURE_RENDER_DIR"); !dir.isEmpty())
        dialog.grab().save(QString::fromLocal8Bit(dir) + "/fill-" + QTest::currentDataTag() +
                           ".png");
    QTest::keyClick(patternBox, Qt::Key_Return);

    QCOMPARE(dialog.result() == QDialog::Accepted, accepted);
    auto* why = dialog.findChild<QLabel*>(QStringLiteral("FillReason"));
    if (!accepted) {
        QVERIFY(dialog.isVisible());
        QVERIFY2(why->text().contains(reason), qPrintable(why->text()));
        return;
    }
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.count(), count.toInt());
    QCOMPARE(dialog.first(), first.toInt());
    QCOMPARE(dialog.last(), last.toInt());
    QCOMPARE(dialog.pattern(), pattern.isEmpty() ? QStringLiteral("Step #") : pattern);
    QCOMPARE(
        fx::FillSteps(*r, 5, dialog.count(), dialog.first(), dialog.last(), dialog.latin1Pattern()),
        std::string());
}

QTEST_MAIN(TestCheckWidgets)
#include "TestCheckWidgets.moc"
