#include "ui/ScriptedDialogs.h"

#include <QPrinter>

namespace ui {

void ScriptedDialogs::clear()
{
    m_answers.clear();
    m_fileNames.clear();
    m_texts.clear();
    m_printFiles.clear();
    m_printDialogs = 0;
    m_shown.clear();
    m_fileDialogs = 0;
    m_lastFilter.clear();
    m_lastStart.clear();
}

Dialogs::Answer ScriptedDialogs::ask(QWidget*, const QString& title, const QString& text,
                                     Buttons buttons, Icon)
{
    m_shown.append({title, text, true});
    if (whileAsking)
        whileAsking();
    if (!m_answers.isEmpty())
        return m_answers.dequeue();
    switch (buttons) {
    case Buttons::Ok: return Answer::Ok;
    case Buttons::YesNo: return Answer::No;
    case Buttons::OkCancel:
    case Buttons::YesNoCancel:
    case Buttons::SaveDiscardCancel: return Answer::Cancel;
    }
    return Answer::Cancel;
}

void ScriptedDialogs::tell(QWidget*, const QString& title, const QString& text, Icon)
{
    m_shown.append({title, text, false});
}

QString ScriptedDialogs::nextFileName(const QString& filter, const QString& start)
{
    ++m_fileDialogs;
    m_lastStart = start;
    m_lastFilter = filter;
    return m_fileNames.isEmpty() ? QString() : m_fileNames.dequeue();
}

QString ScriptedDialogs::saveFileName(QWidget*, const QString&, const QString& filter,
                                      const QString& start)
{
    return nextFileName(filter, start);
}

QString ScriptedDialogs::openFileName(QWidget*, const QString&, const QString& filter,
                                      const QString& start)
{
    return nextFileName(filter, start);
}

std::optional<QString> ScriptedDialogs::askText(QWidget*, const QString& title,
                                                const QString& label, const QString&)
{
    m_shown.append({title, label, true});
    if (m_texts.isEmpty())
        return std::nullopt;
    return m_texts.dequeue();
}

bool ScriptedDialogs::choosePrinter(QWidget*, QPrinter& printer)
{
    ++m_printDialogs;
    if (m_printFiles.isEmpty())
        return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(m_printFiles.dequeue());
    return true;
}

QString ScriptedDialogs::openFolderName(QWidget*, const QString&)
{
    return nextFileName(QString(), QString());
}

bool ScriptedDialogs::confirmTable(QWidget*, const QString& title, const QString& text,
                                   const QStringList&, const QList<QStringList>& rows)
{
    QString shown = text;
    for (const QStringList& row : rows)
        shown += u'\n' + row.join(u'\t');
    m_shown.append({title, shown, true});
    const Answer answer = m_answers.isEmpty() ? Answer::Cancel : m_answers.dequeue();
    return answer == Answer::Ok || answer == Answer::Yes;
}

} // namespace ui
