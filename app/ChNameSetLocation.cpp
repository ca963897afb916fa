#include "app/ChNameSetLocation.h"

#include "app/BuildInfo.h"

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
               const QString& installedDefault, const std::function<bool(const QString&)>& canWrite)
{
    const QString programCopy = QDir(programFolder).filePath(FileName);
    const bool programHasOne = QFileInfo(programCopy).isFile();
    if (programHasOne && canWrite(programCopy))
        return programCopy;

    QDir().mkpath(userDataFolder);
    const QString userCopy = QDir(userDataFolder).filePath(FileName);
    if (QFileInfo::exists(userCopy))
        return userCopy;
    QString seed;
    if (programHasOne)
        seed = programCopy;
    else if (!installedDefault.isEmpty() && QFileInfo(installedDefault).isFile())
        seed = installedDefault;
    if (!seed.isEmpty() && QFile::copy(seed, userCopy)) {
        // The copy takes the mode of the installed file, which is read-only for the user.
        QFile::setPermissions(userCopy, QFile::permissions(userCopy) | QFileDevice::WriteOwner);
    }
    return userCopy;
}

QString installedDefaultFor(const QString& programFolder)
{
    return QDir::cleanPath(
        QDir(programFolder).filePath(QStringLiteral(FIXTURE_DATA_FROM_BIN "/") + FileName));
}

QString locateForApplication()
{
    const QString programFolder = QCoreApplication::applicationDirPath();
    return locate(programFolder, QStandardPaths::writableLocation(QStandardPaths::AppDataLocation),
                  installedDefaultFor(programFolder));
}

} // namespace chnameset
