#include "fixtureedit/ChannelGrid.h"

#include "fixtureedit/ChannelDelegate.h"
#include "fixtureedit/ChannelTableModel.h"
#include "ui/GridKeys.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>

ChannelGrid::ChannelGrid(ChannelTableModel& model, ChannelNameList& names, ui::Services& services,
                         QWidget* parent)
    : QTableView(parent), m_model(model), m_delegate(new ChannelDelegate(*this, model, names)),
      m_check(names, model, services)
{
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

TypedNameCheck::Outcome ChannelGrid::checkTypedName()
{
    const int row = m_typed.row;
    const int column = m_typed.column;
    const TypedNameCheck::Outcome outcome = m_check.run(m_typed, window());
    if (outcome == TypedNameCheck::Outcome::Refused) {
        const QModelIndex cell = m_model.index(row, column);
        if (cell.isValid())
            setCurrentIndex(cell);
        m_model.setNameCell(row, QString());
        if (auto* names = qobject_cast<QComboBox*>(m_editor.data()))
            names->setEditText(QString());
    }
    return outcome;
}

void ChannelGrid::editorOpened(QWidget* editor)
{
    m_editor = editor;
}

void ChannelGrid::nameEntrySelected(const QString& text)
{
    if (currentIndex().column() == ChannelTableModel::NameColumn)
        emit nameSelected(currentIndex().row(), text);
}

void ChannelGrid::nameStored(int channel)
{
    emit channelNamed(channel);
}

void ChannelGrid::focusInEvent(QFocusEvent* event)
{
    QTableView::focusInEvent(event);
    // A click on the grid brings the focus with it: that click, not the advance, picks the cell.
    if (event->reason() == Qt::MouseFocusReason) {
        m_advanceOnFocus = false;
        return;
    }
    if (m_advanceOnFocus && !m_quiet && !m_editor)
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
    if (editor == m_editor)
        m_editor = nullptr;
    if (hint == QAbstractItemDelegate::RevertModelCache) {
        m_advanceOnFocus = false;
        // A name typed and then dropped is not offered for the name set later.
        if (qobject_cast<ChannelNameEditor*>(editor))
            m_typed = TypedName();
    }
    m_backwards = hint == QAbstractItemDelegate::EditPreviousItem;
    // The grid's own focus rule picks the next cell, not the view's.
    QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
    m_backwards = false;
}

void ChannelGrid::commitData(QWidget* editor)
{
    // Each opening stores at most once, however many ways the editor is left.
    if (!editor || editor != m_editor)
        return;
    m_editor = nullptr;
    QTableView::commitData(editor);
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
    m_quiet = true;
    QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
    m_quiet = false;
}
