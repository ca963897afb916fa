#include "fixtureedit/FixtureFiles.h"

#include "core/FixtureCheck.h"
#include "core/FixtureFile.h"
#include "core/FixtureRecord.h"
#include "core/QxfImport.h"
#include "fixtureedit/FixtureEdit.h"
#include "fixtureedit/ImportFixtureDialog.h"
#include "ui/DialogFolders.h"
#include "ui/Dialogs.h"
#include "ui/Document.h"
#include "ui/FileAccess.h"
#include "ui/Services.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>

#include <memory>
#include <span>

const QString FixtureFiles::Filter = QStringLiteral("Fixture Setup File(*.tff)");
const QString FixtureFiles::SaveTitle = QStringLiteral("ORVA Save As");

namespace {

const QString OpenTitle = QStringLiteral("ORVA Open");
const QString ImportTitle = QStringLiteral("Import Fixture");
const QString RecentKey = QStringLiteral("recentFiles");
const QString SaveFolderKey = QStringLiteral("FixtureFiles/saveFolder");
const QString ImportFolderKey = QStringLiteral("FixtureFiles/importFolder");

void rememberRecentFile(const QString& path)
{
    QSettings settings;
    QStringList files = settings.value(RecentKey).toStringList();
    const QString full = QFileInfo(path).absoluteFilePath();
    files.removeAll(full);
    files.prepend(full);
    while (files.size() > 8)
        files.removeLast();
    settings.setValue(RecentKey, files);
}

bool isWritableFolder(const QString& folder)
{
    const QFileInfo info(folder);
    return !folder.isEmpty() && info.isDir() && info.isWritable();
}

// A file name from the fixture name: blank ends dropped, characters a file name cannot hold
// replaced.
QString fileNameFor(const QString& fixtureName)
{
    QString name = fixtureName.trimmed();
    for (QChar& c : name) {
        if (c == u'/' || c == u'\\' || c.unicode() < 32)
            c = u'_';
    }
    return name == QLatin1String(".") || name == QLatin1String("..") ? QString() : name;
}

} // namespace

FixtureFiles::FixtureFiles(FixtureEdit& form, ui::Document& document, ui::Services& services)
    : QObject(&form), m_form(form), m_document(document), m_services(services)
{
}

QString FixtureFiles::fixtureTitle() const
{
    const QString name = fromLatin1(m_document.record().FixHeader.FixtureName.trimmed()).trimmed();
    return name.isEmpty() ? QStringLiteral("The fixture") : QStringLiteral("\"%1\"").arg(name);
}

bool FixtureFiles::maybeSave()
{
    m_form.commitOpenEdits();
    if (!m_document.isModified())
        return true;
    const QString where =
        m_document.filePath().isEmpty()
            ? QStringLiteral("has not been saved")
            : QStringLiteral("has changes not saved to\n%1").arg(m_document.filePath());
    return ui::saveOrDiscard(m_services.dialogs, &m_form,
                             QStringLiteral("%1 %2.\nSave it first?").arg(fixtureTitle(), where),
                             [this] { return save(); });
}

bool FixtureFiles::save()
{
    // An edit still open in either grid is stored first.
    m_form.commitOpenEdits();
    m_form.focusName();
    if (!confirmErrors())
        return false;

    // The save prepares a copy: a cancelled or failed save leaves the fixture as it was.
    const auto prepared = m_document.core().preparedForSave();
    const QString path = writeChosenFile(*prepared);
    if (!path.isEmpty()) {
        // What the save settles in the fixture (fixed codes, function map, 16-bit pairs) is one
        // edit, so that the saved state is the clean one.
        m_document.push(m_document.core().settleAfterSave());
        m_document.markSaved(path);
        QSettings().setValue(SaveFolderKey, QFileInfo(path).absolutePath());
        rememberRecentFile(path);
        emit fileUsed(path);
    }
    m_form.focusName();
    return !path.isEmpty();
}

QString FixtureFiles::saveStart() const
{
    const QString own = m_document.filePath();
    if (!own.isEmpty() && isWritableFolder(QFileInfo(own).absolutePath()))
        return QFileInfo(own).absoluteFilePath();
    QString folder = QSettings().value(SaveFolderKey).toString();
    if (!isWritableFolder(folder))
        folder = ui::DialogFolders::documentsFolder();
    const QString name =
        own.isEmpty() ? fileNameFor(fromLatin1(m_document.record().FixHeader.FixtureName.str()))
                      : QFileInfo(own).completeBaseName();
    return name.isEmpty() ? folder : QDir(folder).filePath(name + QStringLiteral(".tff"));
}

