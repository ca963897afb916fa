#pragma once

#include <QTableView>

// The LED channel grid (MSFlexGrid1). A click, or a key on the current cell, opens the cell's
// list editor. Keyboard work then runs Name, Type, next row's Name: once a Name or Type editor
// has opened, the focus coming back to the grid by keyboard (Tab, Enter, or from another
// control) steps to the next cell and opens it; from the last row's Type or Ch16bit cell the
// step wraps to the first row's Name. A mouse press cancels the step, so a click opens the
// clicked cell. The Ch16bit column is reached only by clicking (or the arrow keys). Tabbing into
// the grid before any cell was opened opens the first row's Name. Tab never leaves the grid;
// the form's F6 and Shift+F6 do.
class LedFixtureGrid : public QTableView {
    Q_OBJECT
public:
    explicit LedFixtureGrid(QWidget* parent = nullptr);

    bool autoAdvance() const { return m_autoAdvance; }
    void clearAutoAdvance() { m_autoAdvance = false; }

    // Sets the column widths from the grid's width: a quarter each, shifted towards the Type
    // column whose names are the longest.
    void fitColumns();

protected:
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    void focusInEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void stepToNextCell(QAbstractItemView::CursorAction direction);

    bool m_autoAdvance = false;
    bool m_closingEditor = false;
    bool m_stepAfterClose = false;
    QAbstractItemView::CursorAction m_closeDirection = MoveNext;
};
