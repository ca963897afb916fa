#pragma once

#include "ui/RecordDocuments.h"

#include <QAbstractTableModel>

// The channel name editor's table (its own copy of the channel name set) as a grid of 253 rows:
// column 0 the channel ID (" 1" to " 253"), column 1 the name. Row r shows position r. It shows
// the document's set and writes nothing into it: a stored name is an edit of the document.
class ChNameTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { IdColumn = 0, NameColumn = 1 };

    explicit ChNameTableModel(ui::ChNameDocument& document, QObject* parent = nullptr);

    const fx::ChNameSet& chNameSet() const { return m_document.core().record(); }

    // Only the names of positions 4 to 252 can be edited; the IDs and positions 0 to 3 cannot.
    static bool isEditable(int row, int column);

    // The name as the grid shows it: trailing blanks removed (leading ones kept), and a name
    // made of zero bytes (a part of the file that was never written) shown empty.
    static QString shownName(const fx::ChNameRec& rec);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Pushes an edited name cell to the document (StoreChName).
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

private:
    ui::ChNameDocument& m_document;
};
