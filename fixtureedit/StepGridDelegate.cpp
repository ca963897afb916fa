#include "fixtureedit/StepGridDelegate.h"

#include "fixtureedit/StepGridModel.h"
#include "ui/Latin1Validator.h"

#include <QLineEdit>

QWidget* StepGridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                        const QModelIndex& index) const
{
    auto* editor = new QLineEdit(parent);
    editor->setObjectName(QStringLiteral("Text3"));
    editor->setValidator(new ui::Latin1Validator(editor));
    // The file stores 8 bytes of name; a DMX value has at most three digits.
    editor->setMaxLength(index.column() == StepGridModel::NameColumn ? 8 : 3);
    return editor;
}

void StepGridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    auto* line = qobject_cast<QLineEdit*>(editor);
    if (!line)
        return;
    QString text = index.data(Qt::EditRole).toString();
    // A value cell reading "0" opens empty, so typing replaces the value.
    if (index.column() != StepGridModel::NameColumn && text == QLatin1String("0"))
        text.clear();
    line->setText(text);
    line->end(false);
}

void StepGridDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                    const QModelIndex& index) const
{
    auto* line = qobject_cast<QLineEdit*>(editor);
    if (line && !line->text().isEmpty())
        model->setData(index, line->text(), Qt::EditRole);
}

void StepGridDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    // The "Step" column is the grid's row heading.
    if (index.column() == StepGridModel::StepColumn)
        option->backgroundBrush = option->palette.button();
}
