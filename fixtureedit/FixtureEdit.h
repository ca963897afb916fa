#pragma once

#include "fixtureedit/ChannelNameList.h"

#include <QWidget>

class ChannelGrid;
class ChannelTableModel;
class ChannelTraits;
class DegreeBox;
class QAction;
class QComboBox;
class QGroupBox;
class QLineEdit;

namespace fx {
struct FixtureRecord;
}
namespace ui {
struct Services;
}

// The fixture editor ("ORVA library Edit Rev1.06"): the header fields of the fixture, its channel
// grid and the channel traits frame, with the "&File" and "&LED Fixture" menus. It works on the
// shared fixture record, is created once and kept for the whole run; load() runs each time its
// window opens.
class FixtureEdit : public QWidget {
    Q_OBJECT
public:
    FixtureEdit(fx::FixtureRecord& record, ui::Services& services, QWidget* parent = nullptr);
    ~FixtureEdit() override;

    // The form's load: reads the channel name set, fills the name list, and either starts a new
    // fixture of 8 channels (before the first visit to the palette editor) or shows the record.
    void load();

    // A new fixture of n channels (1 to 40) in the record and in every list of the form.
    void ResetFixture(int n);
    // The header fields from the record, the channel count first (which rebuilds the grid rows
    // for it), then the degrees.
    void FillHeaderFields();
    // The name list of the channel name editor from the editor's copy of the name set.
    void FillNameList();
    // The grid rows and the traits chooser entries from the channel table.
    void FillChannelGrid();

    // The menu commands.
    void NewFixture();
    void SaveFixture();
    void OpenFixture();
    void PaletteEdit();

    ChannelGrid* channelGrid() const { return m_grid; }
    ChannelTraits* traits() const { return m_traits; }
    const ChannelNameList& nameList() const { return m_names; }

signals:
    void paletteEditRequested(); // "&Palette Edit": this window closes, the palette editor opens
    void ledFixtureRequested();
    void exitRequested();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus();
    void buildForm();
    void channelCountPicked(int index);

    fx::FixtureRecord& m_record;
    ui::Services& m_services;
    ChannelNameList m_names;
    ChannelTableModel* m_model = nullptr;

    QGroupBox* m_setupFrame = nullptr; // Fixtue_Setup
    QLineEdit* m_nameBox = nullptr;    // Text1
    QComboBox* m_countList = nullptr;  // Combo1
    DegreeBox* m_panBox = nullptr;     // Text4
    DegreeBox* m_tiltBox = nullptr;    // Text2
    ChannelGrid* m_grid = nullptr;     // MSFlexGrid1
    ChannelTraits* m_traits = nullptr; // Frame2

    QSize m_savedSize;
    bool m_resetting = false;   // Resetting
    bool m_userEditing = true;  // UserEditing
    int m_prevChannelCount = 0; // PrevChannelCount
};
