#include "fixtureedit/ExportCommands.h"

#include "core/QxfExport.h"
#include "ui/Dialogs.h"
#include "ui/FileAccess.h"
#include "ui/FixtureSheet.h"
#include "ui/Services.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QPrinter>
#include <QSettings>
#include <QWidget>

#include <string>

const QString ExportCommands::QxfFilter = QStringLiteral("QLC+ Fixture Definition (*.qxf)");
const QString ExportCommands::PdfFilter = QStringLiteral("PDF Document (*.pdf)");
const QString ExportCommands::ManufacturerKey = QStringLiteral("export/manufacturer");

namespace {

const QString ExportTitle = QStringLiteral("Export Fixture");
const QString PdfTitle = QStringLiteral("Export PDF");
const QString PrintTitle = QStringLiteral("Print");

QString userName()
{
    QString name = qEnvironmentVariable("USER");
    if (name.isEmpty())
        name = qEnvironmentVariable("USERNAME");
    return name;
}

} // namespace

ExportCommands::ExportCommands(ui::Services& services, QWidget* parent,
                               std::function<const fx::FixtureRecord&()> current,
                               std::function<QString()> filePath)
    : QObject(parent), m_services(services), m_parent(parent), m_current(std::move(current)),
      m_filePath(std::move(filePath))
{
}

void ExportCommands::addActions(QMenu* menu)
{
    const auto add = [&](const char* name, const QString& text, const QKeySequence& keys,
                         bool (ExportCommands::*slot)()) {
        auto* action = new QAction(text, m_parent);
        action->setObjectName(QString::fromLatin1(name));
        if (!keys.isEmpty()) {
            action->setShortcut(keys);
            action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
            m_parent->addAction(action);
        }
        connect(action, &QAction::triggered, this, [this, slot] { (this->*slot)(); });
        menu->addAction(action);
    };
    add("ExportFixture", QStringLiteral("&Export Fixture..."), {}, &ExportCommands::exportFixture);
    add("PrintSheet", QStringLiteral("&Print..."), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P),
        &ExportCommands::printSheet);
    add("ExportPdf", QStringLiteral("Export &PDF..."), {}, &ExportCommands::exportPdf);
}

QString ExportCommands::chosenPath(const QString& caption, const QString& filter,
                                   const QString& suffix)
{
    QString path = m_services.dialogs.saveFileName(m_parent, caption, filter);
    if (path.isEmpty())
        return {};
    if (!path.endsWith(suffix, Qt::CaseInsensitive))
        path += suffix;
    return ui::mayReplace(m_services.dialogs, m_parent, caption, path, path) ? path : QString();
}

bool ExportCommands::write(const QString& title, const QString& path, const QByteArray& data)
{
    QString error;
    if (m_services.files.write(path, data, &error))
        return true;
    QString text = QStringLiteral("The fixture could not be exported to\n%1\n%2").arg(path, error);
    if (QFileInfo::exists(path))
        text += QStringLiteral("\nThe file already there is unchanged.");
    m_services.dialogs.tell(m_parent, title, text, ui::Dialogs::Icon::Critical);
    return false;
}

bool ExportCommands::exportFixture()
{
    const QString path = chosenPath(ExportTitle, QxfFilter, QStringLiteral(".qxf"));
    if (path.isEmpty())
        return false;
    QSettings settings;
    const QString last = settings.value(ManufacturerKey, QStringLiteral("Unknown")).toString();
    const std::optional<QString> answer = m_services.dialogs.askText(
        m_parent, ExportTitle, QStringLiteral("Manufacturer:"), last);
    if (!answer)
        return false;
    const QString manufacturer =
        answer->trimmed().isEmpty() ? QStringLiteral("Unknown") : answer->trimmed();
    settings.setValue(ManufacturerKey, manufacturer);

    fx::QxfExportOptions options;
    options.manufacturer = manufacturer.toStdString();
    options.creatorName = "Fixture library editor";
    options.creatorVersion = FIXTURE_PROGRAM_VERSION;
    options.author = userName().toStdString();
    const std::string xml = fx::exportQxf(m_current(), options);
    return write(ExportTitle, path, QByteArray::fromStdString(xml));
}

bool ExportCommands::exportPdf()
{
    const QString path = chosenPath(PdfTitle, PdfFilter, QStringLiteral(".pdf"));
    if (path.isEmpty())
        return false;
    const fx::FixtureRecord& record = m_current();
    return write(PdfTitle, path,
                 ui::fixtureSheetPdf(record, QFileInfo(m_filePath()).fileName(),
                                     QDateTime::currentDateTime()));
}

bool ExportCommands::printSheet()
{
    const fx::FixtureRecord& record = m_current();
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(ui::sheetPageSize(QLocale::system())));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setPageMargins(QMarginsF(15, 12, 15, 12), QPageLayout::Millimeter);
    if (!m_services.dialogs.choosePrinter(m_parent, printer))
        return false;
    const int pages = ui::paintFixtureSheet(record, QFileInfo(m_filePath()).fileName(),
                                            QDateTime::currentDateTime(), printer);
    if (pages > 0 && printer.printerState() != QPrinter::Error)
        return true;
    m_services.dialogs.tell(m_parent, PrintTitle,
                            QStringLiteral("The fixture sheet could not be printed."),
                            ui::Dialogs::Icon::Critical);
    return false;
}
