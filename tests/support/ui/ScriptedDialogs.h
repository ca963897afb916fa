#pragma once

#include "ui/Dialogs.h"

#include <QList>
#include <QQueue>
#include <QString>

#include <functional>

namespace ui {

// Dialogs for tests: answers and file names come from queues the test fills beforehand, and
// every message shown is recorded. A question with no queued answer is answered with the
// box's last button (Cancel or No) and recorded, so a missing answer shows up in the log.
class ScriptedDialogs : public Dialogs {
public:
    struct Shown {
        QString title;
        QString text;
        bool question; // false for tell()
    };

    void setNextAnswer(Answer answer) { m_answers.enqueue(answer); }
    void setNextFileName(const QString& path) { m_fileNames.enqueue(path); }
    // The next askText's answer; with none queued the question counts as cancelled.
    void setNextText(const QString& text) { m_texts.enqueue(text); }
    // The next print dialog prints into this PDF file; with none queued it is cancelled.
    void setNextPrintFile(const QString& pdfPath) { m_printFiles.enqueue(pdfPath); }
    int printDialogsShown() const { return m_printDialogs; }

    const QList<Shown>& shown() const { return m_shown; }
    int fileDialogsShown() const { return m_fileDialogs; }
    QString lastFilter() const { return m_lastFilter; }
    int pendingAnswers() const { return m_answers.size(); }
    int pendingFileNames() const { return m_fileNames.size(); }
    void clear();
    // Run as each question is asked: a test can show a box there that takes the focus.
    std::function<void()> whileAsking;

    Answer ask(QWidget* parent, const QString& title, const QString& text, Buttons buttons,
               Icon icon = Icon::Question) override;
    void tell(QWidget* parent, const QString& title, const QString& text,
              Icon icon = Icon::Warning) override;
    QString saveFileName(QWidget* parent, const QString& caption, const QString& filter,
                         const QString& start = {}) override;
    QString openFileName(QWidget* parent, const QString& caption, const QString& filter,
                         const QString& start = {}) override;
    // Where the last file dialog was asked to start.
    QString lastStart() const { return m_lastStart; }
    std::optional<QString> askText(QWidget* parent, const QString& title, const QString& label,
                                   const QString& initial) override;
    bool choosePrinter(QWidget* parent, QPrinter& printer) override;
    // A folder comes from the file name queue too.
    QString openFolderName(QWidget* parent, const QString& caption) override;
    // Recorded as a question whose text is followed by the rows, one a line, cells joined by
    // tabs; OK when the next answer queued is Ok or Yes, Cancel otherwise or with none queued.
    bool confirmTable(QWidget* parent, const QString& title, const QString& text,
                      const QStringList& headers, const QList<QStringList>& rows) override;

private:
    QString nextFileName(const QString& filter, const QString& start);

    QString m_lastStart;

    QQueue<Answer> m_answers;
    QQueue<QString> m_fileNames;
    QQueue<QString> m_texts;
    QQueue<QString> m_printFiles;
    int m_printDialogs = 0;
    QList<Shown> m_shown;
    int m_fileDialogs = 0;
    QString m_lastFilter;
};

} // namespace ui
