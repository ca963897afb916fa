#include "chnames/ChNameTableModel.h"

#include <QApplication>
#include <QPalette>

#include <algorithm>

namespace {

bool isCell(const QModelIndex& index)
{
    return index.isValid() && index.row() < fx::ChNameCount && index.column() < 2;
}

} // namespace

ChNameTableModel::ChNameTableModel(ui::ChNameDocument& document, QObject* parent)
    : QAbstractTableModel(parent), m_document(document)
{
    connect(&m_document, &ui::UndoDocument::contentChanged, this, [this] {
        emit dataChanged(index(0, NameColumn), index(fx::ChNameCount - 1, NameColumn),
                         {Qt::DisplayRole, Qt::EditRole});
    });
}

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
        return shownName(chNameSet()[static_cast<std::size_t>(row)]);
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
    // The editor lets through Latin-1 only; anything else would become '?' here.
    const QByteArray latin1 = value.toString().toLatin1();
    m_document.push(m_document.core().storeName(
        index.row(), std::string_view(latin1.constData(), static_cast<std::size_t>(latin1.size()))));
    return true;
}
