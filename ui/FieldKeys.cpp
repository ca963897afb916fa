#include "ui/FieldKeys.h"

#include <QEvent>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>

namespace ui {

namespace {

class SelectAllOnFocus : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::FocusIn) {
            switch (static_cast<QFocusEvent*>(event)->reason()) {
            case Qt::MouseFocusReason:
            case Qt::PopupFocusReason: break;
            default:
                if (auto* box = qobject_cast<QLineEdit*>(watched))
                    box->selectAll();
                break;
            }
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

QString spokenText(const QString& labelText)
{
    QString spoken;
    spoken.reserve(labelText.size());
    for (qsizetype i = 0; i < labelText.size(); ++i) {
        if (labelText[i] == u'&' && i + 1 < labelText.size())
            ++i;
        else if (labelText[i] == u'&')
            continue;
        spoken += labelText[i];
    }
    return spoken;
}

void labelControl(QLabel* label, QWidget* control)
{
    label->setBuddy(control);
    control->setAccessibleName(spokenText(label->text()));
}

void selectAllOnKeyboardFocus(QLineEdit* box)
{
    box->installEventFilter(new SelectAllOnFocus(box));
}

} // namespace ui
