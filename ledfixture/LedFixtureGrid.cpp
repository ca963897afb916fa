#include "ledfixture/LedFixtureGrid.h"

#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>

namespace {

// The grid's sizes are kept in twips (15 to a pixel on a 96 dpi screen).
constexpr int TwipsPerPixel = 15;
constexpr int HeaderHeightTwips = 500;

constexpr int pixels(int twips)
{
    return (twips + TwipsPerPixel / 2) / TwipsPerPixel;
}

constexpr int NameColumn = 1;
constexpr int TypeColumn = 2;

} // namespace

LedFixtureGrid::LedFixtureGrid(QWidget* parent) : QTableView(parent)
{
    setObjectName(QStringLiteral("MSFlexGrid1"));
    setSelectionMode(SingleSelection);
    setSelectionBehavior(SelectItems);
    setEditTriggers(CurrentChanged | EditKeyPressed | AnyKeyPressed);
    setTabKeyNavigation(true);
    setCornerButtonEnabled(false);
    setWordWrap(false);
    verticalHeader()->hide();
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    // The widths leave room for a scroll bar; while none is needed, Ch16bit takes it.
    horizontalHeader()->setStretchLastSection(true);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setFixedHeight(pixels(HeaderHeightTwips));
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    // A click opens the clicked cell even when it is already the current one.
    connect(this, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
        if (state() != EditingState)
            edit(index, AllEditTriggers, nullptr);
    });
}

void LedFixtureGrid::fitColumns()
{
    if (!model() || model()->columnCount() != 4)
        return;
    const int quarter = (width() * TwipsPerPixel - 100) / 4;
    const int widths[] = {quarter - 530, quarter - 50, quarter + 400, quarter - 200};
    for (int column = 0; column < 4; ++column)
        setColumnWidth(column, pixels(widths[column]));
}

bool LedFixtureGrid::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event)
{
    const bool opened = QTableView::edit(index, trigger, event);
    if (opened && (index.column() == NameColumn || index.column() == TypeColumn))
        m_autoAdvance = true;
    return opened;
}

void LedFixtureGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    // The cell the focus moves on to is ours to choose (see moveCursor), and only when the
    // editor was left by keyboard: Tab and Enter step on, Shift+Tab steps back, Escape stays.
    m_closingEditor = true;
    m_stepAfterClose = false;
    const bool moves = hint == QAbstractItemDelegate::EditNextItem ||
                       hint == QAbstractItemDelegate::EditPreviousItem;
    QTableView::closeEditor(editor, moves ? QAbstractItemDelegate::NoHint : hint);
    m_closingEditor = false;
    if (!m_stepAfterClose)
        return;
    m_stepAfterClose = false;
    switch (hint) {
    case QAbstractItemDelegate::EditNextItem:
    case QAbstractItemDelegate::SubmitModelCache: stepToNextCell(MoveNext); break;
    case QAbstractItemDelegate::EditPreviousItem: stepToNextCell(MovePrevious); break;
    default: break;
    }
}

QModelIndex LedFixtureGrid::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers)
{
    if (!model() || model()->rowCount() == 0 ||
        (cursorAction != MoveNext && cursorAction != MovePrevious))
        return QTableView::moveCursor(cursorAction, modifiers);

    const int last = model()->rowCount() - 1;
    const QModelIndex current = currentIndex();
    int row = current.isValid() ? current.row() : 0;
    int column = current.isValid() ? current.column() : 0;
    if (cursorAction == MoveNext) {
        // Name, Type, next row's Name; from the last row's Type (or Ch16bit) back to the top.
        if (row == last && column >= TypeColumn) {
            row = 0;
            column = NameColumn;
        } else if (column < TypeColumn) {
            ++column;
        } else {
            ++row;
            column = NameColumn;
        }
    } else if (column >= TypeColumn) {
        --column;
    } else {
        row = row == 0 ? last : row - 1;
        column = TypeColumn;
    }
    return model()->index(row, column, rootIndex());
}

void LedFixtureGrid::stepToNextCell(CursorAction direction)
{
    const QModelIndex next = moveCursor(direction, Qt::NoModifier);
    if (!next.isValid())
        return;
    setCurrentIndex(next); // opens the editor through the CurrentChanged trigger
    if (state() != EditingState)
        edit(next, AllEditTriggers, nullptr);
}

void LedFixtureGrid::focusInEvent(QFocusEvent* event)
{
    // The step belongs to work already begun: entering the grid without a current cell makes
    // the first Name cell current (and opens it), which must not count as the opened cell to
    // step on from.
    const bool stepOn = m_autoAdvance;
    QTableView::focusInEvent(event);
    switch (event->reason()) {
    case Qt::MouseFocusReason: m_autoAdvance = false; return;
    case Qt::ActiveWindowFocusReason:
    case Qt::PopupFocusReason: return;
    default: break;
    }
    if (!stepOn)
        return;
    if (m_closingEditor)
        m_stepAfterClose = true; // closeEditor steps once the old editor is gone
    else
        stepToNextCell(MoveNext);
}

void LedFixtureGrid::mousePressEvent(QMouseEvent* event)
{
    m_autoAdvance = false;
    QTableView::mousePressEvent(event);
}

void LedFixtureGrid::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Enter:
    case Qt::Key_Return:
    case Qt::Key_F4:
        if (state() != EditingState && edit(currentIndex(), AllEditTriggers, nullptr))
            return;
        break;
    default: break;
    }
    QTableView::keyPressEvent(event);
}

void LedFixtureGrid::resizeEvent(QResizeEvent* event)
{
    QTableView::resizeEvent(event);
    fitColumns();
}
