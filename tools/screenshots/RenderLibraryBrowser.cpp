// Renders the fixture library browser for the documentation, on the QLC+ definitions installed
// on the machine (package qlcplus-data) and a folder of the user's own fixture setup files:
//   render_library_browser docs/library-browser.png [WORDS]
#include "fixtureedit/LibraryBrowser.h"
#include "tests/fixtureedit/EditorHarness.h"
#include "tests/library/LibraryFolder.h"

#include <QApplication>
#include <QSignalSpy>
#include <QLineEdit>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        qWarning("usage: render_library_browser OUTPUT.png [WORDS]");
        return 2;
    }
    EditorHarness h;
    library::put(h.path("console/spot575.tff"), library::setupFile("Spot 575", 16, 4));
    library::put(h.path("console/wash.tff"), library::setupFile("Wash RGB", 6));
    library::put(h.path("console/par.tff"), library::ledFile("LED Par"));
    auto places = fixtureedit::LibraryBrowser::Places::standard();
    places.settingsFile = h.path("settings.ini");
    places.cacheFolder = h.path("cache");
    QSettings(places.settingsFile, QSettings::IniFormat)
        .setValue("Library/Folders", QStringList{h.path("console")});
    fixtureedit::LibraryBrowser browser(*h.editor, h.dialogs, places);
    QSignalSpy indexed(&browser, &fixtureedit::LibraryBrowser::indexed);
    browser.show();
    if (!indexed.wait(60000))
        qWarning("the library was not indexed");
    QTest::keyClicks(browser.findChild<QLineEdit*>("librarySearch"),
                     QString::fromLocal8Bit(argc > 2 ? argv[2] : "spot"));
    QTest::keyClick(browser.findChild<QLineEdit*>("librarySearch"), Qt::Key_Down);
    QTest::qWait(50);
    return browser.grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
