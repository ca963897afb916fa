#include "chnames/ChNameGrid.h"

#include <QLineEdit>

ChNameGrid::ChNameGrid(QWidget* parent) : QTableView(parent)
{
    setObjectName(QStringLiteral("ChMSFlexGrid"));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    // Moving to a cell (by mouse or keys) opens it; a click on the cell already current opens it
    // again at once rather than after the double-click interval.
    setEditTriggers(QAbstractItemView::CurrentChanged | QAbstractItemView::DoubleClicked |
                    QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    connect(this, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
        if (index.flags() & Qt::ItemIsEditable)
            edit(index);
    });
}

QWidget* ChNameGrid::openEditor() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? indexWidget(current) : nullptr;
}

void ChNameGrid::commitOpenEditor()
{
    if (QWidget* editor = openEditor()) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

void ChNameGrid::discardOpenEditor()
{
    if (QWidget* editor = openEditor())
        closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
}

bool ChNameGrid::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event)
{
    if (!QTableView::edit(index, trigger, event))
        return false;
    // The view selects the whole text of a new line edit; the caret goes after the last
    // character instead, so that typing adds to the name.
    if (auto* lineEdit = qobject_cast<QLineEdit*>(indexWidget(index)))
        lineEdit->deselect();
    return true;
}
