#pragma once

#include <QStyledItemDelegate>

class ChannelGrid;
class ChannelNameList;
class ChannelTableModel;
class QComboBox;
class QLineEdit;

// The four cell editors of the channel grid and how each stores its value: the name drop-down
// Combo10, the type list Combo13, the partner list Combo2 (16-bit types only) and the value box
// Text5. A value is stored when the editor loses the focus (by the keyboard or elsewhere), or, by
// slightly different rules, when the grid leaves the cell while the editor is still open.
class ChannelDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    ChannelDelegate(ChannelGrid& grid, ChannelTableModel& model, ChannelNameList& names);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    void storeName(QComboBox* editor, int row, bool leavingCell) const;
    void storeType(QComboBox* editor, int row, bool leavingCell) const;
    void storePartner(QComboBox* editor, int row, bool leavingCell) const;
    void storeValue(QLineEdit* editor, int row, bool leavingCell) const;
    // The list entry the editor's text names: the selected entry when its text is shown, else the
    // first entry equal to the text as a 12-character field in any letter case; -1 for none.
    int namedEntry(const QComboBox* editor) const;

    ChannelGrid& m_grid;
    ChannelTableModel& m_model;
    ChannelNameList& m_names;
};
