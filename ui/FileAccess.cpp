#include "ui/FileAccess.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace ui {

std::optional<QByteArray> DiskFileAccess::read(const QString& path, QString* error)
{
    QFile file(path);
    if (QFileInfo(path).isDir()) {
        if (error)
            *error = QStringLiteral("it is a folder");
        return std::nullopt;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return std::nullopt;
    }
    QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        if (error)
            *error = file.errorString();
        return std::nullopt;
    }
    return data;
}

bool DiskFileAccess::write(const QString& path, const QByteArray& data, QString* error)
{
    if (QFileInfo(path).isDir()) {
        if (error)
            *error = QStringLiteral("it is a folder");
        return false;
    }
    // Unbuffered, so that every write reaches the file system here: a buffered QSaveFile only
    // flushes in commit(), which then ignores a short write on a full disk and renames the cut
    // file over the old one. A short write is retried for the rest, whose failure gives the
    // reason ("No space left on device").
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    for (qsizetype done = 0; done < data.size();) {
        const qint64 written = file.write(data.constData() + done, data.size() - done);
        if (written <= 0) {
            if (error)
                *error = file.errorString();
            file.cancelWriting();
            return false;
        }
        done += written;
    }
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

QString withFixtureSuffix(const QString& path)
{
    return path.endsWith(QLatin1String(".tff"), Qt::CaseInsensitive)
               ? path
               : path + QStringLiteral(".tff");
}

} // namespace ui
