#pragma once

#include "fixtureedit/TypedNameController.h"

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
//
// An editor is stored once per opening: when it loses the focus (Tab and Enter included), unless
// it is empty or holds a name of one character; or, whatever it holds, when the grid moves off its
// cell while it is open. A typed name is checked against the name set when it is stored by focus
// loss, else when a name cell is next opened; after a question the focus is back in the grid.
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

    // The name typed and not yet checked against the name set.
    const TypedName& typedName() const { return m_typedNames->pending(); }

    // Column widths and row height for the font in use.
    void layoutColumns();

signals:
    // The name editor over the channel's name cell shows a list entry.
    void nameSelected(int channel, const QString& text);

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
    // Whether the editor holds anything to store as it loses the focus.
    static bool storedOnFocusLoss(const QWidget* editor);
    static bool holdsFocus(const QWidget* editor);
    void advance();
    void closeQuietly(QWidget* editor);
    // CheckTypedName; a refused name's cell becomes the current one.
    void checkTypedName();

    ChannelTableModel& m_model;
    ChannelDelegate* m_delegate;
    TypedNameController* m_typedNames;
    QPointer<QWidget> m_editor;
    const QWidget* m_asking = nullptr; // the editor whose name is being asked about
    bool m_refocus = false;            // a question took the focus from the editor
    QPersistentModelIndex m_pressed;
    bool m_advanceOnFocus = false;
    bool m_leavingCell = false;
    bool m_backwards = false;
    bool m_quiet = false;
};
