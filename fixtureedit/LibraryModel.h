#pragma once

#include "core/FixtureLibrary.h"

#include <QAbstractTableModel>

#include <memory>

namespace fixtureedit {

// The fixture library browser's results: the entries of an index matching the search, in the
// index's order, with the columns Manufacturer, Model, Type, Channels and Source.
class LibraryModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Manufacturer, Model, Type, Channels, Source, ColumnCount };

    explicit LibraryModel(QObject* parent = nullptr);

    // A new index (an empty one while none is built yet), filtered by the search as it is.
    void setIndex(std::shared_ptr<const fx::LibraryIndex> index);
    void setQuery(const QString& query);

    const fx::LibraryIndex& libraryIndex() const { return *m_index; }
    // The entry of row, nullptr for none.
    const fx::LibraryEntry* entry(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    void filter();

    std::shared_ptr<const fx::LibraryIndex> m_index;
    std::string m_query; // UTF-8
    std::vector<std::size_t> m_rows;
};

} // namespace fixtureedit
