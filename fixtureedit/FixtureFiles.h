#pragma once

#include <QObject>
#include <QString>

class FixtureEdit;
class QMenu;

namespace fx {
struct FixtureRecord;
}
namespace ui {
class Document;
struct Services;
} // namespace ui

// The fixture editor's files: "&Save Fixture", "&Open Fixture", "&Import Fixture...", "Open
// &Recent" and the unsaved-changes question before work would be dropped. It asks the questions,
// runs the file dialogs (each starting where the technician expects it), writes atomically, reads
// with checks and tells every failure with the path and the reason; the form (FixtureEdit) only
// shows the fixture these put into the document.
class FixtureFiles : public QObject {
    Q_OBJECT
public:
    static const QString Filter;    // "Fixture Setup File(*.tff)"
    static const QString SaveTitle; // "ORVA Save As"

    FixtureFiles(FixtureEdit& form, ui::Document& document, ui::Services& services);

    // Asks Save, Discard or Cancel when the fixture is modified. Returns whether the action that
    // would drop the work may go on; a failed or cancelled save cancels it.
    bool maybeSave();
    // Lists the errors first (save anyway?), then what the file cannot hold, then asks for a file
    // name (".tff" added unless the name ends so, in any case) and before replacing a file.
    // Returns whether the fixture was written.
    bool save();
    // A file chosen in the dialog, or a path chosen elsewhere (command line, recent files), after
    // the unsaved-changes question. openFile returns whether the fixture now comes from it.
    void open();
    bool openFile(const QString& path);
    // A fixture definition (".qxf") chosen in the dialog, or a path (the command line): the import
    // dialog, then the names the set lacks offered for adding. Returns whether the fixture now
    // comes from it.
    void importChosen();
    bool importFile(const QString& path, bool askFirst = true, int mode = -1);

    // The last eight fixture files opened or saved, newest first, as the menu's items.
    void fillRecentMenu(QMenu* menu);

    // Where the save dialog starts: the fixture's own file when it has one in a folder that can
    // be written, else its name with ".tff" in the folder last saved to (or the documents
    // folder).
    QString saveStart() const;
    // Where the import's dialog starts: the folder last imported from, else QLC+'s fixture folder
    // ($QLCPLUS_FIXTURES_DIR, else /usr/share/qlcplus/fixtures) when it exists, else the folder of
    // the last file dialog (empty).
    QString importStart() const;

signals:
    // A fixture file was opened or saved (for the recent files).
    void fileUsed(const QString& path);

private:
    bool confirmErrors();
    // The file side of a save: capacity question, file dialog, replace question, atomic write.
    // Returns the path written, empty when nothing was.
    QString writeChosenFile(const fx::FixtureRecord& record);
    // Reads path into record; on any failure tells why and leaves record as it was.
    QString readFile(const QString& path, fx::FixtureRecord& record);
    bool openPath(const QString& path);
    QString fixtureTitle() const;

    FixtureEdit& m_form;
    ui::Document& m_document;
    ui::Services& m_services;
};
