#include "fixtureedit/ChannelGrid.h"

#include "fixtureedit/ChannelDelegate.h"
#include "fixtureedit/ChannelNameEditor.h"
#include "fixtureedit/ChannelTableModel.h"
#include "ui/GridKeys.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

#include <utility>

ChannelGrid::ChannelGrid(ChannelTableModel& model, ChannelNameList& names, ui::Services& services,
                         QWidget* parent)
    : QTableView(parent), m_model(model), m_delegate(new ChannelDelegate(names, this)),
      m_typedNames(new TypedNameController(model, names, services, this))
{
    connect(m_delegate, &ChannelDelegate::editorCreated, this,
            [this](QWidget* editor) { m_editor = editor; });
    connect(m_delegate, &ChannelDelegate::nameTyped, m_typedNames, &TypedNameController::typed);
    // A list entry shown replaces what was typed.
    connect(m_delegate, &ChannelDelegate::entryShown, this, [this](int row, const QString& text) {
        m_typedNames->forget();
        emit nameSelected(row, text);
    });
    setObjectName(QStringLiteral("MSFlexGrid1"));
    setModel(&model);
    setItemDelegate(m_delegate);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setTabKeyNavigation(true);
    setWordWrap(false);
    verticalHeader()->hide();
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);
    layoutColumns();
}

void ChannelGrid::layoutColumns()
{
    const QFontMetrics fm(font());
    const int pad = fm.horizontalAdvance(QLatin1Char('M')) * 2;
    QComboBox probe;
    probe.addItem(QStringLiteral("Fadeable LTP 16bitH"));
    const int arrow = probe.sizeHint().width() - fm.horizontalAdvance(probe.itemText(0));
    const int widths[ChannelTableModel::ColumnCount] = {
        fm.horizontalAdvance(QStringLiteral("Channel")) + pad,
        fm.horizontalAdvance(QStringLiteral("MMMMMMMMMMMM")) + pad,
        probe.sizeHint().width() + pad / 2,
        qMax(fm.horizontalAdvance(QStringLiteral("Ch16bit")),
             fm.horizontalAdvance(QStringLiteral("40")) + arrow) +
            pad,
        fm.horizontalAdvance(QStringLiteral("Value")) + pad,
    };
    for (int column = 0; column < ChannelTableModel::ColumnCount; ++column)
        setColumnWidth(column, widths[column]);
    verticalHeader()->setDefaultSectionSize(qMax(probe.sizeHint().height(), fm.height() + 6));
    horizontalHeader()->setMinimumHeight(fm.height() * 2);
}

void ChannelGrid::openCurrentCell()
{
    QModelIndex cell = currentIndex();
    if (cell.column() == ChannelTableModel::NameColumn) {
        checkTypedName();
        cell = currentIndex();
    }
    if (opensEditor(cell)) {
        scrollTo(cell);
        edit(cell);
    }
    m_advanceOnFocus = true;
}

void ChannelGrid::commitOpenEdit()
{
    if (QWidget* editor = m_editor) {
        commitData(editor);
        closeQuietly(editor);
    }
}

void ChannelGrid::hideEditors()
{
    if (QWidget* editor = m_editor) {
        m_editor = nullptr;
        closeQuietly(editor);
    }
}

void ChannelGrid::checkTypedName()
{
    const int row = m_typedNames->pending().row;
    if (m_typedNames->check() == TypedNameController::Outcome::Refused) {
        const QModelIndex cell = m_model.index(row, ChannelTableModel::NameColumn);
        if (cell.isValid())
            setCurrentIndex(cell);
    }
}

void ChannelGrid::focusInEvent(QFocusEvent* event)
{
    QTableView::focusInEvent(event);
    // A click on the grid brings the focus with it: that click, not the advance, picks the cell.
    if (event->reason() == Qt::MouseFocusReason) {
        m_advanceOnFocus = false;
        return;
    }
    if (m_advanceOnFocus && !m_quiet && !m_editor && !m_asking)
        advance();
}

void ChannelGrid::mousePressEvent(QMouseEvent* event)
{
    m_advanceOnFocus = false;
    m_pressed = indexAt(event->position().toPoint());
    QTableView::mousePressEvent(event);
}

void ChannelGrid::mouseReleaseEvent(QMouseEvent* event)
{
    QTableView::mouseReleaseEvent(event);
    const QModelIndex released = indexAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && released.isValid() && released == m_pressed)
        openCurrentCell();
    m_pressed = QPersistentModelIndex();
}

