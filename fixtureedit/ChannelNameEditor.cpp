#include "fixtureedit/ChannelNameEditor.h"

#include "ui/Latin1Validator.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace {
// The longest text the filter lets letters and digits extend.
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
}

void ChannelNameEditor::keyPressEvent(QKeyEvent* event)
{
    const QString typed = event->text();
    const QString text = currentText();
    const ushort code = typed.size() == 1 ? typed[0].unicode() : 0;
    const bool isCharacter =
        code != 0 && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));

    if (text.size() < RecordedLength) {
        if (isCharacter && code >= 32 && code <= 122) {
            m_typed.text = text + typed;
            m_typed.typed = true;
            const QPoint cell = m_cell();
            m_typed.row = cell.y();
            m_typed.column = cell.x();
        } else if (event->key() == Qt::Key_Backspace && m_typed.text.size() > 1) {
            m_typed.text.chop(1);
        }
    } else if (isCharacter && code > 47) {
        event->accept();
        return;
    }
    QComboBox::keyPressEvent(event);
}
