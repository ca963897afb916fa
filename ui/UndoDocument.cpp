#include "ui/UndoDocument.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QUndoStack>
#include <QWidget>

namespace ui {

UndoDocument::UndoDocument(QObject* parent) : QObject(parent), m_undo(new QUndoStack(this))
{
    connect(m_undo, &QUndoStack::cleanChanged, this,
            [this](bool clean) { emit modifiedChanged(!clean); });
}

UndoDocument::~UndoDocument() = default;

bool UndoDocument::isModified() const
{
    return !m_undo->isClean();
}

void UndoDocument::markClean()
{
    m_undo->setClean();
}

void UndoDocument::markModified()
{
    // A clean index no command reaches: the stack is never clean until the next save.
    const bool was = isModified();
    m_undo->resetClean();
    if (!was)
        emit modifiedChanged(true);
}

void UndoDocument::startAfresh()
{
    const bool wasModified = isModified();
    m_undo->clear();
    m_undo->setClean();
    if (wasModified)
        emit modifiedChanged(false);
}

QMenu* addEditMenu(QMenuBar* bar, QWidget* owner, QUndoStack* stack)
{
    QMenu* edit = bar->addMenu(QStringLiteral("&Edit"));
    edit->setObjectName(QStringLiteral("EditMenu"));
    QAction* undo = stack->createUndoAction(owner, QStringLiteral("&Undo"));
    undo->setObjectName(QStringLiteral("EditUndo"));
    undo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Z)});
    QAction* redo = stack->createRedoAction(owner, QStringLiteral("&Redo"));
    redo->setObjectName(QStringLiteral("EditRedo"));
    redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    for (QAction* action : {undo, redo}) {
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        owner->addAction(action);
        edit->addAction(action);
    }
    return edit;
}

} // namespace ui
