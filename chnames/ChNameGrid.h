#pragma once

#include "ui/EditGrid.h"

// The channel name grid ChMSFlexGrid, an editing grid (ui::EditGrid): a typed key opens the
// current name cell and goes in, a click opens a name cell with the caret after the last
// character; leaving the cell or moving the focus away stores an edited name.
class ChNameGrid : public ui::EditGrid {
    Q_OBJECT
public:
    explicit ChNameGrid(QWidget* parent = nullptr);
};
