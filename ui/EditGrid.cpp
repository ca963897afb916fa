#include "ui/EditGrid.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

#include <utility>

namespace ui {

bool typesText(const QKeyEvent* event)
{
    if (event->matches(QKeySequence::Paste))
        return true;
    const QString text = event->text();
    return !text.isEmpty() && text.at(0).isPrint() &&
           !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
}

EditGrid::EditGrid(QWidget* parent) : QTableView(parent)
{
    setSelectionMode(SingleSelection);
    setSelectionBehavior(SelectItems);
    // The key typed on a cell opens it and goes in (see edit); everything else is opened here.
    setEditTriggers(AnyKeyPressed);
    setTabKeyNavigation(true);
    setWordWrap(false);
    connect(this, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
        if (opensCell(index))
            openCell(index);
        else if (!m_headingsSelectable && firstCellOf(index.row()).isValid())
            setCurrentIndex(firstCellOf(index.row()));
    });
}

QWidget* EditGrid::openEditor() const
{
    return m_editing.isValid() && state() == EditingState ? indexWidget(m_editing) : nullptr;
}

bool EditGrid::opensCell(const QModelIndex& index) const
{
    return index.isValid() && (index.flags() & Qt::ItemIsEditable);
}

QModelIndex EditGrid::firstCellOf(int row) const
{
    if (!model())
        return {};
    for (int column = 0; column < model()->columnCount(rootIndex()); ++column) {
        const QModelIndex cell = model()->index(row, column, rootIndex());
        if (opensCell(cell))
            return cell;
    }
    return {};
}

bool EditGrid::openCell(const QModelIndex& index)
{
    if (!opensCell(index))
        return false;
    if (currentIndex() != index)
        setCurrentIndex(index);
    return edit(index, AllEditTriggers, nullptr);
}

void EditGrid::commitOpenEdit()
{
    if (QWidget* editor = openEditor()) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

void EditGrid::discardOpenEdit()
{
    if (QWidget* editor = openEditor())
        closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
}

QModelIndex EditGrid::afterLastCell()
{
    return nextCell(QModelIndex(), true);
}

void EditGrid::editorClosed(const QModelIndex&, bool)
{
}

QModelIndex EditGrid::nextCell(const QModelIndex& from, bool forward)
{
    if (!model())
        return {};
    const int rows = model()->rowCount(rootIndex());
    const int columns = model()->columnCount(rootIndex());
    const int total = rows * columns;
    int at = from.isValid() ? from.row() * columns + from.column() : (forward ? -1 : total);
    for (int n = 0; n < total; ++n) {
        at += forward ? 1 : -1;
        if (at >= total && from.isValid())
            return afterLastCell();
        if (at >= total || at < 0)
            at = forward ? 0 : total - 1;
        const QModelIndex cell = model()->index(at / columns, at % columns, rootIndex());
        if (opensCell(cell))
            return cell;
    }
    return {};
}

QModelIndex EditGrid::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers)
{
    // Tab and Shift+Tab (and closing an editor with them) visit only the cells that open.
    if (cursorAction == MoveNext || cursorAction == MovePrevious)
        return nextCell(currentIndex(), cursorAction == MoveNext);
    return QTableView::moveCursor(cursorAction, modifiers);
}

bool EditGrid::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event)
{
    if (!opensCell(index))
        return false;
    const bool byKey = trigger == AnyKeyPressed && event && event->type() == QEvent::KeyPress;
    if (!QTableView::edit(index, trigger, event))
        return false;
    QWidget* editor = indexWidget(index);
    if (!editor || state() != EditingState)
        return true;
    if (m_editing != index) {
        m_editing = index;
        m_stored = false;
        editor->installEventFilter(this);
        // Opened by a key, the text was selected and the key replaced it; otherwise the caret
        // goes after the text, so that typing adds to it.
        if (auto* line = qobject_cast<QLineEdit*>(editor); line && !byKey) {
            line->deselect();
            line->end(false);
        }
    }
    return true;
}

