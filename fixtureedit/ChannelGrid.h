#pragma once

#include "fixtureedit/TypedNameController.h"
#include "ui/EditGrid.h"

class ChannelDelegate;
class ChannelNameList;
class ChannelTableModel;

namespace ui {
struct Services;
}

// MSFlexGrid1, the channel grid, an editing grid (ui::EditGrid) over the channel table: the
// name, type, partner (16-bit channels only) and value cells open; the "Channel" column never.
// A name typed into a name cell that the name set lacks is offered for adding once the cell is
// stored and its editor closed; a name of one character is not stored and is checked when a name
// cell is next opened. A paste fills the channels from the current cell on as one edit; names
// the set lacks are offered for adding in one question first. A cut blanks names and values.
class ChannelGrid : public ui::EditGrid {
    Q_OBJECT
public:
    ChannelGrid(ChannelTableModel& model, ChannelNameList& names, ui::Services& services,
                QWidget* parent = nullptr);

    // The name typed and not yet checked against the name set.
    const TypedName& typedName() const { return m_typedNames->pending(); }

    // Column widths and row height for the font in use.
    void layoutColumns();

signals:
    // The name editor over the channel's name cell shows a list entry.
    void nameSelected(int channel, const QString& text);

protected:
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void editorClosed(const QModelIndex& cell, bool stored) override;
    bool takesPaste() const override { return true; }
    void pasteBlock(const fx::TextBlock& block, const QModelIndex& cell) override;
    void cutBlock(const Block& block) override;

private:
    // Offers the names for adding to the name set; true when every one was added.
    bool addMissingNames(const std::vector<std::string>& names);

    ChannelTableModel& m_model;
    ChannelNameList& m_names;
    ui::Services& m_services;
    ChannelDelegate* m_delegate;
    TypedNameController* m_typedNames;
};
