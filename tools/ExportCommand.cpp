#include "tools/ExportCommand.h"

#include "core/FixtureFile.h"
#include "core/QxfExport.h"
#include "tools/ToolCommon.h"

#include <cstdlib>
#include <iostream>
#include <memory>

std::string readFixtureForExport(const std::string& path, fx::FixtureRecord& record)
{
    std::string error;
    const auto bytes = readInput(path, &error);
    if (!bytes)
        return error;
    if (bytes->size() != fx::FixtureFileSize)
        return "is " + std::to_string(bytes->size()) +
               " bytes long, not a fixture setup file (6144 bytes)";
    fx::ResetFixtureRecord(record, 8);
    if (std::string message = fx::ReadFixtureImage(*bytes, record); !message.empty())
        return "not a fixture setup file the editor can open: " + message;
    return {};
}

int exportCommand(const std::vector<std::string>& args)
{
    fx::QxfExportOptions options;
    std::vector<std::string> files;
    for (std::size_t k = 1; k < args.size(); ++k) {
        const std::string& a = args[k];
        if ((a == "--manufacturer" || a == "--type") && k + 1 < args.size()) {
            (a == "--type" ? options.type : options.manufacturer) = args[++k];
        } else if (a.rfind("--", 0) == 0) {
            return usageError("export: unknown option or missing value \"" + a + "\"");
        } else {
            files.push_back(a);
        }
    }
    if (files.size() != 2)
        return usageError("export takes two files: fixture-tool export [--manufacturer M] "
                          "[--type T] FILE.tff OUT.qxf");
    if (!options.type.empty() && !fx::isQxfFixtureType(options.type)) {
        std::string known;
        for (const auto t : fx::qxfFixtureTypes())
            known += (known.empty() ? "\"" : ", \"") + std::string(t) + "\"";
        return usageError("export: unknown type \"" + options.type + "\"; one of " + known);
    }
    auto record = std::make_unique<fx::FixtureRecord>();
    if (std::string message = readFixtureForExport(files[0], *record); !message.empty())
        return fail(files[0], message);
    options.creatorName = "Fixture library editor";
    options.creatorVersion = FIXTURE_PROGRAM_VERSION;
    for (const char* variable : {"USER", "LOGNAME"})
        if (const char* user = std::getenv(variable); user && options.author.empty())
            options.author = user;
    const std::string xml = fx::exportQxf(*record, options);
    std::string error;
    if (!fx::writeFileAtomically(files[1], std::vector<std::uint8_t>(xml.begin(), xml.end()),
                                 &error))
        return fail(files[1], error);
    return 0;
}

#ifndef FIXTURE_TOOL_SHEET
int sheetCommand(const std::vector<std::string>&)
{
    std::cerr << "fixture-tool: sheet: this build has no Qt GUI module (FIXTURE_BUILD_GUI=OFF)\n";
    return 1;
}
#endif
