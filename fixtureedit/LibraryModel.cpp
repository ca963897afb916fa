#include "fixtureedit/LibraryModel.h"

#include <QFile>

namespace fixtureedit {

namespace {

QString text(const std::string& utf8)
{
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

} // namespace

LibraryModel::LibraryModel(QObject* parent)
    : QAbstractTableModel(parent), m_index(std::make_shared<fx::LibraryIndex>())
{
}

void LibraryModel::setIndex(std::shared_ptr<const fx::LibraryIndex> index)
{
    beginResetModel();
    m_index = index ? std::move(index) : std::make_shared<fx::LibraryIndex>();
    m_rows = fx::searchLibrary(m_index->entries, m_query);
    endResetModel();
}

void LibraryModel::setQuery(const QString& query)
{
    beginResetModel();
    m_query = query.toStdString();
    m_rows = fx::searchLibrary(m_index->entries, m_query);
    endResetModel();
}

const fx::LibraryEntry* LibraryModel::entry(int row) const
{
    return row >= 0 && row < int(m_rows.size()) ? &m_index->entries[m_rows[row]] : nullptr;
}

int LibraryModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int LibraryModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant LibraryModel::data(const QModelIndex& index, int role) const
{
    const fx::LibraryEntry* e = entry(index.row());
    if (!e)
        return {};
    if (role == Qt::ToolTipRole) {
        const QString path = QFile::decodeName(QByteArray::fromStdString(e->path));
        return e->kind == fx::LibraryEntry::Kind::Broken ? path + "\n" + text(e->reason) : path;
    }
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case Manufacturer: return text(e->manufacturer);
    case Model: return text(e->model);
    case Type: return text(e->type);
    case Channels: return text(fx::libraryChannelsText(*e, " / "));
    case Source:
        return e->source < int(m_index->sources.size()) ? text(m_index->sources[e->source].label)
                                                        : QString();
    default: return {};
    }
}

QVariant LibraryModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const char* const names[ColumnCount] = {"Manufacturer", "Model", "Type", "Channels",
                                                   "Source"};
    return section >= 0 && section < ColumnCount ? tr(names[section]) : QVariant();
}

} // namespace fixtureedit
