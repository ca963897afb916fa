#include "app/EditorWindow.h"

#include <QCloseEvent>

EditorWindow::EditorWindow(QWidget* editor, QWidget* parent) : QMdiSubWindow(parent)
{
    setObjectName(editor->objectName() + QStringLiteral("Window"));
    setWidget(editor);
    setWindowTitle(editor->windowTitle());
    setAttribute(Qt::WA_DeleteOnClose, false);
}

void EditorWindow::closeEvent(QCloseEvent* event)
{
    event->ignore();
    if (isHidden())
        return;
    hide();
    emit closed();
}
