#pragma once

#include "ui/EditGrid.h"

#include <functional>

class StepGridModel;

// The steps grid MSFlexGrid2, an editing grid (ui::EditGrid) over one channel's steps: the name,
// From and To cells open the text box Text3. Tab or Enter after the last cell of the last step
// adds a step as "Add" does and opens its name (at the step limit, and on the "No Steps" row, the
// advance wraps to the first step); such a step that nobody typed into goes again when its row is
// left by Escape, by the arrows or a click on another row, or by the focus going elsewhere, and
// leaves nothing in the history. Typing on the "No Steps" row makes step 1 first, so the key goes
// into a step. Delete on a step's "Step" cell deletes it as "Delete" does; a click on a "Step"
// cell selects the step for Insert and Delete.
//
// A paste fills the steps from the current one on, adding steps past the last (one edit). Text
// without tabs that holds step ranges, as a fixture manual's DMX chart lists them ("0-9 Open"),
// is read line by line; more than one step is shown for confirmation first, and the status line
// says how many steps came and how many lines were skipped. A cut deletes the block's steps.
class StepGrid : public ui::EditGrid {
    Q_OBJECT
public:
    StepGrid(StepGridModel* model, ui::Dialogs& dialogs, QWidget* parent = nullptr);

    StepGridModel* stepModel() const { return m_model; }
    // Tall enough for 15 steps, wide enough for a whole step name.
    QSize sizeHint() const override;
    // "Add": appends a step (one undoable edit) and shows it; returns its row, or -1 when the
    // channel already has as many steps as it may.
    int addStep();
    // "Delete": deletes the step whose "Step" cell is current; any other cell does nothing.
    void deleteCurrentStep();

signals:
    // A line for the window's status bar ("12 steps pasted, 3 lines skipped").
    void statusMessage(const QString& text);

protected:
    bool takesPaste() const override { return true; }
    void pasteText(const QString& text, const QModelIndex& cell) override;
    void pasteBlock(const fx::TextBlock& block, const QModelIndex& cell) override;
    void cutBlock(const Block& block) override;
    bool readsAsHeading(const QString& text) const override;
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
    // Pastes block at the step of row, column, once confirm (if given) agrees; false when it was
    // refused (and told) or not confirmed.
    bool pasteAt(const fx::TextBlock& block, int row, int column,
                 const std::function<bool()>& confirm = {});

    StepGridModel* m_model;
    QPersistentModelIndex m_added; // the step the advance added, until its row is left
};
