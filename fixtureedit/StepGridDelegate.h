#pragma once

#include <QStyledItemDelegate>

// The in-cell editor of the steps grid: the text box Text3 over the cell, at most 8 characters
// for a step name and 3 for a DMX value, Latin-1 only. It stores a non-empty text when it
// loses the focus; leaving it empty keeps the cell as it was.
class StepGridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};
