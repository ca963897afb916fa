#include "fixtureedit/ChannelTableModel.h"

#include "core/FixtureDocument.h"
#include "fixtureedit/ChannelNameList.h"
#include "ui/Document.h"
#include "ui/NumberText.h"

#include <algorithm>

bool ChannelTableModel::isCell(const QModelIndex& index) const
{
    return index.isValid() && index.model() == this && index.row() < m_rows &&
           index.column() < ColumnCount;
}

ChannelTableModel::ChannelTableModel(ui::Document& document, const ChannelNameList& names,
                                     QObject* parent)
    : QAbstractTableModel(parent), m_document(document), m_names(names)
{
    for (int i = 0; i < fx::MaxChannels; ++i)
        m_nameCells.append(QString());
    connect(&document, &ui::Document::changed, this, &ChannelTableModel::documentChanged);
}

void ChannelTableModel::documentChanged(const fx::RecordChange& change)
{
    const fx::FixtureRecord& record = m_document.record();
    if (change.reset) {
        fillFromRecord();
        return;
    }
    if (change.channelCount)
        setRowCount(record.FixHeader.NumChannels);
    for (int row = 0; row < fx::MaxChannels; ++row) {
        if (!change.channels.test(std::size_t(row)))
            continue;
        // A cell follows the record only when the channel's name itself changed.
        const auto& name = record.Channels[row].ChName;
        if (change.names.test(std::size_t(row)))
            m_nameCells[row] = row < m_rows && !name.isBlank() ? fromLatin1(name.str()) : QString();
        rowChanged(row);
    }
}

int ChannelTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int ChannelTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ChannelTableModel::data(const QModelIndex& index, int role) const
{
    if (!isCell(index))
        return {};
    if (role == Qt::TextAlignmentRole) {
        const bool number = index.column() == PartnerColumn || index.column() == ValueColumn;
        const Qt::Alignment alignment =
            Qt::AlignVCenter | (number ? Qt::AlignRight : Qt::AlignLeft);
        return QVariant(alignment.toInt());
    }
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    const int row = index.row();
    const fx::ChannelInfo& ch = m_document.record().Channels[row];
    if (role == Qt::EditRole && index.column() != NameColumn) {
        switch (index.column()) {
        case TypeColumn: return int(ch.ChType);
        case PartnerColumn: return hasPartner(row) ? int(ch.PairChannel) : 0;
        case ValueColumn: return int(ch.ChValue);
        }
        return {};
    }
    switch (index.column()) {
    case ChannelColumn: return QStringLiteral("Chan") + numtext::withSignBlank(row + 1);
    case NameColumn: return m_nameCells[row];
    case TypeColumn: return QString::fromStdString(fx::ChTypeName(ch.ChType));
    case PartnerColumn: return QString::number(hasPartner(row) ? ch.PairChannel : 0);
    case ValueColumn: return QString::number(ch.ChValue);
    }
    return {};
}

QVariant ChannelTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char* const headers[ColumnCount] = {"Channel", "Channel Name", "Type", "Ch16bit",
                                                     "Value"};
    if (section < 0 || section >= ColumnCount)
        return {};
    return QString::fromLatin1(headers[section]);
}

Qt::ItemFlags ChannelTableModel::flags(const QModelIndex& index) const
{
    if (!isCell(index))
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    const int column = index.column();
    if (column == NameColumn || column == TypeColumn || column == ValueColumn ||
        (column == PartnerColumn && hasPartner(index.row())))
        f |= Qt::ItemIsEditable;
    return f;
}

bool ChannelTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !isCell(index))
        return false;
    const int row = index.row();
    const fx::FixtureDocument& core = m_document.core();
    switch (index.column()) {
    case NameColumn: {
        if (value.typeId() == QMetaType::Int)
            return takeListEntry(row, value.toInt());
        m_nameCells[row] = value.toString();
        rowChanged(row);
        if (m_nameCells[row].isEmpty()) {
            m_document.push(core.setChannelName(row, {}, 0));
            return true;
        }
        const int entry = m_names.find(m_nameCells[row]);
        if (entry >= 0)
            takeListEntry(row, entry);
        return true;
    }
    case TypeColumn: m_document.push(core.setChannelType(row, value.toInt())); return true;
    case PartnerColumn: m_document.push(core.setPartner(row, value.toInt())); return true;
    case ValueColumn: m_document.push(core.setChannelValue(row, value.toInt())); return true;
    }
    return false;
}

bool ChannelTableModel::takeListEntry(int row, int entry)
{
    if (entry < 0 || entry >= m_names.count())
        return false;
    const QString name = m_names.text(entry);
    m_nameCells[row] = name;
    rowChanged(row);
    m_document.push(m_document.core().setChannelName(row, toLatin1(name), m_names.code(entry)));
    return true;
}

void ChannelTableModel::setRowCount(int rows)
{
    rows = std::clamp(rows, 0, fx::MaxChannels);
    if (rows > m_rows) {
        beginInsertRows({}, m_rows, rows - 1);
        for (int r = m_rows; r < rows; ++r) {
            const auto& name = m_document.record().Channels[r].ChName;
            m_nameCells[r] = name.isBlank() ? QString() : fromLatin1(name.str());
        }
        m_rows = rows;
        endInsertRows();
    } else if (rows < m_rows) {
        beginRemoveRows({}, rows, m_rows - 1);
        m_rows = rows;
        endRemoveRows();
    }
}

void ChannelTableModel::fillFromRecord()
{
    beginResetModel();
    const fx::FixtureRecord& record = m_document.record();
    m_rows = std::clamp(int(record.FixHeader.NumChannels), 0, fx::MaxChannels);
    // A new fixture's unnamed channels show empty cells; a fixture from a file shows its names
    // as stored.
    const bool fromFile = !m_document.filePath().isEmpty();
    for (int r = 0; r < fx::MaxChannels; ++r) {
        const auto& name = record.Channels[r].ChName;
        m_nameCells[r] =
            r < m_rows && (fromFile || !name.isBlank()) ? fromLatin1(name.str()) : QString();
    }
    endResetModel();
}

bool ChannelTableModel::hasPartner(int row) const
{
    return row >= 0 && row < fx::MaxChannels &&
           fx::isSixteenBitType(m_document.record().Channels[row].ChType);
}

void ChannelTableModel::rowChanged(int row)
{
    if (row < m_rows)
        emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
}
