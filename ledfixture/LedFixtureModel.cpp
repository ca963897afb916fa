#include "ledfixture/LedFixtureModel.h"

#include "core/FixtureRecord.h"

#include <algorithm>

namespace {

// A name holds 12 zero bytes until one is chosen; the grid shows it up to the first zero byte,
// without the blanks that pad it.
QString nameText(const fx::FixedText<12>& name)
{
    const auto end = std::find(name.bytes.begin(), name.bytes.end(), std::uint8_t{0});
    QString text = QString::fromLatin1(reinterpret_cast<const char*>(name.bytes.data()),
                                       end - name.bytes.begin());
    while (text.endsWith(QLatin1Char(' ')))
        text.chop(1);
    return text;
}

} // namespace

LedFixtureModel::LedFixtureModel(fx::LedFixtureRecord& record, QObject* parent)
    : QAbstractTableModel(parent), m_record(record)
{
}

int LedFixtureModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_record.LedChannelCount;
}

int LedFixtureModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant LedFixtureModel::data(const QModelIndex& index, int role) const
{
    if (!isCell(index))
        return {};
    const fx::LedChannelRec& channel = m_record.LedChannels[static_cast<std::size_t>(index.row())];
    if (role == Qt::DisplayRole) {
        switch (index.column()) {
        case ChannelColumn: return QStringLiteral("Chan %1").arg(index.row() + 1);
        case NameColumn: return nameText(channel.Name);
        case TypeColumn: return QString::fromStdString(fx::ChTypeName(channel.TypeCode));
        case PairColumn: return QString::number(shownPair(index.row()));
        }
    } else if (role == Qt::EditRole) {
        switch (index.column()) {
        case ChannelColumn: return index.row() + 1;
        case NameColumn: return int{channel.ColourCode};
        case TypeColumn: return int{channel.TypeCode};
        case PairColumn: return shownPair(index.row());
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
                m_record.LedChannels[static_cast<std::size_t>(index.row())].TypeCode))
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
    const int channel = index.row();
    switch (index.column()) {
    case NameColumn:
        if (code < 1 || code > fx::LedColourCount)
            return false;
        setColour(channel, code);
        return true;
    case TypeColumn:
        if (code < 0 || code >= fx::ChannelTypeCount)
            return false;
        setType(channel, code);
        return true;
    case PairColumn:
        if (!(flags(index) & Qt::ItemIsEditable) || code < 0 || code > rowCount())
            return false;
        setPair(channel, code);
        return true;
    }
    return false;
}

void LedFixtureModel::resetChannels(int count)
{
    count = std::clamp(count, 1, fx::LedMaxChannels);
    beginResetModel();
    m_record.LedChannelCount = static_cast<std::uint8_t>(count);
    m_record.LedChannels.fill(fx::LedChannelRec{});
    endResetModel();
}

void LedFixtureModel::setChannelCount(int count)
{
    count = std::clamp(count, 1, fx::LedMaxChannels);
    const int old = rowCount();
    if (count == old)
        return;
    if (count > old) {
        beginInsertRows({}, old, count - 1);
        m_record.LedChannelCount = static_cast<std::uint8_t>(count);
        endInsertRows();
    } else {
        beginRemoveRows({}, count, old - 1);
        m_record.LedChannelCount = static_cast<std::uint8_t>(count);
        endRemoveRows();
    }
    // Partners that came into view or went out of it.
    emit dataChanged(index(0, PairColumn), index(rowCount() - 1, PairColumn));
}

int LedFixtureModel::shownPair(int channel) const
{
    if (!isChannel(channel))
        return 0;
    const int pair = m_record.LedChannels[static_cast<std::size_t>(channel)].PairChannel;
    return pair <= rowCount() ? pair : 0;
}

fx::LedFixtureRecord LedFixtureModel::recordToSave() const
{
    // The image writer takes only the colour code of a position past the count, as a save
    // always has; a partner past the count is written as none.
    fx::LedFixtureRecord copy = m_record;
    for (int p = 0; p < rowCount(); ++p)
        copy.LedChannels[static_cast<std::size_t>(p)].PairChannel =
            static_cast<std::uint8_t>(shownPair(p));
    return copy;
}

void LedFixtureModel::setColour(int channel, int colourCode)
{
    if (!isChannel(channel))
        return;
    fx::LedChannelRec& rec = m_record.LedChannels[static_cast<std::size_t>(channel)];
    rec.ColourCode = static_cast<std::uint8_t>(colourCode);
    rec.Name.assign(fx::ledColourName(colourCode));
    channelChanged(channel, NameColumn, NameColumn);
}

void LedFixtureModel::setType(int channel, int typeCode)
{
    if (!isChannel(channel))
        return;
    fx::LedChannelRec& rec = m_record.LedChannels[static_cast<std::size_t>(channel)];
    rec.TypeCode = static_cast<std::uint8_t>(typeCode);
    if (!fx::isSixteenBitType(typeCode))
        rec.PairChannel = 0;
    channelChanged(channel, TypeColumn, PairColumn);
}

void LedFixtureModel::setPair(int channel, int pairChannel)
{
    if (!isChannel(channel))
        return;
    m_record.LedChannels[static_cast<std::size_t>(channel)].PairChannel =
        static_cast<std::uint8_t>(pairChannel);
    channelChanged(channel, PairColumn, PairColumn);
}

void LedFixtureModel::applySaved(const fx::LedFixtureRecord& saved)
{
    // A save keeps the channel count, so the rows stay and only their cells may change. A
    // partner hidden behind the count stays in the record for when the count grows again.
    const int count = std::clamp<int>(saved.LedChannelCount, 1, fx::LedMaxChannels);
    if (count != rowCount())
        setChannelCount(count);
    m_record.LedFixtureName = saved.LedFixtureName;
    m_record.ColourChannelMap = saved.ColourChannelMap;
    for (int p = 0; p < count; ++p) {
        fx::LedChannelRec& channel = m_record.LedChannels[static_cast<std::size_t>(p)];
        const std::uint8_t keptPair = channel.PairChannel;
        channel = saved.LedChannels[static_cast<std::size_t>(p)];
        if (saved.LedChannels[static_cast<std::size_t>(p)].PairChannel == 0 && keptPair > count &&
            fx::isSixteenBitType(channel.TypeCode))
            channel.PairChannel = keptPair;
    }
    emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
}

bool LedFixtureModel::isCell(const QModelIndex& index) const
{
    return index.isValid() && index.model() == this && isChannel(index.row()) &&
           index.column() < ColumnCount;
}

bool LedFixtureModel::isChannel(int channel) const
{
    return channel >= 0 && channel < rowCount();
}

void LedFixtureModel::channelChanged(int channel, Column first, Column last)
{
    emit dataChanged(index(channel, first), index(channel, last));
}
