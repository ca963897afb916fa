#pragma once

#include <QStyledItemDelegate>

// Creates the in-cell name editor ChTextEdit: a line edit of at most 12 Latin-1 characters that
// opens with the cell's name (empty for a blank name) and commits through the model's setData,
// both when it loses the focus and when the grid leaves the cell, once its text was edited.
class ChNameDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;
};
