#pragma once

#include <QFileInfo>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QPrinter;
class QWidget;

namespace ui {

// Every message box and file dialog of the editors goes through this interface, so that tests
// can answer them.
class Dialogs {
public:
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel, SaveDiscardCancel };
    enum class Answer { Ok, Cancel, Yes, No, Save, Discard };
    enum class Icon { None, Question, Warning, Critical, Information };

    virtual ~Dialogs() = default;

    // A modal message box; returns the button pressed (closing the box counts as Cancel, or No
    // for Yes/No).
    virtual Answer ask(QWidget* parent, const QString& title, const QString& text, Buttons buttons,
                       Icon icon = Icon::Question) = 0;

    // A modal message with an OK button, for failures the user must know of.
    virtual void tell(QWidget* parent, const QString& title, const QString& text,
                      Icon icon = Icon::Warning) = 0;

    // The common file dialogs. filter is in Qt's form, e.g. "Fixture Setup File(*.tff)".
    // start: the folder the dialog opens in, or a file path (its folder, with the name filled
    // in); empty for the folder last used in any file dialog. An empty result means the user
    // cancelled.
    virtual QString saveFileName(QWidget* parent, const QString& caption, const QString& filter,
                                 const QString& start = {}) = 0;
    virtual QString openFileName(QWidget* parent, const QString& caption, const QString& filter,
                                 const QString& start = {}) = 0;

    // A line of text, offered with initial; nothing when the user cancelled.
    virtual std::optional<QString> askText(QWidget* parent, const QString& title,
                                           const QString& label, const QString& initial) = 0;

    // The print dialog for printer; true when the user chose to print with it as set up there.
    virtual bool choosePrinter(QWidget* parent, QPrinter& printer) = 0;
    // An existing folder; empty when the user cancelled.
    virtual QString openFolderName(QWidget* parent, const QString& caption) = 0;

    // A table to look over before an action goes on (the steps a paste would add): OK goes on,
    // Cancel or closing the box does not.
    virtual bool confirmTable(QWidget* parent, const QString& title, const QString& text,
                              const QStringList& headers, const QList<QStringList>& rows) = 0;
};

// The question before unsaved work would be lost: Save, Discard or Cancel, with text naming the
// work. True when the caller may go on: after Discard, or after Save when save() succeeded.
inline bool saveOrDiscard(Dialogs& dialogs, QWidget* parent, const QString& text,
                          const std::function<bool()>& save)
{
    switch (dialogs.ask(parent, QStringLiteral("Unsaved Changes"), text,
                        Dialogs::Buttons::SaveDiscardCancel, Dialogs::Icon::Warning)) {
    case Dialogs::Answer::Discard: return true;
    case Dialogs::Answer::Save: return save();
    default: return false;
    }
}

// Whether a save may write path: yes when no file holding data is there (a folder of that name is
// not offered for replacing: the write says why it fails), else the answer to "<shown> already
// exists. Do you want to replace it?".
inline bool mayReplace(Dialogs& dialogs, QWidget* parent, const QString& title,
                       const QString& path, const QString& shown)
{
    const QFileInfo existing(path);
    return !(existing.isFile() && existing.size() > 0) ||
           dialogs.ask(parent, title,
                       shown + QStringLiteral(" already exists.\rDo you want to replace it?"),
                       Dialogs::Buttons::YesNo) == Dialogs::Answer::Yes;
}

} // namespace ui
