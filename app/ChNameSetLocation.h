#pragma once

#include <QString>

#include <functional>

// Where the channel name set file "ChNameSet.fix" lives: in the program's folder, as the console
// tools expect, unless that folder cannot be written (an installed program); then in the user's
// own data folder, which is seeded with the program folder's copy the first time.
namespace chnameset {

inline const QString FileName = QStringLiteral("ChNameSet.fix");

// Whether the file at path can be written there: created when missing, or opened for writing
// when present. Leaves nothing behind.
bool canWriteFile(const QString& path);

// The path of "ChNameSet.fix" for a program in programFolder, with userDataFolder as the fallback.
// canWrite decides whether a path can be written (canWriteFile unless a test says otherwise).
QString locate(const QString& programFolder, const QString& userDataFolder,
               const std::function<bool(const QString&)>& canWrite = canWriteFile);

// locate() for the running program: its own folder and its AppDataLocation.
QString locateForApplication();

} // namespace chnameset
