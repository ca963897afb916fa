#pragma once

#include "ui/EditGrid.h"
#include "ui/RecordDocuments.h"

// The channel name grid ChMSFlexGrid, an editing grid (ui::EditGrid): a typed key opens the
// current name cell and goes in, a click opens a name cell with the caret after the last
// character; leaving the cell or moving the focus away stores an edited name. A paste stores the
// names from the current row on as typed ones, one edit of document; a cut blanks the names.
class ChNameGrid : public ui::EditGrid {
    Q_OBJECT
public:
    ChNameGrid(ui::ChNameDocument& document, ui::Dialogs& dialogs, QWidget* parent = nullptr);

protected:
    bool takesPaste() const override { return true; }
    void pasteBlock(const fx::TextBlock& block, const QModelIndex& cell) override;
    void cutBlock(const Block& block) override;

private:
    ui::ChNameDocument& m_document;
};
