#pragma once

#include <QString>

namespace ui {

// The folder a file dialog opens in: the folder of the file last chosen in any of the editor's
// file dialogs, kept between runs, or the user's documents folder when none was chosen yet or
// that folder is gone. Never the program's own folder.
class DialogFolders {
public:
    // settingsFile: the settings file to keep the folder in; empty for the user's own settings
    // of the application.
    explicit DialogFolders(QString settingsFile = {});

    QString startFolder() const;
    // Remembers the folder of a chosen file; an empty path (a cancelled dialog) changes nothing.
    void remember(const QString& chosenFile);

    static QString documentsFolder();

private:
    QString m_settingsFile;
};

} // namespace ui
