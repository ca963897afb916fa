#pragma once

#include "ui/DialogFolders.h"
#include "ui/Dialogs.h"

#include <utility>

namespace ui {

// The real message boxes and file dialogs. The file dialogs open in the folder last used
// (see DialogFolders).
class QtDialogs : public Dialogs {
public:
    explicit QtDialogs(DialogFolders folders = DialogFolders()) : m_folders(std::move(folders)) {}

    Answer ask(QWidget* parent, const QString& title, const QString& text, Buttons buttons,
               Icon icon = Icon::Question) override;
    void tell(QWidget* parent, const QString& title, const QString& text,
              Icon icon = Icon::Warning) override;
    QString saveFileName(QWidget* parent, const QString& caption, const QString& filter,
                         const QString& start = {}) override;
    QString openFileName(QWidget* parent, const QString& caption, const QString& filter,
                         const QString& start = {}) override;
    std::optional<QString> askText(QWidget* parent, const QString& title, const QString& label,
                                   const QString& initial) override;
    bool choosePrinter(QWidget* parent, QPrinter& printer) override;
    QString openFolderName(QWidget* parent, const QString& caption) override;
    bool confirmTable(QWidget* parent, const QString& title, const QString& text,
                      const QStringList& headers, const QList<QStringList>& rows) override;

private:
    DialogFolders m_folders;
};

} // namespace ui
