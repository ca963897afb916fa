#pragma once

class QWidget;

namespace ui {

// A screen reader reads a window's title without its "[*]" mark, so the unsaved state would go
// unheard: while the editor's window is modified (QWidget::setWindowModified), its accessible
// description, and that of the MDI window around it, says so. Call once per editor.
void announceModified(QWidget* editor);

// The description the editor's window has while it is modified.
inline constexpr const char* ModifiedDescription = "modified: there are unsaved changes";

} // namespace ui
