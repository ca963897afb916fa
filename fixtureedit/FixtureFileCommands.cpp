#include "fixtureedit/FixtureFileCommands.h"

#include "core/FixtureFile.h"
#include "ui/Dialogs.h"
#include "ui/FileAccess.h"
#include "ui/Services.h"

#include <QFileInfo>

#include <span>

const QString FixtureFileCommands::Filter = QStringLiteral("Fixture Setup File(*.tff)");
const QString FixtureFileCommands::SaveTitle = QStringLiteral("ORVA Save As");

namespace {
const QString OpenTitle = QStringLiteral("ORVA Open");
}

FixtureFileCommands::FixtureFileCommands(ui::Services& services, QWidget* parent)
    : m_services(services), m_parent(parent)
{
}

QString FixtureFileCommands::save(const fx::FixtureRecord& record)
{
    ui::Dialogs& dialogs = m_services.dialogs;

    const fx::FileCapacityReport capacity = fx::checkFileCapacity(record);
    if (!capacity.fits()) {
        const QString text = QString::fromStdString(capacity.describe()) +
                             QStringLiteral("\nSave the fixture without them?");
        if (dialogs.ask(m_parent, SaveTitle, text, ui::Dialogs::Buttons::OkCancel,
                        ui::Dialogs::Icon::Warning) != ui::Dialogs::Answer::Ok)
            return {};
    }

    const QString chosen = dialogs.saveFileName(m_parent, QStringLiteral("Save Fixture"), Filter);
    if (chosen.isEmpty())
        return {};
    const QString path = ui::withFixtureSuffix(chosen);

    const QFileInfo existing(path);
    // Only a file counts as already there: a folder of that name is not offered for replacing,
    // and the write below says why it fails.
    if (existing.isFile() && existing.size() > 0) {
        const QString text = path + QStringLiteral(" already exists.\rDo you want to replace it?");
        if (dialogs.ask(m_parent, SaveTitle, text, ui::Dialogs::Buttons::YesNo) !=
            ui::Dialogs::Answer::Yes)
            return {};
    }

    const fx::FixtureImage image = fx::WriteFixtureImage(record);
    const QByteArray data(reinterpret_cast<const char*>(image.data()),
                          static_cast<qsizetype>(image.size()));
    QString error;
    if (!m_services.files.write(path, data, &error)) {
        QString text = QStringLiteral("The fixture could not be saved to\n%1\n%2").arg(path, error);
        if (existing.exists())
            text += QStringLiteral("\nThe file already there is unchanged.");
        dialogs.tell(m_parent, SaveTitle, text, ui::Dialogs::Icon::Critical);
        return {};
    }
    return path;
}

QString FixtureFileCommands::open(fx::FixtureRecord& record)
{
    ui::Dialogs& dialogs = m_services.dialogs;
    const QString path = dialogs.openFileName(m_parent, QStringLiteral("Open Fixture"), Filter);
    if (path.isEmpty())
        return {};
    return openPath(path, record);
}

QString FixtureFileCommands::openPath(const QString& path, fx::FixtureRecord& record)
{
    ui::Dialogs& dialogs = m_services.dialogs;

    // A file of another length is refused before it is read (it may be huge).
    const QFileInfo info(path);
    if (info.isFile() && info.size() != qint64(fx::FixtureFileSize)) {
        dialogs.tell(m_parent, OpenTitle,
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
        dialogs.tell(m_parent, OpenTitle,
                     QStringLiteral("%1 could not be opened:\n%2").arg(path, error));
        return {};
    }
    const std::span<const std::uint8_t> bytes(
        reinterpret_cast<const std::uint8_t*>(data->constData()),
        static_cast<std::size_t>(data->size()));
    std::vector<std::string> notes;
    const std::string problem = fx::ReadFixtureImage(bytes, record, &notes);
    if (!problem.empty()) {
        dialogs.tell(m_parent, OpenTitle,
                     QStringLiteral("%1 is not a fixture setup file the editor can open:\n%2.")
                         .arg(path, QString::fromStdString(problem)));
        return {};
    }
    if (!notes.empty()) {
        // The file opened, but not all of it is as it claims: say what was cut or cannot show.
        QString text = QStringLiteral("%1 was opened, with these notes:").arg(path);
        for (const std::string& note : notes)
            text += QStringLiteral("\n- ") + QString::fromStdString(note);
        dialogs.tell(m_parent, OpenTitle, text, ui::Dialogs::Icon::Information);
    }
    return path;
}
