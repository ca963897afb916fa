// fixture-tool sheet: the one command that needs Qt (its GUI module, on the offscreen platform,
// for fonts and the PDF writer). Built only with the GUI.

#include "core/ByteFile.h"
#include "core/FixtureRecord.h"
#include "tools/ExportCommand.h"
#include "tools/ToolCommon.h"
#include "ui/FixtureSheet.h"

#include <QFileInfo>
#include <QGuiApplication>

#include <iostream>
#include <memory>

int sheetCommand(const std::vector<std::string>& args)
{
    if (args.size() != 3)
        return usageError("sheet takes two files: fixture-tool sheet FILE.tff OUT.pdf");
    auto record = std::make_unique<fx::FixtureRecord>();
    if (std::string message = readFixtureForExport(args[1], *record); !message.empty())
        return fail(args[1], message);
    // No display is needed: the sheet is laid out and written on the offscreen platform.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The tool speaks for itself: Qt's remarks about the session (no runtime folder) are noise.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            std::cerr << "fixture-tool: " << message.toStdString() << '\n';
    });
    int argc = 1;
    char name[] = "fixture-tool";
    char* argv[] = {name, nullptr};
    QGuiApplication app(argc, argv);
    const QByteArray pdf =
        ui::fixtureSheetPdf(*record, QFileInfo(QString::fromStdString(args[1])).fileName(),
                            QDateTime::currentDateTime());
    std::string error;
    if (!fx::writeFileAtomically(args[2], std::vector<std::uint8_t>(pdf.begin(), pdf.end()),
                                 &error))
        return fail(args[2], error);
    return 0;
}
