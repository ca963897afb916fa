#pragma once

#include <QString>

class QLabel;
class QLineEdit;
class QWidget;

namespace ui {

// A label's text as a screen reader says it: the mnemonic marks taken out ("&&" stays one "&").
QString spokenText(const QString& labelText);

// Makes label the caption of control: its mnemonic (Alt+letter) moves the focus to control, and
// control is announced by the label's text.
void labelControl(QLabel* label, QWidget* control);

// A text box entered from the keyboard (Tab, Shift+Tab, a mnemonic, F6, or a window handing it
// the focus) selects its whole text, so that typing replaces it even when the text is already at
// the box's length limit. A mouse click still places the caret where it was clicked.
void selectAllOnKeyboardFocus(QLineEdit* box);

} // namespace ui
