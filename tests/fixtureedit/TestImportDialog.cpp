// The import dialog driven from the keyboard: the default mode chosen at the start, modes over 40
// channels passed over, what the chosen mode gives, Enter and Escape.

#include "fixtureedit/ImportFixtureDialog.h"

#include <QtTest>

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
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

fx::ChNameSet defaultNames()
{
    fx::ChNameSet set;
    fx::InitChNameSet(set);
    return set;
}

struct Shown {
    std::unique_ptr<ImportFixtureDialog> dialog;
    QListWidget* modes;
    QTableWidget* channels;
    QPushButton* ok;

    explicit Shown(const char* file)
        : dialog(std::make_unique<ImportFixtureDialog>(load(file), defaultNames(), file))
    {
        modes = dialog->findChild<QListWidget*>("importModes");
        channels = dialog->findChild<QTableWidget*>("importChannels");
        ok = dialog->findChild<QPushButton*>("importOk");
        dialog->show();
        QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
    }
    QString cell(int row, int col) const { return channels->item(row, col)->text(); }
};

} // namespace

class TestImportDialog : public QObject {
    Q_OBJECT

private slots:
    void keysSkipModesThatDoNotFit_data();
    void keysSkipModesThatDoNotFit();
    void showsWhatTheModeGives();
    void enterAcceptsEscapeCancels();
};

void TestImportDialog::keysSkipModesThatDoNotFit_data()
{
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("rows");
    // wide.qxf: 48 (over 40), 24, 24 B, 41 (over 40), Empty; the first 24 is the default
    QTest::newRow("default") << QList<int>() << 1 << 24;
    QTest::newRow("up to 48") << QList<int>({Qt::Key_Up}) << 1 << 24;
    QTest::newRow("down past 41") << QList<int>({Qt::Key_Down, Qt::Key_Down, Qt::Key_End}) << 2
                                  << 24;
}

void TestImportDialog::keysSkipModesThatDoNotFit()
{
    QFETCH(QList<int>, keys);
    Shown shown("wide.qxf");
    for (const int key : keys)
        QTest::keyClick(shown.modes, Qt::Key(key));
    QTEST(shown.dialog->chosenMode(), "mode");
    QTEST(shown.channels->rowCount(), "rows");
    QVERIFY(shown.ok->isEnabled());
    QCOMPARE(shown.dialog->chosenImport()->record->FixHeader.NumChannels,
             shown.channels->rowCount());
}

void TestImportDialog::showsWhatTheModeGives()
{
    // What a mode gives is the import's (tst_qxfimport); the dialog follows the chosen mode.
    Shown head("moving-head.qxf");
    QCOMPARE(head.dialog->chosenMode(), 1); // Extended, 15 channels
    QCOMPARE(head.cell(0, 2), QStringLiteral("Fadeable LTP 16bitH (with 2)"));
    QTest::keyClick(head.modes, Qt::Key_Up); // Basic
    QCOMPARE(head.channels->rowCount(), 3);
    Shown many("many-steps.qxf");
    QVERIFY(many.dialog->findChild<QLabel*>("importSteps")->text().contains("101 will be cut"));

    // No mode fits: nothing is chosen and OK stays disabled.
    Shown wide("too-wide.qxf");
    QCOMPARE(wide.dialog->chosenMode(), -1);
    QVERIFY(!wide.dialog->chosenImport());
    QVERIFY(!wide.ok->isEnabled());
}

void TestImportDialog::enterAcceptsEscapeCancels()
{
    Shown accepted("rgbw-par.qxf");
    QTest::keyClick(accepted.modes, Qt::Key_Up); // "8 bit"
    QTest::keyClick(accepted.modes, Qt::Key_Return);
    QCOMPARE(accepted.dialog->result(), int(QDialog::Accepted));
    QCOMPARE(accepted.dialog->chosenMode(), 0);

    Shown cancelled("rgbw-par.qxf");
    QTest::keyClick(cancelled.modes, Qt::Key_Escape);
    QCOMPARE(cancelled.dialog->result(), int(QDialog::Rejected));
}

QTEST_MAIN(TestImportDialog)
#include "TestImportDialog.moc"
