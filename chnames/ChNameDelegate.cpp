#include "chnames/ChNameDelegate.h"

#include "core/ChNameSet.h"
#include "ui/Latin1Validator.h"

#include <QLineEdit>

QWidget* ChNameDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                      const QModelIndex&) const
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QStringLiteral("ChTextEdit"));
    edit->setMaxLength(static_cast<int>(fx::ChNameRec{}.SetName.size()));
    edit->setValidator(new ui::Latin1Validator(edit));
    edit->setFrame(false);
    return edit;
}

void ChNameDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    auto* edit = static_cast<QLineEdit*>(editor);
    edit->setText(index.data(Qt::EditRole).toString());
    edit->end(false);
}

void ChNameDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                  const QModelIndex& index) const
{
    model->setData(index, static_cast<QLineEdit*>(editor)->text(), Qt::EditRole);
}

void ChNameDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                          const QModelIndex&) const
{
    editor->setGeometry(option.rect);
}
