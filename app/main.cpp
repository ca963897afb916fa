#include "app/AboutBox.h"
#include "app/ChNameSetLocation.h"
#include "app/MainForm.h"
#include "ui/FileAccess.h"
#include "ui/QtDialogs.h"
#include "ui/Services.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ORVA"));
    QApplication::setWindowIcon(about::applicationIcon());
    // Ties the windows to the installed desktop entry (its icon and name on Wayland).
    QGuiApplication::setDesktopFileName(QStringLiteral("fixture-editor"));

    ui::QtDialogs dialogs;
    ui::DiskFileAccess files;
    ui::Services services{dialogs, files, chnameset::locateForApplication()};

    MainForm window(services);
    QObject::connect(&window, &MainForm::exitRequested, &app, &QApplication::quit,
                     Qt::QueuedConnection);
    window.show();
    // FIXTURE_EDITOR_QUIT_AFTER_START=1 starts as usual (name set found and, for an installed
    // copy, seeded into the user's data folder; main window shown) and quits as soon as events
    // are taken: a smoke check of an installed copy, exit status 0.
    if (qEnvironmentVariableIsSet("FIXTURE_EDITOR_QUIT_AFTER_START"))
        QTimer::singleShot(0, &app, &QApplication::quit);
    return app.exec();
}
