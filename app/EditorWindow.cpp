#include "app/EditorWindow.h"

#include <QCloseEvent>

EditorWindow::EditorWindow(QWidget* parent) : QMdiSubWindow(parent)
{
    setAttribute(Qt::WA_DeleteOnClose, false);
}

void EditorWindow::hold(QWidget* editor)
{
    setObjectName(editor->objectName() + QStringLiteral("Window"));
    setWidget(editor);
    setWindowTitle(editor->windowTitle());
}

void EditorWindow::closeEvent(QCloseEvent* event)
{
    event->ignore();
    if (isHidden())
        return;
    hide();
    emit closed();
}