void ChannelGrid::keyReleaseEvent(QKeyEvent* event)
{
    // Only keys released on the grid itself open a cell, not those passed on by an open editor.
    if (!hasFocus() || m_editor || state() == QAbstractItemView::EditingState) {
        QTableView::keyReleaseEvent(event);
        return;
    }
    if (ui::isModifierOrLockKey(event->key()) || event->key() == Qt::Key_Escape) {
        QTableView::keyReleaseEvent(event);
        return;
    }
    if (event->isAutoRepeat() || (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        QTableView::keyReleaseEvent(event);
        return;
    }
    openCurrentCell();
}

void ChannelGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    // An editor still open on the cell being left is stored by the leaving-cell rules.
    m_leavingCell = true;
    QTableView::currentChanged(current, previous);
    m_leavingCell = false;
}

void ChannelGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    if (editor == m_asking)
        return;
    if (editor == m_editor)
        m_editor = nullptr;
    if (hint == QAbstractItemDelegate::RevertModelCache) {
        m_advanceOnFocus = false;
        // A name typed and then dropped is not offered for the name set later.
        if (qobject_cast<ChannelNameEditor*>(editor))
            m_typedNames->forget();
    }
    m_backwards = hint == QAbstractItemDelegate::EditPreviousItem;
    // The grid's own focus rule picks the next cell, not the view's.
    QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
    if (std::exchange(m_refocus, false)) {
        if (!hasFocus())
            setFocus(Qt::OtherFocusReason); // advances now, or when the window is active again
        else if (m_advanceOnFocus && !m_editor)
            advance();
    }
    m_backwards = false;
}

void ChannelGrid::commitData(QWidget* editor)
{
    // Each opening stores at most once, however many ways the editor is left.
    if (!editor || editor != m_editor)
        return;
    m_editor = nullptr;
    if (!m_leavingCell && !storedOnFocusLoss(editor))
        return;
    const bool hadFocus = holdsFocus(editor);
    QTableView::commitData(editor);
    if (m_leavingCell || !qobject_cast<ChannelNameEditor*>(editor))
        return;
    // A message box takes the focus while the question is open. The editor stays open meanwhile
    // (the key that stored it closes it), and when it had the focus the grid takes it as the
    // editor closes, opening the next cell as the advance rule says; else the window would give
    // it to its first control.
    m_asking = editor;
    checkTypedName();
    m_asking = nullptr;
    m_refocus = hadFocus && !holdsFocus(editor);
}

bool ChannelGrid::holdsFocus(const QWidget* editor)
{
    const QWidget* focus = QApplication::focusWidget();
    return focus && (focus == editor || editor->isAncestorOf(focus));
}

bool ChannelGrid::storedOnFocusLoss(const QWidget* editor)
{
    // A name of one character is left to the check at the next opening of a name cell.
    if (const auto* names = qobject_cast<const ChannelNameEditor*>(editor))
        return names->currentText().size() >= 2;
    if (const auto* list = qobject_cast<const QComboBox*>(editor))
        return list->currentIndex() >= 0;
    const auto* line = qobject_cast<const QLineEdit*>(editor);
    return line && !line->text().isEmpty();
}

bool ChannelGrid::opensEditor(const QModelIndex& index) const
{
    return index.isValid() && index.column() != ChannelTableModel::ChannelColumn &&
           (m_model.flags(index) & Qt::ItemIsEditable);
}

QModelIndex ChannelGrid::nextCell(const QModelIndex& index, bool backwards) const
{
    const int rows = m_model.rowCount();
    const int last = ChannelTableModel::ColumnCount - 1;
    if (rows == 0)
        return {};
    int row = index.isValid() ? index.row() : 0;
    int column = index.isValid() ? index.column() : 0;
    for (int step = 0; step <= rows * ChannelTableModel::ColumnCount; ++step) {
        if (!backwards) {
            if (column == last && row == rows - 1) {
                row = 0;
                column = ChannelTableModel::NameColumn;
            } else if (column < last) {
                ++column;
            } else {
                ++row;
                column = ChannelTableModel::NameColumn;
            }
        } else {
            if (column <= ChannelTableModel::NameColumn && row == 0) {
                row = rows - 1;
                column = last;
            } else if (column > ChannelTableModel::NameColumn) {
                --column;
            } else {
                --row;
                column = last;
            }
        }
        const QModelIndex next = m_model.index(row, column);
        if (opensEditor(next))
            return next;
    }
    return {};
}

void ChannelGrid::advance()
{
    const QModelIndex next = nextCell(currentIndex(), m_backwards);
    if (!next.isValid())
        return;
    setCurrentIndex(next);
    openCurrentCell();
}

void ChannelGrid::closeQuietly(QWidget* editor)
{
    m_refocus = false;
    m_quiet = true;
    QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
    m_quiet = false;
}
