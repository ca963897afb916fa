// The fixture library browser driven by keys on a folder the test makes: typing filters, Down
// moves in the results while the search box keeps the focus, Enter imports the chosen definition
// through the import dialog (with the mode chosen in the preview) or opens a fixture setup file,
// after the unsaved-changes question; Escape closes; a folder added and removed.

#include "LibraryFolder.h"
#include "fixtureedit/EditorHarness.h"
#include "fixtureedit/ImportFixtureDialog.h"
#include "fixtureedit/LibraryBrowser.h"

#include <QComboBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTableView>

using fixtureedit::LibraryBrowser;

namespace {

struct Browser {
    EditorHarness h;
    std::unique_ptr<LibraryBrowser> browser;
    QLineEdit* search = nullptr;
    QTableView* results = nullptr;

    Browser()
    {
        using library::put;
        put(h.path("lib/a.qxf"), library::definition("Acme", "Spot One", "Moving Head", {8, 12}));
        put(h.path("lib/b.qxf"),
            library::definition("Acme", "Spot Two", "Moving Head", {6, 10, 30}));
        put(h.path("lib/c.qxf"), library::definition("Zeta", "Wash", "Color Changer", {4}));
        put(h.path("lib/mine.tff"), library::setupFile("My Spot", 5));
        LibraryBrowser::Places places{{{h.path("lib").toStdString(), "Test", false}},
                                      h.path("settings.ini"),
                                      h.path("cache")};
        browser = std::make_unique<LibraryBrowser>(*h.editor, h.dialogs, places);
        search = browser->findChild<QLineEdit*>("librarySearch");
        results = browser->findChild<QTableView*>("libraryResults");
        showAndWait();
    }
    void showAndWait()
    {
        QSignalSpy indexed(browser.get(), &LibraryBrowser::indexed);
        browser->show();
        QVERIFY(QTest::qWaitForWindowActive(browser.get()));
        QVERIFY(!indexed.isEmpty() || indexed.wait(5000)); // it may be done while the window opens
    }
    QString model(int row) const { return results->model()->index(row, 1).data().toString(); }
    QString chosen() const { return model(results->currentIndex().row()); }
};

} // namespace

class TestLibraryBrowser : public QObject {
    Q_OBJECT

private slots:
    void import_data();
    void import();
    void openAndEscape();
    void folders();
    void menu();
};

void TestLibraryBrowser::import_data()
{
    // Typing "spot" finds My Spot's file, then Acme's Spot One (8 and 12 channels) and Spot Two
    // (6, 10 and 30 channels).
    QTest::addColumn<QList<int>>("keys"); // after typing "spot"
    QTest::addColumn<int>("modeRow");     // picked in the preview before the last key, -1: none
    QTest::addColumn<int>("mode");        // the import dialog's mode
    QTest::addColumn<int>("channels");
    QTest::addColumn<bool>("modified"); // unsaved work first: the question is answered Discard
    QTest::newRow("Down, Down, Up, Enter")
        << QList<int>{Qt::Key_Down, Qt::Key_Down, Qt::Key_Up, Qt::Key_Return} << -1 << 1 << 12
        << false;
    QTest::newRow("Down, Down, Enter, unsaved work")
        << QList<int>{Qt::Key_Down, Qt::Key_Down, Qt::Key_Enter} << -1 << 2 << 30 << true;
    QTest::newRow("mode chosen") << QList<int>{Qt::Key_Down, Qt::Key_Down, Qt::Key_Return} << 0 << 0
                                 << 6 << false;
}

