#pragma once

#include <QStyledItemDelegate>

class QComboBox;

// Discards every key press that would type a character into a drop-down list (or its open
// list), so a value can only be picked; arrows, Tab, Enter and Escape pass.
class LedFixtureListOnlyKeys : public QObject {
    Q_OBJECT
public:
    // Installs a filter owned by combo on it and on its drop-down list.
    static void install(QComboBox* combo);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using QObject::QObject;
};

// The cell editors of the LED channel grid: drop-down lists named Combo10 (colour and function
// names), Combo13 (channel types) and Combo2 (partner channel "1" to the channel count).
// A list with nothing picked commits nothing.
class LedFixtureDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;
};
