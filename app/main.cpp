#include "app/ChNameSetLocation.h"
#include "app/MainForm.h"
#include "ui/FileAccess.h"
#include "ui/QtDialogs.h"
#include "ui/Services.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ORVA"));

    ui::QtDialogs dialogs;
    ui::DiskFileAccess files;
    ui::Services services{dialogs, files, chnameset::locateForApplication()};

    MainForm window(services);
    QObject::connect(&window, &MainForm::exitRequested, &app, &QApplication::quit,
                     Qt::QueuedConnection);
    window.show();
    return app.exec();
}
