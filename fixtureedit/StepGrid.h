#pragma once

#include <QPersistentModelIndex>
#include <QTableView>

class QLineEdit;
class StepGridDelegate;
class StepGridModel;

// The steps grid MSFlexGrid2. A click on a cell, or a key released in the grid, opens the
// cell's editor Text3; leaving the editor by Tab or Enter opens the next cell (Shift+Tab the cell
// before), while a mouse press on the grid cancels that advance. Enter or Tab in the last cell of
// the last step adds a step as "Add" does and opens it; at the step limit, on the "No Steps" row
// and when the focus comes back from another control, the advance wraps to row 1 "Step Name".
// Typing on the "No Steps" row makes step 1 first, so the typed text goes into a step. Delete on
// a step's "Step" cell deletes it as "Delete" does. When the grid moves to another cell while the
// editor is still shown, the editor's text is stored, an empty text as an empty name or 0.
class StepGrid : public QTableView {
    Q_OBJECT
public:
    StepGrid(StepGridModel* model, QWidget* parent = nullptr);

    StepGridModel* stepModel() const { return m_model; }
    // Opens the editor of index as a click does (column 0 has none).
    void openCell(const QModelIndex& index);
    // Text3 while it is shown over a cell, else null.
    QLineEdit* cellEditor() const;
    // Stores the text of an open editor as its losing the focus does, and closes it.
    void commitOpenEdit();
    // Closes an open editor without storing.
    void hideEditor();
    bool advanceOnFocus() const { return m_advanceOnFocus; }
    // Tall enough for 15 steps, wide enough for a whole step name.
    QSize sizeHint() const override;
    // "Add": appends a step (one undoable edit) and shows it; returns its row, or -1 when the
    // channel already has as many steps as it may.
    int addStep();
    // "Delete": deletes the step whose "Step" cell is current; any other cell does nothing.
    void deleteCurrentStep();

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    void focusInEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Opens the next cell; fromEditor: the editor was left by Enter or Tab.
    void advance(bool fromEditor);

    StepGridModel* m_model;
    StepGridDelegate* m_delegate;
    QPersistentModelIndex m_editIndex;
    bool m_advanceOnFocus = false;
    bool m_closingQuietly = false;
    bool m_inCloseEditor = false;
    bool m_advancePending = false;
    bool m_backwards = false;
};
