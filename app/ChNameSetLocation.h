#pragma once

#include <QString>

#include <functional>

// Where the channel name set file "ChNameSet.fix" lives. In this order:
//  1. the program's folder, when it holds one and it can be written (a build folder, or a copy
//     unpacked into a folder of the user's own), as the console tools expect;
//  2. otherwise the user's own data folder. The first time, that copy is made from the program
//     folder's file or, for an installed program, from the default set installed with it in
//     <prefix>/share/fixture-editor/ (found relative to the binary).
// An installed program's folder (/usr/bin) holds no name set, so even a program run by root never
// writes there.
namespace chnameset {

inline const QString FileName = QStringLiteral("ChNameSet.fix");

// Whether the file at path can be written there: created when missing, or opened for writing
// when present. Leaves nothing behind.
bool canWriteFile(const QString& path);

// The path of "ChNameSet.fix" for a program in programFolder, with userDataFolder as the fallback
// and installedDefault (a full file path, or empty for none) as the second seed of the user's
// copy. canWrite decides whether a path can be written (canWriteFile unless a test says
// otherwise).
QString locate(const QString& programFolder, const QString& userDataFolder,
               const QString& installedDefault,
               const std::function<bool(const QString&)>& canWrite = canWriteFile);

// The default name set installed with a program that runs from programFolder:
// programFolder/../share/fixture-editor/ChNameSet.fix for the standard layout.
QString installedDefaultFor(const QString& programFolder);

// locate() for the running program: its own folder, its AppDataLocation and its installed
// default.
QString locateForApplication();

} // namespace chnameset