void TestLibraryBrowser::import()
{
    QFETCH(QList<int>, keys);
    QFETCH(int, modeRow);
    QFETCH(bool, modified);
    Browser b;
    QCOMPARE(b.results->model()->rowCount(), 4);
    if (modified) {
        b.h.document.markModified();
        b.h.dialogs.setNextAnswer(ui::Dialogs::Answer::Discard);
    }
    QTest::keyClicks(b.search, "spot");
    QCOMPARE(b.results->model()->rowCount(), 3);
    for (int k = 0; k + 1 < keys.size(); ++k)
        QTest::keyClick(b.search, Qt::Key(keys[k]));
    if (modeRow >= 0)
        b.browser->findChild<QComboBox*>("libraryModes")->setCurrentIndex(modeRow);
    // The search box keeps the focus and its text while the keys move in the results.
    QCOMPARE(QApplication::focusWidget(), b.search);
    QCOMPARE(b.search->text(), QString("spot"));
    int dialogMode = -2;
    onNextDialog([&](QDialog* dialog) {
        dialogMode = qobject_cast<fixtureedit::ImportFixtureDialog*>(dialog)->chosenMode();
        dialog->accept();
    });
    QTest::keyClick(b.search, Qt::Key(keys.last()));
    QTEST(dialogMode, "mode");
    QTEST(int(b.h.record->FixHeader.NumChannels), "channels");
    QVERIFY(!b.browser->isVisible());
    QCOMPARE(b.h.dialogs.pendingAnswers(), 0);
    const auto& shown = b.h.dialogs.shown();
    QCOMPARE(!shown.isEmpty() && shown.first().title == "Unsaved Changes", modified);
}

void TestLibraryBrowser::openAndEscape()
{
    Browser b;
    QTest::keyClicks(b.search, "MY SPOT");
    QTest::keyClick(b.search, Qt::Key_Return);
    QCOMPARE(b.h.document.filePath(), b.h.path("lib/mine.tff"));
    QCOMPARE(int(b.h.record->FixHeader.NumChannels), 5);
    QVERIFY(!b.browser->isVisible());

    b.showAndWait();
    QCOMPARE(b.search->text(), QString("MY SPOT"));
    QVERIFY(b.search->hasSelectedText()); // typing replaces the last search
    QTest::keyClick(b.search, Qt::Key_Escape);
    QVERIFY(!b.browser->isVisible());
    QCOMPARE(b.h.document.filePath(), b.h.path("lib/mine.tff"));
}

void TestLibraryBrowser::folders()
{
    Browser b;
    library::put(b.h.path("more/deep/d.qxf"),
                 library::definition("Omega", "Beam", "Moving Head", {2}));
    QSignalSpy indexed(b.browser.get(), &LibraryBrowser::indexed);
    b.h.dialogs.setNextFileName(b.h.path("more"));
    b.browser->findChild<QPushButton*>("libraryAddFolder")->click();
    QVERIFY(indexed.wait(5000));
    QCOMPARE(b.browser->ownFolders(), QStringList{b.h.path("more")});
    QTest::keyClicks(b.search, "omega");
    QCOMPARE(b.chosen(), QString("Beam"));
    QCOMPARE(b.results->model()->index(0, 4).data().toString(), QString("more"));

    b.browser->findChild<QPushButton*>("libraryRemoveFolder")->click();
    QVERIFY(indexed.wait(5000));
    QCOMPARE(b.browser->ownFolders(), QStringList());
    QCOMPARE(b.results->model()->rowCount(), 0);
}

void TestLibraryBrowser::menu()
{
    // Ctrl+L in the fixture editor opens its one browser on the standard folders (the test
    // mode keeps the cache and settings out of the user's own).
    QStandardPaths::setTestModeEnabled(true);
    EditorHarness h;
    for (int k = 0; k < 2; ++k) {
        QTest::keyClick(h.editor.get(), Qt::Key_L, Qt::ControlModifier);
        auto* browser = h.editor->findChild<LibraryBrowser*>();
        QVERIFY(browser && QTest::qWaitForWindowActive(browser));
        QCOMPARE(browser->windowTitle(), QString("Fixture Library"));
        QCOMPARE(browser->focusWidget()->accessibleName(), QString("Search"));
        QTest::keyClick(browser->focusWidget(), Qt::Key_Escape);
        QVERIFY(!browser->isVisible());
        h.editor->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(h.editor.get()));
    }
    QCOMPARE(h.editor->findChildren<LibraryBrowser*>().size(), 1);
}

QTEST_MAIN(TestLibraryBrowser)
#include "TestLibraryBrowser.moc"
