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

ChannelTableModel::ChannelTableModel(ui::Document& document, QObject* parent)
    : QAbstractTableModel(parent), m_document(document)
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
    if (change.header && record.FixHeader.NumChannels != m_rows)
        setRowCount(record.FixHeader.NumChannels);
    for (int row = 0; row < fx::MaxChannels; ++row) {
        if (!change.channels.test(std::size_t(row)))
            continue;
        const QByteArray name = QByteArray::fromStdString(record.Channels[row].ChName.str());
        if (name != m_shownNames[std::size_t(row)]) {
            m_shownNames[std::size_t(row)] = name;
            m_nameCells[row] =
                row < m_rows ? fromLatin1(record.Channels[row].ChName.str()) : QString();
        }
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
        for (int r = m_rows; r < rows; ++r) {
            const auto& name = m_document.record().Channels[r].ChName;
            m_shownNames[std::size_t(r)] = QByteArray::fromStdString(name.str());
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
        m_shownNames[std::size_t(r)] = QByteArray::fromStdString(name.str());
        m_nameCells[r] =
            r < m_rows && (fromFile || !name.isBlank()) ? fromLatin1(name.str()) : QString();
    }
    endResetModel();
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
    m_document.push(m_document.core().setChannelName(row, toLatin1(name), funcCode));
}

void ChannelTableModel::setChannelType(int row, int typeCode)
{
    m_document.push(m_document.core().setChannelType(row, typeCode));
}

void ChannelTableModel::setPartner(int row, int partner)
{
    m_document.push(m_document.core().setPartner(row, partner));
}

void ChannelTableModel::setValue(int row, int value)
{
    m_document.push(m_document.core().setChannelValue(row, value));
}

const fx::ChannelInfo& ChannelTableModel::channel(int row) const
{
    return m_document.record().Channels[std::clamp(row, 0, fx::MaxChannels - 1)];
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
