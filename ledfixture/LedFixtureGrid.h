#pragma once

#include "ui/EditGrid.h"

// The LED channel grid (MSFlexGrid1), an editing grid (ui::EditGrid): the Name and Type cells, and
// the Ch16bit cell of a 16-bit channel, open a list editor; Tab and Enter go Name, Type (Ch16bit),
// next row's Name, and from the last row back to the first. F6 and Shift+F6 leave the grid.
class LedFixtureGrid : public ui::EditGrid {
    Q_OBJECT
public:
    explicit LedFixtureGrid(QWidget* parent = nullptr);

    // Sets the column widths from the grid's width: a quarter each, shifted towards the Type
    // column whose names are the longest.
    void fitColumns();

protected:
    void resizeEvent(QResizeEvent* event) override;
};
