// The import dialog driven from the keyboard: the default mode chosen at the start, modes over 40
// channels passed over, the channels of the chosen mode, Enter and Escape; the Steps boxes and
// their total against the file's 204.

#include "fixtureedit/ImportFixtureDialog.h"
#include "tests/support/QxfSamples.h"

#include <QtTest>

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>

using fixtureedit::ImportFixtureDialog;

namespace {

fx::QxfDefinition load(const char* file)
{
    fx::QxfDefinition def;
    fx::loadQxfFile(std::string(QXF_DATA_DIR "/") + file, def);
    return def;
}

struct Shown {
    std::unique_ptr<ImportFixtureDialog> dialog;
    QListWidget* modes;
    QTableWidget* channels;
    QPushButton* ok;

    explicit Shown(const char* file)
    {
        fx::ChNameSet names;
        fx::InitChNameSet(names);
        dialog = std::make_unique<ImportFixtureDialog>(load(file), names, file);
        modes = dialog->findChild<QListWidget*>("importModes");
        channels = dialog->findChild<QTableWidget*>("importChannels");
        ok = dialog->findChild<QPushButton*>("importOk");
        dialog->show();
        QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
    }
};

} // namespace

class TestImportDialog : public QObject {
    Q_OBJECT

private slots:
    void keys_data();
    void keys();
    void stepBoxes();
};

void TestImportDialog::keys_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<int>("mode"); // -1: none fits, OK stays disabled
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("result"); // -1: the dialog is still open
    const auto row = [](const char* name, const char* file, QList<int> keys, int mode, int rows,
                        int result = -1) {
        QTest::newRow(name) << QString(file) << keys << mode << rows << result;
    };
    // wide.qxf: 48 (over 40), 24, 24 B, 41 (over 40), Empty; the first 24 is the default
    row("default", "wide.qxf", {}, 1, 24);
    row("up to 48", "wide.qxf", {Qt::Key_Up}, 1, 24);
    row("down past 41", "wide.qxf", {Qt::Key_Down, Qt::Key_Down, Qt::Key_End}, 2, 24);
    row("none fits", "too-wide.qxf", {}, -1, 0);
    row("Enter", "rgbw-par.qxf", {Qt::Key_Up, Qt::Key_Return}, 0, 6, QDialog::Accepted);
    row("Escape", "rgbw-par.qxf", {Qt::Key_Escape}, 1, 12, QDialog::Rejected);
}

void TestImportDialog::keys()
{
    QFETCH(QString, file);
    QFETCH(QList<int>, keys);
    QFETCH(int, mode);
    QFETCH(int, result);
    Shown shown(qPrintable(file));
    for (const int key : keys)
        QTest::keyClick(shown.modes, Qt::Key(key));
    QCOMPARE(shown.dialog->chosenMode(), mode);
    QTEST(shown.channels->rowCount(), "rows");
    QCOMPARE(shown.ok->isEnabled(), mode >= 0);
    QCOMPARE(shown.dialog->isVisible() ? -1 : shown.dialog->result(), result);
    if (mode >= 0)
        QCOMPARE(shown.dialog->chosenImport()->record->FixHeader.NumChannels,
                 shown.channels->rowCount());
}

void TestImportDialog::stepBoxes()
{
    fx::ChNameSet names;
    fx::InitChNameSet(names);
    ImportFixtureDialog dialog(support::definition(support::effectsProjector()), names, "x.qxf");
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    auto* channels = dialog.findChild<QTableWidget*>("importChannels");
    auto* total = dialog.findChild<QLabel*>("importSteps");
    auto* report = dialog.findChild<QPlainTextEdit*>("importReport");
    // x ticked, o not, - no steps to keep
    const auto ticks = [&] {
        QString t;
        for (int r = 0; r < channels->rowCount(); ++r) {
            const QTableWidgetItem* item = channels->item(r, 3);
            t += !(item->flags() & Qt::ItemIsUserCheckable) ? '-'
                 : item->checkState() == Qt::Checked        ? 'x'
                                                            : 'o';
        }
        return t;
    };
    // As the import chose: shutter and gobos, not the 170 colour effects.
    QCOMPARE(ticks(), QString("oxxx-"));
    QCOMPARE(total->text(), QString("Steps ticked: 35 of the file's 204."));
    // Space on the first row ticks the effects: past 204, and the dialog says what is lost.
    channels->setFocus();
    channels->setCurrentCell(0, 0);
    QTest::keyClick(channels, Qt::Key_Space);
    QCOMPARE(ticks(), QString("xxxx-"));
    QVERIFY2(total->text().contains("205 of the file's 204; the file will not hold the last 1"),
             qPrintable(total->text()));
    QVERIFY(report->toPlainText().contains("channel 4 \"Gobo 2\": 1 of its 14 steps lie beyond"));
    QCOMPARE(dialog.chosenImport()->record->StepCount[0], 170);
    // Down and Space untick the shutter: within 204 again; a row without steps ignores Space.
    QTest::keyClick(channels, Qt::Key_Down);
    QTest::keyClick(channels, Qt::Key_Space);
    channels->setCurrentCell(4, 0);
    QTest::keyClick(channels, Qt::Key_Space);
    QCOMPARE(ticks(), QString("xoxx-"));
    QCOMPARE(total->text(), QString("Steps ticked: 196 of the file's 204."));
    QCOMPARE(dialog.chosenImport()->record->StepCount[1], 0);
}

QTEST_MAIN(TestImportDialog)
#include "TestImportDialog.moc"