QString FixtureFiles::writeChosenFile(const fx::FixtureRecord& record)
{
    ui::Dialogs& dialogs = m_services.dialogs;

    const fx::FileCapacityReport capacity = fx::checkFileCapacity(record);
    if (!capacity.fits()) {
        const QString text = QString::fromStdString(capacity.describe()) +
                             QStringLiteral("\nSave the fixture without them?");
        if (dialogs.ask(&m_form, SaveTitle, text, ui::Dialogs::Buttons::OkCancel,
                        ui::Dialogs::Icon::Warning) != ui::Dialogs::Answer::Ok)
            return {};
    }

    const QString chosen =
        dialogs.saveFileName(&m_form, QStringLiteral("Save Fixture"), Filter, saveStart());
    if (chosen.isEmpty())
        return {};
    const QString path = ui::withFixtureSuffix(chosen);

    const QFileInfo existing(path); // as it was before the write
    if (!ui::mayReplace(dialogs, &m_form, SaveTitle, path, path))
        return {};

    const fx::FixtureImage image = fx::WriteFixtureImage(record);
    const QByteArray data(reinterpret_cast<const char*>(image.data()),
                          static_cast<qsizetype>(image.size()));
    QString error;
    if (!m_services.files.write(path, data, &error)) {
        QString text = QStringLiteral("The fixture could not be saved to\n%1\n%2").arg(path, error);
        if (existing.exists())
            text += QStringLiteral("\nThe file already there is unchanged.");
        dialogs.tell(&m_form, SaveTitle, text, ui::Dialogs::Icon::Critical);
        return {};
    }
    return path;
}

bool FixtureFiles::confirmErrors()
{
    // What the file cannot hold has its own question in the save; the others are listed here.
    QStringList lines;
    for (const fx::Problem& problem : fx::CheckFixture(m_document.record())) {
        if (problem.severity != fx::Problem::Severity::Error || problem.capacity)
            continue;
        lines << QString::fromStdString(fx::describeProblem(problem));
    }
    if (lines.isEmpty())
        return true;
    const int shown = 12;
    QString text = QStringLiteral("The console will not work as intended with this fixture:\n");
    for (int i = 0; i < std::min<int>(shown, int(lines.size())); ++i)
        text += QStringLiteral("- ") + lines[i] + QLatin1Char('\n');
    if (lines.size() > shown)
        text += QStringLiteral("... and %1 more (see Problems)\n").arg(lines.size() - shown);
    text += QStringLiteral("\nSave it anyway?");
    return m_services.dialogs.ask(&m_form, SaveTitle, text, ui::Dialogs::Buttons::OkCancel,
                                  ui::Dialogs::Icon::Warning) == ui::Dialogs::Answer::Ok;
}

void FixtureFiles::open()
{
    if (!maybeSave())
        return;
    const QString path =
        m_services.dialogs.openFileName(&m_form, QStringLiteral("Open Fixture"), Filter);
    if (!path.isEmpty())
        openPath(path);
    m_form.focusName();
}

bool FixtureFiles::openFile(const QString& path)
{
    return maybeSave() && openPath(path);
}

bool FixtureFiles::openPath(const QString& path)
{
    m_form.discardOpenEdits();
    auto read = std::make_unique<fx::FixtureRecord>(m_document.record());
    if (readFile(path, *read).isEmpty())
        return false;
    m_document.replace(*read, path);
    rememberRecentFile(path);
    emit fileUsed(path);
    return true;
}

QString FixtureFiles::readFile(const QString& path, fx::FixtureRecord& record)
{
    ui::Dialogs& dialogs = m_services.dialogs;

    // A file of another length is refused before it is read (it may be huge).
    const QFileInfo info(path);
    if (info.isFile() && info.size() != qint64(fx::FixtureFileSize)) {
        dialogs.tell(&m_form, OpenTitle,
                     QStringLiteral("%1 is not a fixture setup file the editor can open:\n"
                                    "it is %2 bytes long; a fixture setup file has %3 bytes.")
                         .arg(path)
                         .arg(info.size())
                         .arg(fx::FixtureFileSize));
        return {};
    }

    QString error;
    const auto data = m_services.files.read(path, &error);
    if (!data) {
        dialogs.tell(&m_form, OpenTitle,
                     QStringLiteral("%1 could not be opened:\n%2").arg(path, error));
        return {};
    }
    const std::span<const std::uint8_t> bytes(
        reinterpret_cast<const std::uint8_t*>(data->constData()),
        static_cast<std::size_t>(data->size()));
    std::vector<std::string> notes;
    const std::string problem = fx::ReadFixtureImage(bytes, record, &notes);
    if (!problem.empty()) {
        dialogs.tell(&m_form, OpenTitle,
                     QStringLiteral("%1 is not a fixture setup file the editor can open:\n%2.")
                         .arg(path, QString::fromStdString(problem)));
        return {};
    }
    if (!notes.empty()) {
        // The file opened, but not all of it is as it claims: say what was cut or cannot show.
        QString text = QStringLiteral("%1 was opened, with these notes:").arg(path);
        for (const std::string& note : notes)
            text += QStringLiteral("\n- ") + QString::fromStdString(note);
        dialogs.tell(&m_form, OpenTitle, text, ui::Dialogs::Icon::Information);
    }
    return path;
}

