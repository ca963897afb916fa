#include "ledfixture/LedFixtureGrid.h"

#include "core/GridPaste.h"

#include <QHeaderView>

namespace {

// The grid's sizes are kept in twips (15 to a pixel on a 96 dpi screen).
constexpr int TwipsPerPixel = 15;
constexpr int HeaderHeightTwips = 500;

constexpr int pixels(int twips)
{
    return (twips + TwipsPerPixel / 2) / TwipsPerPixel;
}

} // namespace

LedFixtureGrid::LedFixtureGrid(ui::LedDocument& document, ui::Dialogs& dialogs, QWidget* parent)
    : ui::EditGrid(parent), m_document(document)
{
    setDialogs(dialogs);
    setObjectName(QStringLiteral("MSFlexGrid1"));
    setCornerButtonEnabled(false);
    verticalHeader()->hide();
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    // The widths leave room for a scroll bar; while none is needed, Ch16bit takes it.
    horizontalHeader()->setStretchLastSection(true);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setFixedHeight(pixels(HeaderHeightTwips));
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
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

void LedFixtureGrid::resizeEvent(QResizeEvent* event)
{
    ui::EditGrid::resizeEvent(event);
    fitColumns();
}

void LedFixtureGrid::pasteBlock(const fx::TextBlock& block, const QModelIndex& cell)
{
    fx::LedPaste paste = fx::pasteLedCells(m_document.core(), cell.row(), cell.column(), block);
    if (!refusesPaste(paste.problem))
        m_document.push(std::move(paste.edit));
}

void LedFixtureGrid::cutBlock(const Block& block)
{
    m_document.push(
        fx::cutLedCells(m_document.core(), block.top, block.bottom, block.left, block.right));
}
