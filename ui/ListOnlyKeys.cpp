#include "ui/ListOnlyKeys.h"

#include <QKeyEvent>

void ListOnlyKeys::install(QObject* widget)
{
    widget->installEventFilter(new ListOnlyKeys(widget));
}

bool ListOnlyKeys::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        if (text.size() == 1 && text[0].isPrint() && text[0] != u' ' &&
            !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
            return true;
    }
    return QObject::eventFilter(watched, event);
}
