#include "fixtureedit/ChannelListModel.h"

#include "core/FixtureDocument.h"
#include "ui/Document.h"

#include <algorithm>

ChannelListModel::ChannelListModel(ui::Document& document, QObject* parent)
    : QAbstractListModel(parent), m_document(document), m_rows(channelCount())
{
    connect(&document, &ui::Document::changed, this, &ChannelListModel::documentChanged);
}

int ChannelListModel::channelCount() const
{
    return std::clamp(int(m_document.record().FixHeader.NumChannels), 0, fx::MaxChannels);
}

int ChannelListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

QVariant ChannelListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows ||
        (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    const QString chan = QStringLiteral("Chan %1").arg(index.row() + 1);
    const std::string name = m_document.record().Channels[index.row()].ChName.trimmed();
    if (name.empty())
        return chan;
    return chan + QStringLiteral(" - ") +
           QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

void ChannelListModel::documentChanged(const fx::RecordChange& change)
{
    if (change.reset) {
        beginResetModel();
        m_rows = channelCount();
        endResetModel();
        return;
    }
    const int rows = channelCount();
    if (change.channelCount && rows > m_rows) {
        beginInsertRows({}, m_rows, rows - 1);
        m_rows = rows;
        endInsertRows();
    } else if (change.channelCount && rows < m_rows) {
        beginRemoveRows({}, rows, m_rows - 1);
        m_rows = rows;
        endRemoveRows();
    }
    for (int row = 0; row < m_rows; ++row) {
        if (change.names.test(std::size_t(row)))
            emit dataChanged(index(row), index(row));
    }
}
