#pragma once

#include "core/ChNameSet.h"

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
// set file. It meets the fixture editor only through that file.
class EditChName : public QWidget {
    Q_OBJECT
public:
    explicit EditChName(ui::Services& services, QWidget* parent = nullptr);
    ~EditChName() override;

    // The form's start-up: reads the channel name set file again (LoadChNameSet), dropping any
    // unsaved change. Called every time the window is opened.
    void load();

    const fx::ChNameSet& chNameSet() const;
    ChNameTableModel* model() const { return m_model; }

    // Whether the table holds changes not yet saved: set by a changed name, Init and Change;
    // cleared by a save that wrote the file and by a load.
    bool isModified() const { return m_modified; }
    // Before the program ends: with unsaved changes, asks Save, Discard or Cancel. True when the
    // changes may be dropped (none, saved, or discarded); false on Cancel and on a failed save.
    bool maybeDiscard();

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
    void setModified(bool modified);

    ui::Services& m_services;
    ChNameTableModel* m_model = nullptr;
    ChNameGrid* m_grid = nullptr;
    bool m_modified = false;
};