bool EditGrid::openWithKey(QKeyEvent* event)
{
    QModelIndex cell = currentIndex();
    if (!opensCell(cell))
        cell = firstCellOf(cell.isValid() ? cell.row() : 0);
    if (!cell.isValid())
        return false;
    if (cell != currentIndex())
        setCurrentIndex(cell);
    return edit(cell, AnyKeyPressed, event);
}

void EditGrid::keyPressEvent(QKeyEvent* event)
{
    if (state() != EditingState) {
        const bool command = event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier);
        const bool alt = event->modifiers() & Qt::AltModifier;
        if (typesText(event) && openWithKey(event))
            return;
        const QModelIndex current = currentIndex();
        const QModelIndex cell =
            opensCell(current) ? current : firstCellOf(current.isValid() ? current.row() : 0);
        switch (command ? 0 : event->key()) {
        case Qt::Key_Tab:
        case Qt::Key_Backtab: {
            const QModelIndex next = nextCell(
                current, event->key() == Qt::Key_Tab && !(event->modifiers() & Qt::ShiftModifier));
            if (next.isValid())
                openCell(next);
            return;
        }
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_F2:
            if (!alt && openCell(cell))
                return;
            break;
        case Qt::Key_Down:
            if (!alt)
                break;
            [[fallthrough]];
        case Qt::Key_F4:
            if (openCell(cell)) {
                if (auto* list = qobject_cast<QComboBox*>(openEditor()))
                    list->showPopup();
                return;
            }
            break;
        default: break;
        }
    }
    QTableView::keyPressEvent(event);
}

void EditGrid::focusInEvent(QFocusEvent* event)
{
    QTableView::focusInEvent(event);
    switch (event->reason()) {
    case Qt::TabFocusReason:
    case Qt::BacktabFocusReason:
    case Qt::ShortcutFocusReason:
        // Entered by the keyboard: never on a heading cell.
        if (state() != EditingState && !opensCell(currentIndex())) {
            const QModelIndex first =
                firstCellOf(currentIndex().isValid() ? currentIndex().row() : 0);
            if (first.isValid())
                setCurrentIndex(first);
        }
        break;
    default: break;
    }
}

bool EditGrid::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && watched == openEditor()) {
        auto* editor = static_cast<QWidget*>(watched);
        const auto* key = static_cast<QKeyEvent*>(event);
        const auto* list = qobject_cast<QComboBox*>(editor);
        const bool listShown = list && list->view()->isVisible();
        if (!listShown && !(key->modifiers() & (Qt::AltModifier | Qt::ControlModifier))) {
            switch (key->key()) {
            case Qt::Key_Return:
            case Qt::Key_Enter:
                commitData(editor);
                closeEditor(editor, QAbstractItemDelegate::EditNextItem);
                return true;
            case Qt::Key_Up:
            case Qt::Key_Down: {
                // Leaving the cell stores it (QAbstractItemView::currentChanged).
                const int row = m_editing.row() + (key->key() == Qt::Key_Down ? 1 : -1);
                const QModelIndex to = model()->index(row, m_editing.column(), rootIndex());
                if (to.isValid())
                    setCurrentIndex(to);
                return true;
            }
            default: break;
            }
        }
    }
    return QTableView::eventFilter(watched, event);
}

void EditGrid::commitData(QWidget* editor)
{
    QTableView::commitData(editor);
    if (editor && editor == openEditor())
        m_stored = true;
}

void EditGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    if (!editor || editor != openEditor()) {
        QTableView::closeEditor(editor, hint);
        return;
    }
    const QPersistentModelIndex cell = std::exchange(m_editing, QPersistentModelIndex());
    const bool stored =
        std::exchange(m_stored, false) && hint != QAbstractItemDelegate::RevertModelCache;
    QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
    editorClosed(cell, stored);
    // Moving on uses the view's own rule: moveCursor, then the cell opens.
    if (hint == QAbstractItemDelegate::EditNextItem ||
        hint == QAbstractItemDelegate::EditPreviousItem)
        QTableView::closeEditor(nullptr, hint);
}

} // namespace ui
