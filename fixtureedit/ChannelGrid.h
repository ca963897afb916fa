#pragma once

#include "fixtureedit/ChannelNameEditor.h"
#include "fixtureedit/TypedNameCheck.h"

#include <QPointer>
#include <QTableView>

class ChannelDelegate;
class ChannelNameList;
class ChannelTableModel;

namespace ui {
struct Services;
}

// MSFlexGrid1, the channel grid. A click on a cell, or a key released on the grid, opens the
// cell's editor over it. Once a cell has been opened, leaving its editor by the keyboard (Tab,
// Enter) brings the focus back to the grid, which moves on to the next cell and opens it: along
// the row, then to the next row's "Channel Name", and from the last cell back to row 1. A mouse
// press on the grid stops that. Escape closes an editor without storing it.
class ChannelGrid : public QTableView {
    Q_OBJECT
public:
    ChannelGrid(ChannelTableModel& model, ChannelNameList& names, ui::Services& services,
                QWidget* parent = nullptr);

    // The current cell opened as a click opens it: a name cell first has a pending typed name
    // checked; a partner cell opens only for a 16-bit channel; the "Channel" column never.
    void openCurrentCell();
    // Stores an edit in progress as the editor's focus loss does, and closes the editor.
    void commitOpenEdit();
    // Closes an open editor without storing it.
    void hideEditors();
    // The editor open over a cell and not yet stored, or nullptr.
    QWidget* openEditor() const { return m_editor; }

    bool advanceOnFocus() const { return m_advanceOnFocus; }
    void setAdvanceOnFocus(bool advance) { m_advanceOnFocus = advance; }

    TypedName& typedName() { return m_typed; }
    // CheckTypedName; when the name is refused the grid goes to the cell it was typed in and that
    // cell is emptied.
    TypedNameCheck::Outcome checkTypedName();

    // Column widths and row height for the font in use.
    void layoutColumns();

    // Called by the cell editors.
    bool leavingCell() const { return m_leavingCell; }
    void editorOpened(QWidget* editor);
    void nameEntrySelected(const QString& text);
    void nameStored(int channel);

signals:
    // The name editor selected a list entry while on the channel's name cell.
    void nameSelected(int channel, const QString& text);
    // A channel took a name from the list.
    void channelNamed(int channel);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void keyboardSearch(const QString&) override {}
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

protected slots:
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    void commitData(QWidget* editor) override;

private:
    // The cell after (or before) index in the order of the keyboard advance, passing over cells
    // that open no editor.
    QModelIndex nextCell(const QModelIndex& index, bool backwards) const;
    bool opensEditor(const QModelIndex& index) const;
    void advance();
    void closeQuietly(QWidget* editor);

    ChannelTableModel& m_model;
    ChannelDelegate* m_delegate;
    TypedName m_typed;
    TypedNameCheck m_check;
    QPointer<QWidget> m_editor;
    QPersistentModelIndex m_pressed;
    bool m_advanceOnFocus = false;
    bool m_leavingCell = false;
    bool m_backwards = false;
    bool m_quiet = false;
};
