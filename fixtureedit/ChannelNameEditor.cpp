#include "fixtureedit/ChannelNameEditor.h"

#include "ui/Latin1Validator.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace {
// The length from which letters and digits are refused.
constexpr int RecordedLength = 13;
} // namespace

ChannelNameEditor::ChannelNameEditor(QWidget* parent) : QComboBox(parent)
{
    setObjectName(QStringLiteral("Combo10"));
    setEditable(true);
    setCompleter(nullptr);
    setInsertPolicy(QComboBox::NoInsert);
    lineEdit()->setValidator(new ui::Latin1Validator(lineEdit()));
}

void ChannelNameEditor::keyPressEvent(QKeyEvent* event)
{
    // Once the name holds 13 characters, letters and digits stop going in; blanks, punctuation
    // below "0" and the editing keys still work.
    const QString typed = event->text();
    const ushort code = typed.size() == 1 ? typed[0].unicode() : 0;
    const bool isCharacter =
        code != 0 && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    const auto kept = currentText().size() - lineEdit()->selectedText().size();
    if (kept >= RecordedLength && isCharacter && code > 47) {
        event->accept();
        return;
    }
    QComboBox::keyPressEvent(event);
}