QString FixtureFiles::importStart() const
{
    const QString last = QSettings().value(ImportFolderKey).toString();
    if (!last.isEmpty() && QFileInfo(last).isDir())
        return last;
    QString system = qEnvironmentVariable("QLCPLUS_FIXTURES_DIR");
    if (system.isEmpty())
        system = QStringLiteral("/usr/share/qlcplus/fixtures");
    return QFileInfo(system).isDir() ? system : QString();
}

void FixtureFiles::importChosen()
{
    if (!maybeSave())
        return;
    const QString path = m_services.dialogs.openFileName(
        &m_form, ImportTitle, QStringLiteral("QLC+ Fixture Definition (*.qxf)"), importStart());
    if (path.isEmpty())
        return;
    QSettings().setValue(ImportFolderKey, QFileInfo(path).absolutePath());
    importFile(path, false);
}

bool FixtureFiles::importFile(const QString& path, bool askFirst, int mode)
{
    if (askFirst && !maybeSave())
        return false;
    fx::QxfDefinition definition;
    const std::string refused = fx::loadQxfFile(QFile::encodeName(path).toStdString(), definition);
    if (!refused.empty()) {
        m_services.dialogs.tell(&m_form, ImportTitle,
                                QStringLiteral("%1 cannot be imported:\n%2")
                                    .arg(path, QString::fromStdString(refused)));
        return false;
    }
    ChannelNameList& names = m_form.names();
    fixtureedit::ImportFixtureDialog dialog(definition, names.set(), QFileInfo(path).fileName(),
                                            &m_form);
    if (mode >= 0)
        dialog.chooseMode(mode);
    if (dialog.exec() != QDialog::Accepted || !dialog.chosenImport())
        return false;
    fx::QxfImport& imported = *dialog.chosenImport();
    if (!imported.missingNames.empty()) {
        QString list;
        for (const std::string& name : imported.missingNames)
            list += QStringLiteral("\n  ") + fromLatin1(name).trimmed();
        const auto answer = m_services.dialogs.ask(
            &m_form, QStringLiteral("Add Channel Name"),
            QStringLiteral("These channel names are not in the channel name set:%1\n\n"
                           "Do you wish to add them?")
                .arg(list),
            ui::Dialogs::Buttons::YesNo);
        if (answer == ui::Dialogs::Answer::Yes) {
            QStringList failed;
            for (const std::string& name : imported.missingNames) {
                const auto added = names.append(fromLatin1(name).trimmed(), m_services.files,
                                                m_services.chNameSetPath);
                if (added.position < 0 || !added.written)
                    failed << fromLatin1(name).trimmed();
            }
            fx::takeAddedNameCodes(*imported.record, names.set());
            if (!failed.isEmpty())
                m_services.dialogs.tell(
                    &m_form, QStringLiteral("Add Channel Name"),
                    QStringLiteral("Not every name could be added to\n%1:\n%2")
                        .arg(m_services.chNameSetPath, failed.join(QStringLiteral(", "))));
        }
    }
    // The import starts a fresh history, as an open does; it has no fixture file yet.
    m_form.discardOpenEdits();
    auto record = std::move(imported.record);
    m_document.replace(*record, QString());
    m_document.markModified();
    return true;
}

void FixtureFiles::fillRecentMenu(QMenu* menu)
{
    menu->clear();
    const QStringList files = QSettings().value(RecentKey).toStringList();
    for (const QString& path : files) {
        QAction* action = menu->addAction(QDir::toNativeSeparators(path));
        connect(action, &QAction::triggered, this, [this, path] { openFile(path); });
    }
    menu->setEnabled(!files.isEmpty());
    if (files.isEmpty())
        menu->addAction(QStringLiteral("(none)"))->setEnabled(false);
}
