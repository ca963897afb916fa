#include "ui/DialogFolders.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include <memory>
#include <utility>

namespace ui {

namespace {

const QString FolderKey = QStringLiteral("FileDialogs/LastFolder");

std::unique_ptr<QSettings> openSettings(const QString& file)
{
    // The user's own settings: ~/.config/ORVA/Editor.ini on Linux.
    if (file.isEmpty())
        return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                           QStringLiteral("ORVA"), QStringLiteral("Editor"));
    return std::make_unique<QSettings>(file, QSettings::IniFormat);
}

} // namespace

DialogFolders::DialogFolders(QString settingsFile) : m_settingsFile(std::move(settingsFile))
{
}

QString DialogFolders::documentsFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QFileInfo(documents).isDir())
        return documents;
    return QDir::homePath();
}

QString DialogFolders::startFolder() const
{
    const QString last = openSettings(m_settingsFile)->value(FolderKey).toString();
    if (!last.isEmpty() && QFileInfo(last).isDir())
        return last;
    return documentsFolder();
}

void DialogFolders::remember(const QString& chosenFile)
{
    if (chosenFile.isEmpty())
        return;
    const QString folder = QFileInfo(chosenFile).absolutePath();
    openSettings(m_settingsFile)->setValue(FolderKey, folder);
}

} // namespace ui
