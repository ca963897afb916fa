#pragma once

#include <QList>

class QWidget;

namespace ui {

// F6 moves the focus to the next pane of a form and Shift+F6 to the previous one, wrapping
// round; this is the way out of a grid whose Tab key moves between its own cells. A pane is a
// control (a grid, a button) or a container whose first control that takes Tab is focused.
// Panes that are hidden, disabled or hold nothing to focus are passed over. The keys work while
// the focus is anywhere inside form, an open cell editor included.
void installPaneKeys(QWidget* form, const QList<QWidget*>& panes);

// Gives the focus to pane as F6 does; false when the pane holds nothing that can take it.
bool focusPane(QWidget* pane);

} // namespace ui
