#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QMenu;
class QWidget;

namespace fx {
struct FixtureRecord;
}
namespace ui {
struct Services;
}

// The fixture editor's ways out of the console's own file: "&Export Fixture..." (a QLC+ fixture
// definition), "&Print..." (Ctrl+Shift+P, the fixture sheet through the print dialog) and
// "Export &PDF..." (the sheet as a PDF file). Each takes the fixture as it stands in the editor,
// unsaved edits included; files are written whole through the file access or not at all, and a
// failure is told with the path and the reason, as the saves do.
class ExportCommands : public QObject {
    Q_OBJECT
public:
    static const QString QxfFilter; // "QLC+ Fixture Definition (*.qxf)"
    static const QString PdfFilter; // "PDF Document (*.pdf)"
    static const QString ManufacturerKey; // the settings key of the manufacturer last given

    // current gives the fixture as it stands (open edits stored first); filePath the file it came
    // from, for the sheet's header.
    ExportCommands(ui::Services& services, QWidget* parent,
                   std::function<const fx::FixtureRecord&()> current,
                   std::function<QString()> filePath);

    // Adds the three actions to menu (and their keys to the parent window).
    void addActions(QMenu* menu);

    // Each returns whether something was written or printed.
    bool exportFixture();
    bool printSheet();
    bool exportPdf();

private:
    QString chosenPath(const QString& caption, const QString& filter, const QString& suffix);
    bool write(const QString& title, const QString& path, const QByteArray& data);

    ui::Services& m_services;
    QWidget* m_parent;
    std::function<const fx::FixtureRecord&()> m_current;
    std::function<QString()> m_filePath;
};
