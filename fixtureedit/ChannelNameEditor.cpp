#include "fixtureedit/ChannelNameEditor.h"

#include "ui/Latin1Validator.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace {
// The length from which letters and digits are refused.
constexpr int RecordedLength = 13;
} // namespace

ChannelNameEditor::ChannelNameEditor(TypedName& typed, std::function<QPoint()> cell,
                                     QWidget* parent)
    : QComboBox(parent), m_typed(typed), m_cell(std::move(cell))
{
    setObjectName(QStringLiteral("Combo10"));
    setEditable(true);
    // The text is the typed name itself: no completion rewriting it as it is typed, and no
    // typed text added to the list behind the name set's back.
    setCompleter(nullptr);
    setInsertPolicy(QComboBox::NoInsert);
    lineEdit()->setValidator(new ui::Latin1Validator(lineEdit()));
    // Whatever the user does to the text (typing, deleting, pasting) makes it a typed name, to be
    // checked against the name set; picking from the list does not.
    connect(lineEdit(), &QLineEdit::textEdited, this, [this](const QString& text) {
        m_typed.text = text;
        m_typed.typed = true;
        const QPoint at = m_cell();
        m_typed.row = at.y();
        m_typed.column = at.x();
    });
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
