#include "ui/ScriptedDialogs.h"

namespace ui {

void ScriptedDialogs::clear()
{
    m_answers.clear();
    m_fileNames.clear();
    m_shown.clear();
    m_fileDialogs = 0;
    m_lastFilter.clear();
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

QString ScriptedDialogs::nextFileName(const QString& filter)
{
    ++m_fileDialogs;
    m_lastFilter = filter;
    return m_fileNames.isEmpty() ? QString() : m_fileNames.dequeue();
}

QString ScriptedDialogs::saveFileName(QWidget*, const QString&, const QString& filter)
{
    return nextFileName(filter);
}

QString ScriptedDialogs::openFileName(QWidget*, const QString&, const QString& filter)
{
    return nextFileName(filter);
}

QString ScriptedDialogs::openFolderName(QWidget*, const QString&)
{
    return nextFileName(QString());
}

} // namespace ui
