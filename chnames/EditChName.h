#pragma once

#include "ui/Editor.h"
#include "ui/RecordDocuments.h"

#include <QWidget>

class ChNameGrid;
class ChNameTableModel;
class QAction;
class QPushButton;

namespace ui {
struct Services;
}

// The channel name editor: the 253 channel names and their function codes, kept in its own copy
// of the channel name set, renamed in place (IDs 5 to 253) and saved whole to the channel name
// set file. It meets the fixture editor only through that file. A name, Init and Change are
// edits of its document, undone and redone in the "&Edit" menu.
class EditChName : public QWidget, public ui::Editor {
    Q_OBJECT
public:
    explicit EditChName(ui::Services& services, QWidget* parent = nullptr);
    ~EditChName() override;

    // The form's start-up: reads the channel name set file again (LoadChNameSet), dropping any
    // unsaved change, with a fresh history. Called every time the window is opened.
    void load() override;

    const fx::ChNameSet& chNameSet() const { return m_document->core().record(); }
    ChNameTableModel* model() const { return m_model; }
    ui::ChNameDocument& document() const { return *m_document; }

    // Whether the set differs from the one last loaded or saved: from the undo stack's clean
    // state.
    bool isModified() const override { return m_document->isModified(); }
    bool maybeDiscard() override;

signals:
    // The editor's window should close (Exit, and both Show items before their own signal); the
    // fixture editor then comes back at the top-left.
    void closeRequested();
    void showFixtureRequested();
    void showPaletteRequested();
    // "&Exit": end the program at once, saving nothing.
    void exitRequested();

private:
    void buildControls();

    void LoadChNameSet();
    // True when the file was written.
    bool SaveChNameSet();
    void InitChNameSet();
    void ChangeCodes();

    ui::Services& m_services;
    ui::ChNameDocument* m_document = nullptr;
    ChNameTableModel* m_model = nullptr;
    ChNameGrid* m_grid = nullptr;
};
