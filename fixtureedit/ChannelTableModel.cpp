#include "fixtureedit/ChannelTableModel.h"

#include "fixtureedit/ChannelNameList.h"
#include "core/FixtureRecord.h"
#include "ui/NumberText.h"

#include <algorithm>

bool ChannelTableModel::isCell(const QModelIndex& index) const
{
    return index.isValid() && index.model() == this && index.row() < m_rows &&
           index.column() < ColumnCount;
}

ChannelTableModel::ChannelTableModel(fx::FixtureRecord& record, QObject* parent)
    : QAbstractTableModel(parent), m_record(record)
{
    for (int i = 0; i < fx::MaxChannels; ++i)
        m_nameCells.append(QString());
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
    const fx::ChannelInfo& ch = m_record.Channels[row];
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
    switch (index.column()) {
    case NameColumn: setNameCell(row, value.toString()); return true;
    case TypeColumn: setChannelType(row, value.toInt()); return true;
    case PartnerColumn: setPartner(row, value.toInt()); return true;
    case ValueColumn: setValue(row, value.toInt()); return true;
    }
    return false;
}

void ChannelTableModel::setRowCount(int rows)
{
    rows = std::clamp(rows, 0, fx::MaxChannels);
    if (rows > m_rows) {
        beginInsertRows({}, m_rows, rows - 1);
        for (int r = m_rows; r < rows; ++r)
            m_nameCells[r].clear();
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
    m_rows = std::clamp(int(m_record.FixHeader.NumChannels), 0, fx::MaxChannels);
    for (int r = 0; r < m_rows; ++r)
        m_nameCells[r] = fromLatin1(m_record.Channels[r].ChName.str());
    endResetModel();
}

void ChannelTableModel::refresh()
{
    if (m_rows > 0)
        emit dataChanged(index(0, 0), index(m_rows - 1, ColumnCount - 1));
}

QString ChannelTableModel::nameCell(int row) const
{
    return row >= 0 && row < fx::MaxChannels ? m_nameCells[row] : QString();
}

void ChannelTableModel::setNameCell(int row, const QString& text)
{
    if (row < 0 || row >= fx::MaxChannels)
        return;
    m_nameCells[row] = text;
    rowChanged(row);
}

void ChannelTableModel::setChannelName(int row, const QString& name, int funcCode)
{
    if (row < 0 || row >= fx::MaxChannels)
        return;
    fx::ChannelInfo& ch = m_record.Channels[row];
    ch.ChName.assign(toLatin1(name));
    ch.FuncCode = static_cast<std::uint8_t>(funcCode & 0xFF);
    rowChanged(row);
}

void ChannelTableModel::setChannelType(int row, int typeCode)
{
    if (row < 0 || row >= fx::MaxChannels || typeCode < 0 || typeCode >= fx::ChannelTypeCount)
        return;
    fx::ChannelInfo& ch = m_record.Channels[row];
    ch.ChType = static_cast<std::uint8_t>(typeCode);
    // Only the channel itself loses its partner; the partner's own record stays as it is.
    if (!fx::isSixteenBitType(typeCode))
        ch.PairChannel = 0;
    rowChanged(row);
}

void ChannelTableModel::setPartner(int row, int partner)
{
    if (row < 0 || row >= fx::MaxChannels || partner < 0 || partner > fx::MaxChannels)
        return;
    m_record.Channels[row].PairChannel = static_cast<std::uint8_t>(partner);
    rowChanged(row);
}

void ChannelTableModel::setValue(int row, int value)
{
    if (row < 0 || row >= fx::MaxChannels)
        return;
    m_record.Channels[row].ChValue = static_cast<std::uint8_t>(std::clamp(value, 0, 255));
    rowChanged(row);
}

void ChannelTableModel::clearChannel(int row)
{
    if (row < 0 || row >= fx::MaxChannels)
        return;
    fx::ChannelInfo& ch = m_record.Channels[row];
    ch.FuncCode = 0;
    ch.ChType = fx::TypeLtp;
    ch.ChValue = 0;
    ch.ChName = fx::FixedText<12>::blanks();
    rowChanged(row);
}

const fx::ChannelInfo& ChannelTableModel::channel(int row) const
{
    return m_record.Channels[std::clamp(row, 0, fx::MaxChannels - 1)];
}

bool ChannelTableModel::hasPartner(int row) const
{
    return row >= 0 && row < fx::MaxChannels && fx::isSixteenBitType(m_record.Channels[row].ChType);
}

void ChannelTableModel::rowChanged(int row)
{
    if (row < m_rows)
        emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
}
