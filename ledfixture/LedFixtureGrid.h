#pragma once

#include "ui/EditGrid.h"
#include "ui/RecordDocuments.h"

// The LED channel grid (MSFlexGrid1), an editing grid (ui::EditGrid): the Name and Type cells, and
// the Ch16bit cell of a 16-bit channel, open a list editor; Tab and Enter go Name, Type (Ch16bit),
// next row's Name, and from the last row back to the first. F6 and Shift+F6 leave the grid.
// A paste fills the cells from the current one as if chosen there, one edit of document; a cut
// takes the colours off the block's rows.
class LedFixtureGrid : public ui::EditGrid {
    Q_OBJECT
public:
    LedFixtureGrid(ui::LedDocument& document, ui::Dialogs& dialogs, QWidget* parent = nullptr);

    // Sets the column widths from the grid's width: a quarter each, shifted towards the Type
    // column whose names are the longest.
    void fitColumns();

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool takesPaste() const override { return true; }
    void pasteBlock(const fx::TextBlock& block, const QModelIndex& cell) override;
    void cutBlock(const Block& block) override;

private:
    ui::LedDocument& m_document;
};
