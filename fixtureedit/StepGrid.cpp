#include "fixtureedit/StepGrid.h"

#include "fixtureedit/StepGridDelegate.h"
#include "fixtureedit/StepGridModel.h"
#include "ui/GridKeys.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>

#include <algorithm>

namespace {

// A key that puts text into a cell: a printable character or a paste.
bool typesText(const QKeyEvent* event)
{
    if (event->matches(QKeySequence::Paste))
        return true;
    const QString text = event->text();
    return !text.isEmpty() && text.at(0).isPrint() &&
           !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
}

} // namespace

StepGrid::StepGrid(StepGridModel* model, QWidget* parent) : QTableView(parent), m_model(model)
{
    setObjectName(QStringLiteral("MSFlexGrid2"));
    setAccessibleName(QStringLiteral("Steps")); // the grid has no label of its own
    setModel(model);
    m_delegate = new StepGridDelegate(this);
    setItemDelegate(m_delegate);
    // Cells open by a click or a released key only, through openCell.
    setEditTriggers(NoEditTriggers);
    setSelectionMode(SingleSelection);
    setSelectionBehavior(SelectItems);
    setTabKeyNavigation(false);
    setWordWrap(false);
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
    connect(this, &QAbstractItemView::clicked, this, &StepGrid::openCell);
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

QLineEdit* StepGrid::cellEditor() const
{
    if (state() != EditingState)
        return nullptr;
    const auto editors =
        viewport()->findChildren<QLineEdit*>(QStringLiteral("Text3"), Qt::FindDirectChildrenOnly);
    for (QLineEdit* editor : editors) {
        if (!editor->isHidden())
            return editor;
    }
    return nullptr;
}

void StepGrid::openCell(const QModelIndex& index)
{
    if (!index.isValid() || index.column() == StepGridModel::StepColumn)
        return;
    if (currentIndex() != index)
        setCurrentIndex(index);
    if (!edit(index, AllEditTriggers, nullptr))
        return;
    if (QLineEdit* editor = cellEditor()) {
        // The view selects an editor's whole text; the caret goes to the end instead.
        editor->deselect();
        editor->end(false);
    }
    m_editIndex = index;
    m_advanceOnFocus = true;
    if (QLineEdit* editor = cellEditor())
        editor->installEventFilter(this);
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

void StepGrid::commitOpenEdit()
{
    QLineEdit* editor = cellEditor();
    if (!editor)
        return;
    if (m_editIndex.isValid())
        itemDelegate()->setModelData(editor, model(), m_editIndex);
    m_closingQuietly = true;
    closeEditor(editor, QAbstractItemDelegate::NoHint);
    m_closingQuietly = false;
}

void StepGrid::hideEditor()
{
    if (QLineEdit* editor = cellEditor()) {
        m_closingQuietly = true;
        closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
        m_closingQuietly = false;
    }
}

void StepGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    // The grid left the cell while its editor is still shown: store what it holds, an empty
    // text included.
    if (QLineEdit* editor = cellEditor()) {
        if (m_editIndex.isValid())
            m_model->setData(m_editIndex, editor->text(), Qt::EditRole);
        m_closingQuietly = true;
        closeEditor(editor, QAbstractItemDelegate::NoHint);
        m_closingQuietly = false;
    }
    QTableView::currentChanged(current, previous);
}

void StepGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    // Escape leaves the editor without storing and without moving on.
    if (hint == QAbstractItemDelegate::RevertModelCache)
        m_advanceOnFocus = false;
    // Where to go next is decided when the focus comes back to the grid (focusInEvent), not by
    // the view's own Tab handling. The view gives itself the focus while it is still releasing
    // the editor, so the next cell opens once that is done.
    // Shift+Tab goes back to the cell before.
    m_backwards = hint == QAbstractItemDelegate::EditPreviousItem;
    m_inCloseEditor = true;
    QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
    m_inCloseEditor = false;
    if (m_advancePending) {
        m_advancePending = false;
        advance(true);
    }
    m_backwards = false;
}

void StepGrid::focusInEvent(QFocusEvent* event)
{
    QTableView::focusInEvent(event);
    const Qt::FocusReason reason = event->reason();
    const bool byKeyboard = reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
                            reason == Qt::OtherFocusReason;
    if (!m_advanceOnFocus || !byKeyboard || m_closingQuietly)
        return;
    if (m_inCloseEditor)
        m_advancePending = true;
    else
        advance(false);
}

void StepGrid::mousePressEvent(QMouseEvent* event)
{
    m_advanceOnFocus = false;
    QTableView::mousePressEvent(event);
}

void StepGrid::keyPressEvent(QKeyEvent* event)
{
    if (state() != EditingState) {
        if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier) {
            deleteCurrentStep();
            return;
        }
        // Typing on the "No Steps" row: step 1 is made and its cell takes the key.
        if (m_model->isPlaceholder() && typesText(event) && addStep() >= 0) {
            const int column = std::max(currentIndex().column(), int(StepGridModel::NameColumn));
            openCell(m_model->index(0, column));
            if (QLineEdit* editor = cellEditor())
                QCoreApplication::sendEvent(editor, event);
            return;
        }
    }
    QTableView::keyPressEvent(event);
}

bool StepGrid::eventFilter(QObject* watched, QEvent* event)
{
    // Typing into an editor open on the "No Steps" row: step 1 is made first, and the editor
    // starts from the new step's blank cell.
    if (event->type() == QEvent::KeyPress && m_model->isPlaceholder() && watched == cellEditor() &&
        typesText(static_cast<QKeyEvent*>(event)) && addStep() >= 0 && m_editIndex.isValid())
        itemDelegate()->setEditorData(cellEditor(), m_editIndex);
    return QTableView::eventFilter(watched, event);
}

void StepGrid::keyReleaseEvent(QKeyEvent* event)
{
    QTableView::keyReleaseEvent(event);
    if (event->isAutoRepeat() || state() == EditingState)
        return;
    const int key = event->key();
    if (ui::isModifierOrLockKey(key) || key == Qt::Key_Tab || key == Qt::Key_Backtab ||
        key == Qt::Key_Escape)
        return;
    openCell(currentIndex());
}

void StepGrid::advance(bool fromEditor)
{
    const int lastRow = m_model->rowCount() - 1;
    const int lastColumn = StepGridModel::ColumnCount - 1;
    const QModelIndex current = currentIndex();
    int row = current.isValid() ? current.row() : 0;
    int column = current.isValid() ? current.column() : 0;
    if (m_backwards) {
        if (row <= 0 && column <= StepGridModel::NameColumn) {
            row = lastRow;
            column = lastColumn;
        } else if (column > StepGridModel::NameColumn) {
            --column;
        } else {
            --row;
            column = lastColumn;
        }
    } else if (row >= lastRow && column == lastColumn) {
        // Enter or Tab in the last cell of the last step adds a step; the focus coming back from
        // another control does not.
        const int added = fromEditor && !m_model->isPlaceholder() ? addStep() : -1;
        row = std::max(added, 0);
        column = StepGridModel::NameColumn;
    } else if (column < lastColumn) {
        ++column;
    } else {
        ++row;
        column = StepGridModel::NameColumn;
    }
    const QModelIndex next = m_model->index(row, column);
    setCurrentIndex(next);
    openCell(next);
}
