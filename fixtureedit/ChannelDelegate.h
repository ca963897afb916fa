#pragma once

#include <QStyledItemDelegate>

class ChannelNameList;

// The four cell editors of the channel grid: the name drop-down Combo10, the type list Combo13,
// the partner list Combo2 (16-bit types only) and the value box Text5. Each takes its cell's value
// once, as it opens, and stores what it holds through the model's setData when the grid stores it:
// a name of at least two characters (or a list entry), a type or partner picked, a value typed.
class ChannelDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit ChannelDelegate(const ChannelNameList& names, QObject* parent = nullptr);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;

signals:
    // The user edited the text of the name editor over row's cell.
    void nameTyped(int row, const QString& text) const;
    // The name editor over row's cell shows a list entry: picked, or the cell's name as it opens.
    void entryShown(int row, const QString& text) const;

private:
    // The cell's editor, holding the cell's value.
    QWidget* makeEditor(QWidget* parent, const QModelIndex& index) const;

    const ChannelNameList& m_names;
};
