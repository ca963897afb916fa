#include "ui/QtDialogs.h"

#include "ui/TableDialog.h"

#include <QInputDialog>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>

#include <QFileDialog>
#include <QMessageBox>

namespace ui {

namespace {

QMessageBox::Icon toQtIcon(Dialogs::Icon icon)
{
    switch (icon) {
    case Dialogs::Icon::None: return QMessageBox::NoIcon;
    case Dialogs::Icon::Question: return QMessageBox::Question;
    case Dialogs::Icon::Warning: return QMessageBox::Warning;
    case Dialogs::Icon::Critical: return QMessageBox::Critical;
    case Dialogs::Icon::Information: return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

// The editors' texts break lines with a bare carriage return, which a Qt label does not; show it
// as a line break.
QString displayText(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

} // namespace

Dialogs::Answer QtDialogs::ask(QWidget* parent, const QString& title, const QString& text,
                               Buttons buttons, Icon icon)
{
    QMessageBox::StandardButtons set;
    switch (buttons) {
    case Buttons::Ok: set = QMessageBox::Ok; break;
    case Buttons::OkCancel: set = QMessageBox::Ok | QMessageBox::Cancel; break;
    case Buttons::YesNo: set = QMessageBox::Yes | QMessageBox::No; break;
    case Buttons::SaveDiscardCancel:
        set = QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel;
        break;
    case Buttons::YesNoCancel:
        set = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        break;
    }
    QMessageBox box(toQtIcon(icon), title, displayText(text), set, parent);
    switch (box.exec()) {
    case QMessageBox::Ok: return Answer::Ok;
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    case QMessageBox::Save: return Answer::Save;
    case QMessageBox::Discard: return Answer::Discard;
    default: return buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
    }
}

void QtDialogs::tell(QWidget* parent, const QString& title, const QString& text, Icon icon)
{
    QMessageBox box(toQtIcon(icon), title, displayText(text), QMessageBox::Ok, parent);
    box.exec();
}

QString QtDialogs::saveFileName(QWidget* parent, const QString& caption, const QString& filter,
                                const QString& start)
{
    // The suffix rule (".tff" appended unless present) belongs to the callers, so no default
    // suffix here.
    const QString chosen = QFileDialog::getSaveFileName(
        parent, caption, start.isEmpty() ? m_folders.startFolder() : start, filter, nullptr,
        QFileDialog::DontConfirmOverwrite);
    m_folders.remember(chosen);
    return chosen;
}

QString QtDialogs::openFileName(QWidget* parent, const QString& caption, const QString& filter,
                                const QString& start)
{
    const QString chosen = QFileDialog::getOpenFileName(
        parent, caption, start.isEmpty() ? m_folders.startFolder() : start, filter);
    m_folders.remember(chosen);
    return chosen;
}

std::optional<QString> QtDialogs::askText(QWidget* parent, const QString& title,
                                          const QString& label, const QString& initial)
{
    bool ok = false;
    const QString text =
        QInputDialog::getText(parent, title, label, QLineEdit::Normal, initial, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

bool QtDialogs::choosePrinter(QWidget* parent, QPrinter& printer)
{
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

QString QtDialogs::openFolderName(QWidget* parent, const QString& caption)
{
    return QFileDialog::getExistingDirectory(parent, caption, m_folders.startFolder());
}

bool QtDialogs::confirmTable(QWidget* parent, const QString& title, const QString& text,
                             const QStringList& headers, const QList<QStringList>& rows)
{
    TableDialog dialog(title, text, headers, rows, parent);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace ui
