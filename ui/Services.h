#pragma once

#include <QString>

namespace ui {

class Dialogs;
class FileAccess;

// What the editors need of the world outside the fixture: message boxes and file dialogs, file
// access, and where the channel name set file lives. The application owns one; tests make their
// own with scripted dialogs and a temporary folder.
struct Services {
    Dialogs& dialogs;
    FileAccess& files;
    QString chNameSetPath; // full path of "ChNameSet.fix"
};

} // namespace ui
