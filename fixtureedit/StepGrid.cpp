#include "fixtureedit/StepGrid.h"

#include "fixtureedit/StepGridDelegate.h"
#include "fixtureedit/StepGridModel.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>

#include <algorithm>
#include <utility>

StepGrid::StepGrid(StepGridModel* model, QWidget* parent) : ui::EditGrid(parent), m_model(model)
{
    setObjectName(QStringLiteral("MSFlexGrid2"));
    setAccessibleName(QStringLiteral("Steps")); // the grid has no label of its own
    setModel(model);
    setItemDelegate(new StepGridDelegate(this));
    setHeadingsSelectable(true);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setMinimumHeight(fontMetrics().height() + 14);
    setColumnWidth(StepGridModel::StepColumn, 74);
    setColumnWidth(StepGridModel::FromColumn, 70);
    setColumnWidth(StepGridModel::ToColumn, 70);
    horizontalHeader()->setSectionResizeMode(StepGridModel::NameColumn, QHeaderView::Stretch);
}

QSize StepGrid::sizeHint() const
{
    const int header =
        std::max(horizontalHeader()->minimumHeight(), horizontalHeader()->sizeHint().height());
    int width = 2 * frameWidth() + verticalScrollBar()->sizeHint().width() +
                fontMetrics().horizontalAdvance(QStringLiteral("Step NameMM"));
    for (int column = StepGridModel::StepColumn; column < StepGridModel::ColumnCount; ++column) {
        if (column != StepGridModel::NameColumn)
            width += columnWidth(column);
    }
    return {width, 2 * frameWidth() + header + 15 * verticalHeader()->defaultSectionSize()};
}

int StepGrid::addStep()
{
    const int row = m_model->addStep();
    if (row >= 0)
        scrollTo(m_model->index(row, StepGridModel::StepColumn));
    return row;
}

void StepGrid::deleteCurrentStep()
{
    const QModelIndex current = currentIndex();
    if (current.isValid() && current.column() == StepGridModel::StepColumn)
        m_model->deleteStep(current.row());
}

QModelIndex StepGrid::afterLastCell()
{
    if (!m_model->isPlaceholder()) {
        const int row = addStep();
        if (row >= 0) {
            m_added = m_model->index(row, StepGridModel::StepColumn);
            return m_model->index(row, StepGridModel::NameColumn);
        }
    }
    return ui::EditGrid::afterLastCell();
}

void StepGrid::takeBackAdded()
{
    const QPersistentModelIndex added = std::exchange(m_added, QPersistentModelIndex());
    if (added.isValid())
        m_model->takeBackStep(added.row());
}

void StepGrid::editorClosed(const QModelIndex& cell, bool stored)
{
    // Escape, or the focus gone to another control.
    if (m_added.isValid() && cell.row() == m_added.row() && (!stored || !hasFocus()))
        takeBackAdded();
}

void StepGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    ui::EditGrid::currentChanged(current, previous);
    if (m_added.isValid() && current.row() != m_added.row())
        takeBackAdded();
}

void StepGrid::focusOutEvent(QFocusEvent* event)
{
    ui::EditGrid::focusOutEvent(event);
    // The focus going into the grid's own editor does not leave the row.
    const QWidget* focus = QApplication::focusWidget();
    if (m_added.isValid() && !openEditor() && !(focus && isAncestorOf(focus)))
        takeBackAdded();
}

bool StepGrid::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event)
{
    // A key typed on the "No Steps" row makes step 1 first, and goes into it.
    if (trigger == AnyKeyPressed && event && m_model->isPlaceholder() && opensCell(index))
        addStep();
    return ui::EditGrid::edit(index, trigger, event);
}

void StepGrid::keyPressEvent(QKeyEvent* event)
{
    if (state() != EditingState && event->key() == Qt::Key_Delete &&
        event->modifiers() == Qt::NoModifier) {
        deleteCurrentStep();
        return;
    }
    ui::EditGrid::keyPressEvent(event);
}

bool StepGrid::eventFilter(QObject* watched, QEvent* event)
{
    // Typing into a cell opened on the "No Steps" row: step 1 is made first, and the editor
    // starts from the new step's blank cell.
    if (event->type() == QEvent::KeyPress && watched == openEditor() && m_model->isPlaceholder() &&
        ui::typesText(static_cast<QKeyEvent*>(event)) && addStep() >= 0 && openEditor())
        itemDelegate()->setEditorData(openEditor(), currentIndex());
    return ui::EditGrid::eventFilter(watched, event);
}
