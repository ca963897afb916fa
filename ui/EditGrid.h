#pragma once

#include "core/ClipText.h"

#include <QPersistentModelIndex>
#include <QTableView>

#include <string>

class QMenu;

namespace ui {

class Dialogs;

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
// - A block of cells is selected with Shift and the arrows, Shift+click or a drag; Ctrl+A takes
//   every cell; a click on a row's heading cell (column 0) takes the row, Shift+click there the
//   rows up to it. Ctrl+C copies the block (or the current cell), Ctrl+X cuts it, Ctrl+V pastes
//   at the current cell; a grid says what a cut and a paste do (cutBlock, pasteBlock). In an open
//   cell these keys work on its text.
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

    // Rows and columns of the selected block (the smallest one holding every selected cell), or
    // the current cell alone; top -1 when there is neither.
    struct Block {
        int top = -1, left = -1, bottom = -1, right = -1;
    };
    Block selectedBlock() const;
    // The block's cells as shown: texts without their trailing blanks.
    fx::TextBlock blockCells(const Block& block) const;
    // Copy: the block on the clipboard as tab-separated text and as an HTML table.
    void copyBlock();
    // Cut: copies the block, then the grid cuts it.
    void cutSelection();
    // Paste: the clipboard's text at the current cell, as the grid takes it.
    void pasteClipboard();
    // Whether the grid takes a paste and the clipboard has text for one; whether it can cut.
    bool canPaste() const;
    bool canCut() const;

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

    // Whether the grid takes pastes at all (the grids over a document do).
    virtual bool takesPaste() const { return false; }
    // Pastes text (the clipboard's) at cell as one edit, or says why not; by default it is read
    // as a block of cells and given to pasteBlock.
    virtual void pasteText(const QString& text, const QModelIndex& cell);
    // Pastes cells at cell as one edit; a refused paste tells its problem and changes nothing.
    virtual void pasteBlock(const fx::TextBlock&, const QModelIndex&) {}
    // The cut of a block already copied: one edit.
    virtual void cutBlock(const Block&) {}
    // Where a refused paste's problem is told (in a message box titled "Paste").
    void setDialogs(Dialogs& dialogs) { m_dialogs = &dialogs; }
    Dialogs* dialogs() const { return m_dialogs; }
    void tellPasteProblem(const QString& problem);
    // Tells problem when there is one; returns whether there was (the paste is refused).
    bool refusesPaste(const std::string& problem);
    // Where block goes when pasted at cell: a block on the heading column or as wide as the grid
    // whose first column holds only texts that read like this grid's row headings ("Step 12")
    // is whole rows copied: it goes to the row's heading, and those cells are blanked (a paste
    // passes blank heading cells over); any other block pasted on a heading cell starts at the
    // row's first cell that opens instead.
    QModelIndex placeBlock(fx::TextBlock& block, const QModelIndex& cell) const;
    // Whether text reads like one of the grid's row headings: by default the text of the first
    // or last row's column 0 with other digits.
    virtual bool readsAsHeading(const QString& text) const;

    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyboardSearch(const QString&) override {}
    bool event(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

protected slots:
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    void commitData(QWidget* editor) override;

private:
    QModelIndex nextCell(const QModelIndex& from, bool forward);
    // Opens the current cell (or the first of its row that opens) with event as its first key.
    bool openWithKey(QKeyEvent* event);

    // A click on a row heading: the row, or with Shift the rows from the last one taken.
    void takeRows(int row, bool extend);

    QPersistentModelIndex m_editing; // the cell whose editor is open
    Dialogs* m_dialogs = nullptr;
    Qt::KeyboardModifiers m_pressModifiers; // of the last mouse press
    int m_rowAnchor = -1;                   // the row the last plain heading click took
    bool m_stored = false;                  // that editor was stored
    bool m_headingsSelectable = false;
};

// A key that puts text into a cell: a printable character or a paste.
bool typesText(const QKeyEvent* event);

// Cut, Copy, Paste and Select All in an editor's Edit menu, showing the usual keys. They work on
// the grid (or the text box) of owner that last had the focus, and are enabled as they apply
// when the menu opens. The keys themselves are the focused control's own.
void addClipboardActions(QMenu* edit, QWidget* owner);

} // namespace ui
