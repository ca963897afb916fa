#pragma once

#include "ui/EditGrid.h"

class StepGridModel;

// The steps grid MSFlexGrid2, an editing grid (ui::EditGrid) over one channel's steps: the name,
// From and To cells open the text box Text3. Tab or Enter after the last cell of the last step
// adds a step as "Add" does and opens its name (at the step limit, and on the "No Steps" row, the
// advance wraps to the first step); such a step that nobody typed into goes again when its row is
// left by Escape, by the arrows or a click on another row, or by the focus going elsewhere, and
// leaves nothing in the history. Typing on the "No Steps" row makes step 1 first, so the key goes
// into a step. Delete on a step's "Step" cell deletes it as "Delete" does; a click on a "Step"
// cell selects the step for Insert and Delete.
class StepGrid : public ui::EditGrid {
    Q_OBJECT
public:
    StepGrid(StepGridModel* model, QWidget* parent = nullptr);

    StepGridModel* stepModel() const { return m_model; }
    // Tall enough for 15 steps, wide enough for a whole step name.
    QSize sizeHint() const override;
    // "Add": appends a step (one undoable edit) and shows it; returns its row, or -1 when the
    // channel already has as many steps as it may.
    int addStep();
    // "Delete": deletes the step whose "Step" cell is current; any other cell does nothing.
    void deleteCurrentStep();

protected:
    QModelIndex afterLastCell() override;
    void editorClosed(const QModelIndex& cell, bool stored) override;
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The step the advance added goes again if nobody typed into it.
    void takeBackAdded();

    StepGridModel* m_model;
    QPersistentModelIndex m_added; // the step the advance added, until its row is left
};
