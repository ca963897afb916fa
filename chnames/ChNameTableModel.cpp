#include "chnames/ChNameTableModel.h"

#include <QApplication>
#include <QPalette>

#include <algorithm>
#include <array>

namespace {

// The codes Change puts back into positions 0 to 4: "Pan", "Tilt", "Dimmer", "Colour",
// "Shutter".
constexpr std::array<std::uint8_t, 5> FixedCodes{6, 7, 3, 9, 4};

bool isCell(const QModelIndex& index)
{
    return index.isValid() && index.row() < fx::ChNameCount && index.column() < 2;
}

} // namespace

bool ChNameTableModel::isEditable(int row, int column)
{
    return column == NameColumn && row >= fx::FirstEditablePosition && row < fx::ChNameCount;
}

QString ChNameTableModel::shownName(const fx::ChNameRec& rec)
{
    const auto& bytes = rec.SetName.bytes;
    if (std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b == 0; }))
        return {};
    const std::string text = rec.SetName.trimmed();
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

int ChNameTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : fx::ChNameCount;
}

int ChNameTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 2;
}

QVariant ChNameTableModel::data(const QModelIndex& index, int role) const
{
    if (!isCell(index))
        return {};
    const int row = index.row();
    if (index.column() == IdColumn) {
        switch (role) {
        case Qt::DisplayRole: return QStringLiteral(" %1").arg(row + 1);
        case Qt::BackgroundRole: return QApplication::palette().button();
        case Qt::TextAlignmentRole: return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
        default: return {};
        }
    }
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return shownName(m_set[static_cast<std::size_t>(row)]);
    return {};
}

QVariant ChNameTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    switch (section) {
    case IdColumn: return QStringLiteral("Channel ID");
    case NameColumn: return QStringLiteral("Channel Name");
    default: return {};
    }
}

Qt::ItemFlags ChNameTableModel::flags(const QModelIndex& index) const
{
    if (!isCell(index))
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (isEditable(index.row(), index.column()))
        f |= Qt::ItemIsEditable;
    return f;
}

bool ChNameTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !isCell(index) || !isEditable(index.row(), index.column()))
        return false;
    storeName(index.row(), value.toString());
    return true;
}

void ChNameTableModel::replaceSet(const fx::ChNameSet& set)
{
    m_set = set;
    namesChanged(0, fx::ChNameCount - 1);
}

void ChNameTableModel::storeName(int position, const QString& text)
{
    if (!isEditable(position, NameColumn))
        return;
    // The editor lets through Latin-1 only; anything else would become '?' here.
    const QByteArray latin1 = text.toLatin1();
    const fx::ChNameRec before = m_set[static_cast<std::size_t>(position)];
    fx::StoreChName(m_set, position, std::string_view(latin1.constData(), latin1.size()));
    namesChanged(position, position);
    if (!(m_set[static_cast<std::size_t>(position)] == before))
        emit edited();
}

void ChNameTableModel::initDefaults()
{
    const fx::ChNameSet before = m_set;
    fx::InitChNameSet(m_set);
    namesChanged(0, fx::ChNameCount - 1);
    if (!(m_set == before))
        emit edited();
}

void ChNameTableModel::restoreFixedCodes()
{
    const fx::ChNameSet before = m_set;
    for (std::size_t p = 0; p < FixedCodes.size(); ++p)
        m_set[p].ChCode = FixedCodes[p];
    if (!(m_set == before))
        emit edited();
}

void ChNameTableModel::clearEmptyUserEntries()
{
    fx::clearEmptyUserEntries(m_set);
}

void ChNameTableModel::namesChanged(int firstRow, int lastRow)
{
    emit dataChanged(index(firstRow, NameColumn), index(lastRow, NameColumn),
                     {Qt::DisplayRole, Qt::EditRole});
}
