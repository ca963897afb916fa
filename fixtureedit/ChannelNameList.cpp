#include "fixtureedit/ChannelNameList.h"

#include "ui/FileAccess.h"

#include <QFileInfo>
#include <QStandardItemModel>

#include <span>

std::string toLatin1(const QString& text)
{
    return text.toLatin1().toStdString();
}

QString fromLatin1(const std::string& bytes)
{
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

namespace {

std::span<const std::uint8_t> asBytes(const QByteArray& data)
{
    return {reinterpret_cast<const std::uint8_t*>(data.constData()),
            static_cast<std::size_t>(data.size())};
}

} // namespace

ChannelNameList::ChannelNameList() : m_model(std::make_unique<QStandardItemModel>())
{
}

ChannelNameList::~ChannelNameList() = default;

void ChannelNameList::loadFile(ui::FileAccess& files, const QString& path)
{
    const auto data = files.read(path, nullptr);
    if (data)
        fx::loadChNameSetForFixtureEditor(asBytes(*data), m_set);
}

void ChannelNameList::fill()
{
    m_model->clear();
    for (const fx::ChNameRec& rec : m_set) {
        if (!fx::isListedChName(rec))
            continue;
        appendItem(fromLatin1(rec.SetName.str()), rec.ChCode);
    }
}

int ChannelNameList::count() const
{
    return m_model->rowCount();
}

QString ChannelNameList::text(int row) const
{
    return m_model->item(row)->text();
}

int ChannelNameList::code(int row) const
{
    return m_model->item(row)->data(CodeRole).toInt();
}

int ChannelNameList::find(const QString& name) const
{
    const std::string latin1 = toLatin1(name);
    for (int row = 0; row < count(); ++row) {
        if (fx::sameChName(toLatin1(text(row)), latin1))
            return row;
    }
    return -1;
}

ChannelNameList::Added ChannelNameList::append(const QString& name, ui::FileAccess& files,
                                               const QString& path)
{
    Added added;
    const auto position = fx::AppendChName(m_set, toLatin1(name));
    if (!position)
        return added;
    added.position = *position;
    const fx::ChNameRec& rec = m_set[*position];
    appendItem(fromLatin1(rec.SetName.str()), rec.ChCode);

    // Only this entry changes in the file. An existing file that cannot be read is left alone
    // rather than rewritten from nothing.
    QString error;
    auto old = files.read(path, &error);
    if (!old) {
        if (QFileInfo::exists(path)) {
            added.error = error;
            return added;
        }
        old = QByteArray();
    }
    const auto image = fx::appendedEntryFile(asBytes(*old), m_set, *position);
    const QByteArray data(reinterpret_cast<const char*>(image.data()),
                          static_cast<qsizetype>(image.size()));
    added.written = files.write(path, data, &added.error);
    return added;
}

QAbstractItemModel* ChannelNameList::model() const
{
    return m_model.get();
}

void ChannelNameList::appendItem(const QString& text, int code)
{
    auto* item = new QStandardItem(text);
    item->setData(code, CodeRole);
    m_model->appendRow(item);
}
