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
// cell is next opened.
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

private:
    ChannelTableModel& m_model;
    ChannelDelegate* m_delegate;
    TypedNameController* m_typedNames;
};
