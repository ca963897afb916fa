#include "chnames/ChNameGrid.h"

ChNameGrid::ChNameGrid(QWidget* parent) : ui::EditGrid(parent)
{
    setObjectName(QStringLiteral("ChMSFlexGrid"));
}
