#include "ui/EditGrid.h"

#include "ui/Dialogs.h"

#include <QAbstractItemView>
#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QSet>

#include <algorithm>
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
    setSelectionMode(ContiguousSelection);
    setSelectionBehavior(SelectItems);
    // The key typed on a cell opens it and goes in (see edit); everything else is opened here.
    setEditTriggers(AnyKeyPressed);
    setTabKeyNavigation(true);
    setWordWrap(false);
    connect(this, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
        const bool extend = m_pressModifiers & Qt::ShiftModifier;
        if (index.column() == 0 && !opensCell(index)) {
            takeRows(index.row(), extend);
            return;
        }
        if (extend) // the click grew the block; nothing opens
            return;
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

void EditGrid::takeRows(int row, bool extend)
{
    const int rows = model()->rowCount(rootIndex());
    const int from = extend && m_rowAnchor >= 0 && m_rowAnchor < rows ? m_rowAnchor : row;
    if (!extend)
        m_rowAnchor = row;
    const QModelIndex first = firstCellOf(row);
    const QModelIndex current =
        m_headingsSelectable || !first.isValid() ? model()->index(row, 0, rootIndex()) : first;
    selectionModel()->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
    selectionModel()->select(
        QItemSelection(model()->index(std::min(from, row), 0, rootIndex()),
                       model()->index(std::max(from, row), model()->columnCount(rootIndex()) - 1,
                                      rootIndex())),
        QItemSelectionModel::ClearAndSelect);
}

EditGrid::Block EditGrid::selectedBlock() const
{
    const QModelIndexList cells =
        selectionModel() ? selectionModel()->selectedIndexes() : QModelIndexList();
    Block block;
    if (cells.isEmpty()) {
        const QModelIndex current = currentIndex();
        if (current.isValid())
            block = {current.row(), current.column(), current.row(), current.column()};
        return block;
    }
    block = {cells.first().row(), cells.first().column(), cells.first().row(),
             cells.first().column()};
    for (const QModelIndex& cell : cells) {
        block.top = std::min(block.top, cell.row());
        block.bottom = std::max(block.bottom, cell.row());
        block.left = std::min(block.left, cell.column());
        block.right = std::max(block.right, cell.column());
    }
    return block;
}

fx::TextBlock EditGrid::blockCells(const Block& block) const
{
    fx::TextBlock rows;
    for (int r = block.top; r >= 0 && r <= block.bottom; ++r) {
        std::vector<std::string>& row = rows.emplace_back();
        for (int c = block.left; c <= block.right; ++c) {
            QString text = model()->index(r, c, rootIndex()).data().toString();
            while (text.endsWith(u' '))
                text.chop(1);
            row.push_back(text.toStdString());
        }
    }
    return rows;
}

void EditGrid::copyBlock()
{
    const fx::TextBlock cells = blockCells(selectedBlock());
    if (cells.empty())
        return;
    auto* data = new QMimeData;
    data->setText(QString::fromStdString(fx::writeTextBlock(cells)));
    data->setHtml(QString::fromStdString(fx::writeHtmlBlock(cells)));
    QGuiApplication::clipboard()->setMimeData(data);
}

bool EditGrid::canCut() const
{
    return takesPaste() && selectedBlock().top >= 0;
}

void EditGrid::cutSelection()
{
    if (!canCut())
        return;
    commitOpenEdit();
    const Block block = selectedBlock();
    copyBlock();
    cutBlock(block);
}

bool EditGrid::canPaste() const
{
    return takesPaste() && !QGuiApplication::clipboard()->text().isEmpty();
}

void EditGrid::pasteClipboard()
{
    if (!canPaste())
        return;
    commitOpenEdit();
    QModelIndex cell = currentIndex();
    if (!cell.isValid())
        cell = model()->index(0, 0, rootIndex());
    pasteText(QGuiApplication::clipboard()->text(), cell);
}

void EditGrid::pasteText(const QString& text, const QModelIndex& cell)
{
    fx::ReadBlock read = fx::readTextBlock(text.toStdString());
    if (refusesPaste(read.problem))
        return;
    const QModelIndex at = placeBlock(read.rows, cell);
    pasteBlock(read.rows, at);
}

namespace {
// A heading's shape: its digits as '#' ("Step #").
QString headingShape(QString text)
{
    for (QChar& c : text)
        if (c.isDigit())
            c = u'#';
    return text.trimmed();
}
} // namespace

bool EditGrid::readsAsHeading(const QString& text) const
{
    // A grid's headings share one shape ("Chan #"): the first row's and the last row's are enough.
    const int rows = model()->rowCount(rootIndex());
    const QString shape = headingShape(text);
    return rows > 0 &&
           (headingShape(model()->index(0, 0, rootIndex()).data().toString()) == shape ||
            headingShape(model()->index(rows - 1, 0, rootIndex()).data().toString()) == shape);
}

QModelIndex EditGrid::placeBlock(fx::TextBlock& block, const QModelIndex& cell) const
{
    const QModelIndex heading = model()->index(cell.row(), 0, rootIndex());
    if (block.empty() || opensCell(heading))
        return cell;
    const bool wholeRows = std::all_of(block.begin(), block.end(), [this](const auto& row) {
        return int(row.size()) == model()->columnCount(rootIndex());
    });
    // Only a block on the heading column, or one as wide as the grid, can start with headings.
    if (cell.column() != 0 && !wholeRows)
        return cell;
    bool headings = false;
    for (const std::vector<std::string>& row : block) {
        const QString text = row.empty() ? QString() : QString::fromStdString(row.front());
        if (text.trimmed().isEmpty())
            continue;
        headings = readsAsHeading(text);
        if (!headings)
            break;
    }
    if (headings) {
        for (std::vector<std::string>& row : block)
            if (!row.empty())
                row.front().clear();
        return heading;
    }
    if (cell.column() != 0)
        return cell;
    const QModelIndex first = firstCellOf(cell.row());
    return first.isValid() ? first : cell;
}

void EditGrid::tellPasteProblem(const QString& problem)
{
    if (m_dialogs)
        m_dialogs->tell(window(), QStringLiteral("Paste"), problem);
}

bool EditGrid::refusesPaste(const std::string& problem)
{
    if (!problem.empty())
        tellPasteProblem(QString::fromStdString(problem));
    return !problem.empty();
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

// The clipboard keys of a grid that is not editing a cell.
namespace {
bool isClipboardKey(const QKeyEvent* event)
{
    return event->matches(QKeySequence::Copy) || event->matches(QKeySequence::Cut) ||
           event->matches(QKeySequence::Paste) || event->matches(QKeySequence::SelectAll);
}
} // namespace

bool EditGrid::event(QEvent* event)
{
    // The clipboard keys are the grid's own, whatever shortcuts the window has.
    if (event->type() == QEvent::ShortcutOverride && state() != EditingState &&
        isClipboardKey(static_cast<QKeyEvent*>(event))) {
        event->accept();
        return true;
    }
    return QTableView::event(event);
}

void EditGrid::mousePressEvent(QMouseEvent* event)
{
    m_pressModifiers = event->modifiers();
    QTableView::mousePressEvent(event);
}

void EditGrid::keyPressEvent(QKeyEvent* event)
{
    if (state() != EditingState && isClipboardKey(event)) {
        if (event->matches(QKeySequence::Copy))
            copyBlock();
        else if (event->matches(QKeySequence::Cut))
            cutSelection();
        else if (event->matches(QKeySequence::Paste))
            pasteClipboard();
        else
            selectAll();
        return;
    }
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

void addClipboardActions(QMenu* edit, QWidget* owner)
{
    edit->addSeparator();
    const auto add = [edit](const char* name, const QString& text, QKeySequence::StandardKey key) {
        QAction* action = edit->addAction(text);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcuts(key);
        // Shown in the menu only: the key itself goes to the control that has the focus.
        action->setShortcutContext(Qt::WidgetShortcut);
        return action;
    };
    QAction* cut = add("EditCut", QStringLiteral("Cu&t"), QKeySequence::Cut);
    QAction* copy = add("EditCopy", QStringLiteral("&Copy"), QKeySequence::Copy);
    QAction* paste = add("EditPaste", QStringLiteral("&Paste"), QKeySequence::Paste);
    QAction* all = add("EditSelectAll", QStringLiteral("Select &All"), QKeySequence::SelectAll);
    // The grid or text box of owner that last had the focus.
    const auto target = [owner]() -> std::pair<EditGrid*, QLineEdit*> {
        QWidget* focus = owner->focusWidget();
        if (!focus || !owner->isAncestorOf(focus))
            return {};
        if (auto* line = qobject_cast<QLineEdit*>(focus))
            return {nullptr, line};
        for (QWidget* w = focus; w && w != owner; w = w->parentWidget())
            if (auto* grid = qobject_cast<EditGrid*>(w))
                return {grid, nullptr};
        return {};
    };
    QObject::connect(edit, &QMenu::aboutToShow, owner, [=] {
        const auto [grid, line] = target();
        const bool writable = line && !line->isReadOnly();
        const bool clip = !QGuiApplication::clipboard()->text().isEmpty();
        cut->setEnabled(grid ? grid->canCut() : writable && line->hasSelectedText());
        copy->setEnabled(grid ? grid->currentIndex().isValid() : line && line->hasSelectedText());
        paste->setEnabled(grid ? grid->canPaste() : writable && clip);
        all->setEnabled(grid || (line && !line->text().isEmpty()));
    });
    // Each action calls its member on the grid, or on the text box.
    const auto route = [=](QAction* action, auto onGrid, auto onLine) {
        QObject::connect(action, &QAction::triggered, owner, [=] {
            const auto [grid, line] = target();
            if (grid)
                (grid->*onGrid)();
            else if (line)
                (line->*onLine)();
        });
    };
    route(cut, &EditGrid::cutSelection, &QLineEdit::cut);
    route(copy, &EditGrid::copyBlock, &QLineEdit::copy);
    route(paste, &EditGrid::pasteClipboard, &QLineEdit::paste);
    route(all, &EditGrid::selectAll, &QLineEdit::selectAll);
}

} // namespace ui
