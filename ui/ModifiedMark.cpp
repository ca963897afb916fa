#include "ui/ModifiedMark.h"

#include <QEvent>
#include <QMdiSubWindow>
#include <QWidget>

namespace ui {

namespace {

class ModifiedMark : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::ModifiedChange || event->type() == QEvent::ParentChange) {
            auto* editor = static_cast<QWidget*>(watched);
            const QString text =
                editor->isWindowModified() ? QString::fromLatin1(ModifiedDescription) : QString();
            editor->setAccessibleDescription(text);
            if (auto* frame = qobject_cast<QMdiSubWindow*>(editor->parentWidget()))
                frame->setAccessibleDescription(text);
        }
        return false;
    }
};

} // namespace

void announceModified(QWidget* editor)
{
    editor->installEventFilter(new ModifiedMark(editor));
}

} // namespace ui
