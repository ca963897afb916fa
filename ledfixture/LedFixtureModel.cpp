#include "ledfixture/LedFixtureModel.h"

#include "core/FixtureRecord.h"

#include <algorithm>

namespace {

} // namespace

LedFixtureModel::LedFixtureModel(ui::LedDocument& document, QObject* parent)
    : QAbstractTableModel(parent), m_document(document),
      m_rows(document.core().record().LedChannelCount)
{
    connect(&m_document, &ui::UndoDocument::contentChanged, this, &LedFixtureModel::follow);
}

const fx::LedFixtureRecord& LedFixtureModel::record() const
{
    return m_document.core().record();
}

int LedFixtureModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int LedFixtureModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant LedFixtureModel::data(const QModelIndex& index, int role) const
{
    if (!isCell(index))
        return {};
    const fx::LedChannelRec& channel = record().LedChannels[static_cast<std::size_t>(index.row())];
    if (role == Qt::DisplayRole) {
        switch (index.column()) {
        case ChannelColumn: return QStringLiteral("Chan %1").arg(index.row() + 1);
        case NameColumn: return shownText(channel.Name);
        case TypeColumn: return QString::fromStdString(fx::ChTypeName(channel.TypeCode));
        case PairColumn: return QString::number(m_document.core().shownPair(index.row()));
        }
    } else if (role == Qt::EditRole) {
        switch (index.column()) {
        case ChannelColumn: return index.row() + 1;
        case NameColumn: return int{channel.ColourCode};
        case TypeColumn: return int{channel.TypeCode};
        case PairColumn: return m_document.core().shownPair(index.row());
        }
    }
    return {};
}

QVariant LedFixtureModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    switch (section) {
    case ChannelColumn: return QStringLiteral("Channel");
    case NameColumn: return QStringLiteral("Channel Name");
    case TypeColumn: return QStringLiteral("Type");
    case PairColumn: return QStringLiteral("Ch16bit");
    }
    return {};
}

Qt::ItemFlags LedFixtureModel::flags(const QModelIndex& index) const
{
    if (!isCell(index))
        return Qt::NoItemFlags;
    const Qt::ItemFlags plain = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    switch (index.column()) {
    case NameColumn:
    case TypeColumn: return plain | Qt::ItemIsEditable;
    case PairColumn:
        // Only a 16-bit channel has a partner to choose.
        if (fx::isSixteenBitType(
                record().LedChannels[static_cast<std::size_t>(index.row())].TypeCode))
            return plain | Qt::ItemIsEditable;
        return plain;
    }
    return plain;
}

bool LedFixtureModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole ||
        !checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return false;
    bool ok = false;
    const int code = value.toInt(&ok);
    if (!ok)
        return false;
    const fx::LedFixtureDocument& core = m_document.core();
    const int channel = index.row();
    switch (index.column()) {
    case NameColumn:
        if (code < 1 || code > fx::LedColourCount)
            return false;
        m_document.push(core.setColour(channel, code));
        return true;
    case TypeColumn:
        if (code < 0 || code >= fx::ChannelTypeCount)
            return false;
        m_document.push(core.setType(channel, code));
        return true;
    case PairColumn:
        if (!(flags(index) & Qt::ItemIsEditable) || code < 0 || code > rowCount())
            return false;
        m_document.push(core.setPair(channel, code));
        return true;
    }
    return false;
}

void LedFixtureModel::follow()
{
    const int count = record().LedChannelCount;
    if (count > m_rows) {
        beginInsertRows({}, m_rows, count - 1);
        m_rows = count;
        endInsertRows();
    } else if (count < m_rows) {
        beginRemoveRows({}, count, m_rows - 1);
        m_rows = count;
        endRemoveRows();
    }
    if (m_rows > 0)
        emit dataChanged(index(0, 0), index(m_rows - 1, ColumnCount - 1));
}

bool LedFixtureModel::isCell(const QModelIndex& index) const
{
    return index.isValid() && index.model() == this && index.row() < m_rows &&
           index.column() < ColumnCount;
}
