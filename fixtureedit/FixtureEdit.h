#pragma once

#include "fixtureedit/ChannelNameList.h"
#include "ui/Editor.h"

#include <QWidget>

class ChannelGrid;
class ChannelTableModel;
class ChannelTraits;
class FixtureFiles;
class LiveBar;
class ProblemPanel;
class DegreeBox;
class QAction;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QMenu;

namespace fx {
struct FixtureRecord;
struct RecordChange;
} // namespace fx
namespace ui {
class Document;
struct Services;
} // namespace ui

// The fixture editor ("ORVA library Edit Rev1.06"): the header fields of the fixture, its channel
// grid and the channel traits frame, with the "&File", "&Edit" and "&LED Fixture" menus. It edits
// the shared fixture document (every change is an undoable edit), is created once and kept for
// the whole run; load() runs each time its window opens.
class FixtureEdit : public QWidget, public ui::Editor {
    Q_OBJECT
public:
    FixtureEdit(ui::Document& document, ui::Services& services, QWidget* parent = nullptr);
    ~FixtureEdit() override;

    // The form's load: reads the channel name set, fills the name list, and either starts a new
    // fixture of 8 channels (the first time) or shows the fixture kept from before.
    void load() override;
    bool isModified() const override;
    bool maybeDiscard() override { return maybeSave(); }

    // A new fixture of n channels (1 to 40) in the record and in every list of the form.
    // firstShowing: also the name "New Fixture" and no pan degree, as the form first shows.
    void ResetFixture(int n, bool firstShowing = false);
    // The header fields from the record; writes nothing. whole: every box, also one that
    // already shows the same value.
    void FillHeaderFields(bool whole = true);
    // The name list of the channel name editor from the editor's copy of the name set.
    void FillNameList();
    // The grid rows from the channel table.
    void FillChannelGrid();

    // The menu commands; the files side of them is FixtureFiles'. SaveFixture returns whether
    // the fixture was written.
    void NewFixture();
    bool SaveFixture();
    void OpenFixture();
    void PaletteEdit();
    // "&Import Fixture...": a fixture definition (".qxf") chosen in a file dialog.
    void ImportFixture();
    // Imports path after the unsaved-changes question (the command line, the fixture library),
    // the import dialog starting on mode when it is given. Returns whether the fixture now comes
    // from it.
    bool importFile(const QString& path, bool askFirst = true, int mode = -1);
    // Opens a file chosen elsewhere (command line, recent files), after the unsaved-changes
    // question. Returns whether the fixture now comes from it.
    bool openFile(const QString& path);

    // Before an action that would drop unsaved work (exit, open, new, import): asks Save, Discard
    // or Cancel when the fixture is modified. Returns whether the action may go on; a failed or
    // cancelled save cancels it.
    bool maybeSave();

    // For the file commands: an edit still open in a grid is stored; the cell editors close; the
    // focus goes to the fixture name.
    void commitOpenEdits();
    void discardOpenEdits();
    void focusName();

    ui::Document& document() const { return m_document; }
    FixtureFiles* files() const { return m_files; }
    ChannelNameList& names() { return m_names; }
    ChannelGrid* channelGrid() const { return m_grid; }
    ChannelTraits* traits() const { return m_traits; }
    ProblemPanel* problems() const { return m_problems; }
    LiveBar* liveBar() const { return m_live; }
    const ChannelNameList& nameList() const { return m_names; }

signals:
    void paletteEditRequested(); // "&Palette Edit": this window closes, the palette editor opens
    void ledFixtureRequested();
    void exitRequested();
    // A fixture file was opened or saved (for the recent files).
    void fixtureFileUsed(const QString& path);
    // A line for the status bar of the window the editor is in (after a paste from a manual).
    void statusMessage(const QString& text);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus();
    void buildForm();
    void channelCountPicked(int index);
    void documentChanged(const fx::RecordChange& change);
    // Every list and grid of the form from the record (after it was replaced as a whole).
    void showWholeRecord();
    void updateProblems();
    void goToProblem(int channel, int step);

    ui::Document& m_document;
    ui::Services& m_services;
    ChannelNameList m_names;
    ChannelTableModel* m_model = nullptr;
    FixtureFiles* m_files = nullptr;

    QGroupBox* m_setupFrame = nullptr;  // Fixtue_Setup
    QLineEdit* m_nameBox = nullptr;     // Text1
    QComboBox* m_countList = nullptr;   // Combo1
    DegreeBox* m_panBox = nullptr;      // Text4
    DegreeBox* m_tiltBox = nullptr;     // Text2
    ChannelGrid* m_grid = nullptr;      // MSFlexGrid1
    ChannelTraits* m_traits = nullptr;  // Frame2
    ProblemPanel* m_problems = nullptr; // ProblemList
    LiveBar* m_live = nullptr;
    QMenu* m_recent = nullptr;

    QSize m_savedSize;
    bool m_filling = false; // the form is being filled from the record: no edits
    bool m_loaded = false;  // the first load starts a new fixture, later ones keep it
};
