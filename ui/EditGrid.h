#pragma once

#include <QPersistentModelIndex>
#include <QTableView>

namespace ui {

// The editing grid every editor uses: a table whose cells open an editor over them, driven by the
// keyboard the same way in every grid.
//
// - A typed character opens the current cell and goes into it as its first character (on a cell
//   that opens nothing, the row's first cell that opens). Enter or F2 opens the current cell,
//   F4 or Alt+Down opens it with its list shown.
// - In an open cell, Tab and Enter store it and open the next cell that opens: along the row,
//   then the next row's first one; after the last cell afterLastCell() says where (the first
//   cell, wrapping round, unless a grid does more). Shift+Tab stores and goes back. Escape closes
//   the cell without storing it. Up and Down store it and move to the row above or below, unless
//   a drop-down list is open (then they pick in it).
// - A click opens the clicked cell; leaving a cell (a click elsewhere, the arrows, the focus
//   going to another control, F6) stores what its editor holds.
// - Tab never leaves the grid; F6 and Shift+F6 (ui/PaneKeys) do. Entering the grid by the
//   keyboard lands on the first cell of the current row that opens, never on a heading column.
class EditGrid : public QTableView {
    Q_OBJECT
public:
    explicit EditGrid(QWidget* parent = nullptr);

    // The editor open over a cell, or nullptr.
    QWidget* openEditor() const;
    // Makes index current and opens its editor, as a click does; false when it opens none.
    bool openCell(const QModelIndex& index);
    // Stores an open editor and closes it without moving on (a command of the window calls this
    // before it acts).
    void commitOpenEdit();
    // Closes an open editor without storing it.
    void discardOpenEdit();

protected:
    // Whether a cell opens an editor; by default the cells the model makes editable.
    virtual bool opensCell(const QModelIndex& index) const;
    // Where Tab and Enter go from the last cell that opens: the first one, wrapping round.
    virtual QModelIndex afterLastCell();
    // An editor over cell was closed: stored (Tab, Enter, leaving the cell, the focus going
    // elsewhere) or dropped (Escape, discardOpenEdit). Runs before the grid moves on, so a
    // question a stored cell raises is asked here, with no editor open.
    virtual void editorClosed(const QModelIndex& cell, bool stored);
    // A click on a cell that opens nothing makes it current (as the steps grid's "Step" cells
    // need); otherwise the row's first cell that opens becomes current.
    void setHeadingsSelectable(bool selectable) { m_headingsSelectable = selectable; }
    // The first cell of row that opens, or an invalid index.
    QModelIndex firstCellOf(int row) const;

    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyboardSearch(const QString&) override {}

protected slots:
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    void commitData(QWidget* editor) override;

private:
    QModelIndex nextCell(const QModelIndex& from, bool forward);
    // Opens the current cell (or the first of its row that opens) with event as its first key.
    bool openWithKey(QKeyEvent* event);

    QPersistentModelIndex m_editing; // the cell whose editor is open
    bool m_stored = false;           // that editor was stored
    bool m_headingsSelectable = false;
};

// A key that puts text into a cell: a printable character or a paste.
bool typesText(const QKeyEvent* event);

} // namespace ui
