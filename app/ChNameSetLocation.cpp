#include "app/ChNameSetLocation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace chnameset {

bool canWriteFile(const QString& path)
{
    QFile file(path);
    if (file.exists())
        return file.open(QIODevice::ReadWrite);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.close();
    file.remove();
    return true;
}

QString locate(const QString& programFolder, const QString& userDataFolder,
               const std::function<bool(const QString&)>& canWrite)
{
    const QString programCopy = QDir(programFolder).filePath(FileName);
    if (canWrite(programCopy))
        return programCopy;

    QDir().mkpath(userDataFolder);
    const QString userCopy = QDir(userDataFolder).filePath(FileName);
    if (!QFileInfo::exists(userCopy) && QFileInfo::exists(programCopy) &&
        QFile::copy(programCopy, userCopy)) {
        // The copy takes the mode of the installed file, which may be read-only.
        QFile::setPermissions(userCopy, QFile::permissions(userCopy) | QFileDevice::WriteOwner);
    }
    return userCopy;
}

QString locateForApplication()
{
    return locate(QCoreApplication::applicationDirPath(),
                  QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

} // namespace chnameset
