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
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    if (file.write(data) != data.size()) {
        if (error)
            *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace ui
