#include "chnames/ChNameGrid.h"

#include "core/GridPaste.h"

ChNameGrid::ChNameGrid(ui::ChNameDocument& document, ui::Dialogs& dialogs, QWidget* parent)
    : ui::EditGrid(parent), m_document(document)
{
    setObjectName(QStringLiteral("ChMSFlexGrid"));
    setDialogs(dialogs);
}

void ChNameGrid::pasteBlock(const fx::TextBlock& block, const QModelIndex& cell)
{
    fx::ChNamePaste paste = fx::pasteChNames(m_document.core(), cell.row(), cell.column(), block);
    if (!refusesPaste(paste.problem))
        m_document.push(std::move(paste.edit));
}

void ChNameGrid::cutBlock(const Block& block)
{
    if (block.right >= 1) // the block holds names
        m_document.push(fx::cutChNames(m_document.core(), block.top, block.bottom));
}
