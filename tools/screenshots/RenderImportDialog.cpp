// Renders the import dialog on the sample moving head for the documentation:
//   render_import_dialog docs/import-dialog.png
#include "fixtureedit/ImportFixtureDialog.h"

#include <QApplication>
#include <QtTest>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        qWarning("usage: render_import_dialog OUTPUT.png");
        return 2;
    }
    fx::QxfDefinition def;
    if (const std::string error = fx::loadQxfFile(QXF_DATA_DIR "/moving-head.qxf", def);
        !error.empty()) {
        qWarning("%s", error.c_str());
        return 1;
    }
    fx::ChNameSet names;
    fx::InitChNameSet(names);
    fixtureedit::ImportFixtureDialog dialog(def, names, QStringLiteral("moving-head.qxf"));
    dialog.show();
    if (!QTest::qWaitForWindowExposed(&dialog))
        qWarning("the dialog was not shown");
    return dialog.grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
