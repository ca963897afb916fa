// fixture-tool: dumps fixture setup files as JSON, builds them back from JSON, imports ".qxf"
// fixture definitions and keeps the channel name set, for fixture libraries kept under version
// control and for scripted checks.

#include "core/ByteFile.h"
#include "core/ChNameSet.h"
#include "core/FixtureCheck.h"
#include "core/QxfImport.h"
#include "tools/ExportCommand.h"
#include "tools/FixtureJson.h"
#include "tools/LibraryCommand.h"
#include "tools/SendCommand.h"
#include "tools/ToolCommon.h"

#include <nlohmann/json.hpp>

#include <malloc.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

const char* const usageText =
    R"(Usage:
  fixture-tool dump FILE.tff          print the fixture setup file as JSON (an LED
                                      fixture setup file, 512 bytes, is recognised by
                                      its length and printed as its own record)
  fixture-tool check FILE...          print what the console would get wrong in each
                                      fixture setup file (.tff) or JSON for build
  fixture-tool build FILE.json OUT.tff
                                      write the fixture described by the JSON as the
                                      editor's save does
  fixture-tool names --init FILE      write a new channel name set holding the 41
                                      default names (FILE must not exist yet)
  fixture-tool names FILE             print a channel name set, one entry a line:
                                      position, ChIndex, ChCode, "name"
  fixture-tool modes FILE.qxf         list the modes of a fixture definition, one a
                                      line: channel count, a tab, the mode name
  fixture-tool import [--mode NAME] [--names ChNameSet.fix] [--steps all|auto|CH,...]
                      FILE.qxf OUT.tff
                                      write one mode of a fixture definition as a
                                      fixture setup file
  fixture-tool import --out-dir DIR [--names ChNameSet.fix] [--steps all|auto] FILE.qxf...
                                      write each definition's default mode to
                                      DIR/<input name>.tff
  fixture-tool export [--manufacturer M] [--type T] FILE.tff OUT.qxf
                                      write the fixture as a QLC+ fixture definition
                                      (manufacturer default "Unknown", type guessed:
                                      "Moving Head", "Color Changer", "Dimmer", "Other")
  fixture-tool sheet FILE.tff OUT.pdf write the printable fixture sheet as a PDF (A4, or
                                      Letter in a locale that measures in inches)
  fixture-tool library [--dir DIR]... [WORDS...]
                                      list the fixture library's definitions and
                                      fixture setup files matching every word
  fixture-tool send [--universe U] [--address A] [--step CH:N | --palette P:E |
                    --blackout] FILE.tff
                                      send the fixture to the lamp once through the
                                      local OLA daemon, as the editor's Live does
  fixture-tool --help                 show this text

The JSON uses the record's field names: Reserved, FixtureName, NumChannels,
MaxPanDegree, MaxTiltDegree, FuncMap (260), Channels (40 with FuncCode, ChType,
ChNumber, PairChannel, Spare1, Spare2, ChName, ChValue), StepCount (40), Steps
(40 lists of StepCount steps with FromDmx, ToDmx, StepName), PalUsed, PalName,
PalEntryName, PalEntrySize, PalChannelUsed, PalValue.

build is strict: every key must be present and no other; numbers must fit
their byte, NumChannels is 1 to 40, the type of a channel in use 0 to 6,
MaxPanDegree and MaxTiltDegree 0 to 32767 (the editor offers 0 to 720).
Texts hold only characters U+0000 to U+00FF and at most their width
(FixtureName 11, ChName 12, StepName 8, palette names 6); a shorter text is
padded with blanks. FuncMap is rebuilt from the channels and degrees as the
editor's save does. On any fault build prints one line and writes nothing.

check prints one line for each problem, most important place first:
  FILE: message                         the fixture as a whole
  FILE: channel N: message              a channel (numbers as the editor shows them)
  FILE: channel N, step K: message      step K of channel N
  FILE: PaletteP entry E: message       an entry of a palette (PaletteP: the palette)
where message starts with "error:" (the console will misbehave or data will be
lost) or "warning:" (probably unintended). A file that cannot be read is an
error; an LED fixture setup file is only read. A clean file prints nothing.


import takes the mode given by --mode (its name, blanks at both ends trimmed)
or else the mode with the most channels that fits in 40 (the first on a tie).
Channel names and function codes come from the channel name set given by
--names, else from the 41 default names; the set is never changed. What the
file cannot hold or what was changed is reported on standard error, one line
each, as "FILE.qxf: ..."; the file is still written and the status is 0. A
definition that is not readable, an unknown mode or no mode that fits gets one
line "fixture-tool: FILE.qxf: ..." and nothing is written. With --out-dir every
input is converted in one run; a refused input, or a second input with the
same name, gets its line and the rest are still converted; the status is 0
only when all were written.

--steps says which channels keep their steps when a mode has more than the
file's 204: auto (the default) gives whole channels in the order Shutter,
Colour, Gobo, Prism, Beam, Effect, Maintenance, Speed, Intensity, Pan, Tilt,
the rest, passing over one that does not fit; all keeps every channel's steps
and the file the first 204; a list such as 3,7,12 names the channels (numbered
in the mode) that keep theirs.

library reads the QLC+ fixture folders (/usr/share/qlcplus/fixtures,
$QLCPLUS_FIXTURES_DIR, ~/.qlcplus/fixtures) and the folders added in the
editor's fixture library, or only the --dir folders, each with its subfolders.
It prints the definitions (.qxf) and fixture setup files (.tff) matching every
word (ignoring case and accents) one a line, sorted by manufacturer and model:
manufacturer, model, type, the modes' channel counts joined by "/", the path,
separated by tabs (a .tff: no manufacturer, the fixture name, "fixture" or
"LED fixture", the channel count). A broken file that matches is named on
standard error. Status 0 with matches, 1 with none, 2 on a fault. It keeps
an index in ~/.cache/ORVA and writes nothing else.

send puts the fixture's values at address A (default 1) of universe U (default
1); --step puts the middle of step N's range on channel CH, --palette the
values of entry E of palette P on its channels, --blackout zeros on the
fixture's slots. Channels past slot 512 are named on standard error and not
sent. A daemon that is not running or a universe without an output port gets
one line and status 1; a channel, step, palette or entry the fixture lacks, or
an address or universe out of range, gets one line, status 2, nothing sent.

Exit status: 0 on success, 1 when a file or its content is refused (check: when
any file has an error), 2 on a wrong command line.
)";

int dump(const std::string& path)
{
    std::string error;
    const auto bytes = readInput(path, &error);
    if (!bytes)
        return fail(path, error);
    std::string json;
    // The two kinds of ".tff" file differ in length.
    if (bytes->size() == fx::LedFixtureFileSize) {
        if (std::string message = fx::ledFixtureJsonFromImage(*bytes, json); !message.empty())
            return fail(path, "is 512 bytes long but no LED fixture setup file the editor "
                              "writes: " +
                                  message);
    } else if (std::string message = fx::fixtureJsonFromImage(*bytes, json); !message.empty()) {
        return fail(path, message);
    }
    std::cout << json;
    std::cout.flush();
    return std::cout ? 0 : fail("standard output", "cannot be written");
}

int build(const std::string& jsonPath, const std::string& outPath)
{
    std::string error;
    const auto bytes = readInput(jsonPath, &error);
    if (!bytes)
        return fail(jsonPath, error);
    const std::string text(bytes->begin(), bytes->end());
    fx::FixtureImage image{};
    if (std::string message = fx::fixtureImageFromJson(text, image); !message.empty())
        return fail(jsonPath, message);
    if (!fx::writeFileAtomically(outPath, std::vector<std::uint8_t>(image.begin(), image.end()),
                                 &error))
        return fail(outPath, error);
    return 0;
}

// `check` of one file: prints its problems; returns whether it has an error.
bool checkFile(const std::string& path)
{
    const auto line = [&](const std::string& where, bool error, const std::string& message) {
        std::cout << path << ": " << (where.empty() ? "" : where + ": ")
                  << (error ? "error: " : "warning: ") << fx::latin1ToUtf8(message) << '\n';
    };
    std::string error;
    const auto bytes = readInput(path, &error);
    if (!bytes) {
        line({}, true, error);
        return true;
    }
    auto record = std::make_unique<fx::FixtureRecord>();
    fx::ResetFixtureRecord(*record, 8);
    const auto firstChar =
        std::find_if(bytes->begin(), bytes->end(), [](std::uint8_t b) { return !std::isspace(b); });
    if (bytes->size() == fx::FixtureFileSize) {
        if (std::string message = fx::ReadFixtureImage(*bytes, *record); !message.empty()) {
            line({}, true, "not a fixture setup file the editor can open: " + message);
            return true;
        }
    } else if (bytes->size() == fx::LedFixtureFileSize) {
        fx::LedFixtureRecord led;
        if (std::string message = fx::ReadLedFixtureImage(*bytes, led); !message.empty()) {
            line({}, true, "not an LED fixture setup file the editor can open: " + message);
            return true;
        }
        return false;
    } else if (firstChar != bytes->end() && *firstChar == '{') {
        const std::string text(bytes->begin(), bytes->end());
        if (std::string message = fx::fixtureFromJson(text, *record); !message.empty()) {
            line({}, true, message);
            return true;
        }
        fx::ApplyFixedFunctionCodes(*record); // as build writes it
    } else {
        line({}, true,
             "is " + std::to_string(bytes->size()) +
                 " bytes long: neither a fixture setup file (6144 bytes), an LED "
                 "fixture setup file (512 bytes) nor JSON");
        return true;
    }

    bool errors = false;
    if (bytes->size() == fx::FixtureFileSize) {
        // Counts that promise more steps than the slots hold are cut by the reader; say so.
        constexpr std::size_t StepCountOffset = 1803;
        for (int c = 0; c < fx::MaxChannels; ++c) {
            const int recorded = (*bytes)[StepCountOffset + c];
            if (recorded != record->StepCount[c]) {
                line("channel " + std::to_string(c + 1), true,
                     "the file records " + std::to_string(recorded) + " steps but holds " +
                         std::to_string(record->StepCount[c]) + " of them");
                errors = true;
            }
        }
    }
    for (const fx::Problem& problem : fx::CheckFixture(*record)) {
        line(fx::problemLocation(problem), problem.isError(), problem.message);
        errors = errors || problem.isError();
    }
    return errors;
}

int check(const std::vector<std::string>& paths)
{
    bool errors = false;
    for (const std::string& path : paths)
        errors = checkFile(path) || errors;
    std::cout.flush();
    if (!std::cout)
        return fail("standard output", "cannot be written");
    return errors ? 1 : 0;
}

int initNames(const std::string& path)
{
    std::error_code ec;
    if (std::filesystem::exists(path, ec))
        return fail(path, "exists already; remove it first to start a new channel name set");
    fx::ChNameSet set;
    fx::InitChNameSet(set);
    std::string error;
    if (!fx::writeFileAtomically(path, fx::chNameSetImage(set), &error))
        return fail(path, error);
    return 0;
}

int printNames(const std::string& path)
{
    std::string error;
    const auto bytes = readInput(path, &error);
    if (!bytes)
        return fail(path, error);
    const std::size_t size = bytes->size();
    if (size < fx::FixtureEditorMinFileSize)
        return fail(path, "is " + std::to_string(size) +
                              " bytes long; a channel name set has 3542 bytes, and neither "
                              "editor reads one under 560 bytes");
    // Print what the file holds, as the fixture editor reads it; a shorter file's missing
    // entries are left out rather than invented.
    fx::ChNameSet set{};
    fx::loadChNameSetForFixtureEditor(*bytes, set);
    const int whole =
        static_cast<int>(std::min<std::size_t>(fx::ChNameCount, size / fx::ChNameEntrySize));
    for (int p = 0; p < whole; ++p) {
        const fx::ChNameRec& rec = set[p];
        std::cout << p << '\t' << int(rec.ChIndex) << '\t' << int(rec.ChCode) << '\t'
                  << nlohmann::json(fx::latin1ToUtf8(rec.SetName.str())).dump() << '\n';
    }
    std::cout.flush();
    if (whole < fx::ChNameCount)
        std::cerr << "fixture-tool: " << path << ": " << size << " bytes hold only " << whole
                  << " whole entries of " << fx::ChNameCount << '\n';
    return std::cout ? 0 : fail("standard output", "cannot be written");
}

// The channel name set import takes its names and codes from: the file the fixture editor reads,
// or the 41 default names.
std::optional<fx::ChNameSet> importNames(const std::optional<std::string>& path)
{
    fx::ChNameSet set;
    if (!path) {
        fx::InitChNameSet(set);
        return set;
    }
    std::string error;
    const auto bytes = readInput(*path, &error);
    if (!bytes) {
        fail(*path, error);
        return std::nullopt;
    }
    if (bytes->size() < fx::FixtureEditorMinFileSize) {
        fail(*path, "is " + std::to_string(bytes->size()) +
                        " bytes long; a channel name set has 3542 bytes, and the fixture editor "
                        "reads none under 560 bytes");
        return std::nullopt;
    }
    set = fx::ChNameSet{};
    fx::loadChNameSetForFixtureEditor(*bytes, set);
    return set;
}

int modes(const std::string& path)
{
    fx::QxfDefinition def;
    if (std::string error = fx::loadQxfFile(path, def); !error.empty())
        return fail(path, error);
    for (const fx::QxfMode& mode : def.modes)
        std::cout << mode.channelCount() << '\t' << mode.name << '\n';
    std::cout.flush();
    return std::cout ? 0 : fail("standard output", "cannot be written");
}

// Imports one definition into the image of its fixture setup file. On a refusal prints its one
// line and returns nothing; else report holds the lines to print once the file is written.
std::optional<std::vector<std::uint8_t>>
importImage(const std::string& inPath, const std::optional<std::string>& modeName,
            const fx::ChNameSet& names, const fx::QxfImportOptions& options, std::string& report)
{
    fx::QxfDefinition def;
    if (std::string error = fx::loadQxfFile(inPath, def); !error.empty())
        return fail(inPath, error), std::nullopt;
    std::optional<int> mode;
    if (modeName) {
        mode = fx::findQxfMode(def, *modeName);
        if (!mode)
            return fail(inPath,
                        "has no mode \"" + *modeName + "\" (fixture-tool modes lists the modes)"),
                   std::nullopt;
    } else {
        mode = fx::defaultQxfMode(def);
        if (!mode) {
            int smallest = 0;
            for (const fx::QxfMode& m : def.modes)
                if (m.channelCount() > 0 && (smallest == 0 || m.channelCount() < smallest))
                    smallest = m.channelCount();
            return fail(inPath, smallest == 0
                                    ? std::string("has no mode with any channel")
                                    : "has no mode that fits in 40 channels (the smallest has " +
                                          std::to_string(smallest) + ")"),
                   std::nullopt;
        }
    }
    fx::QxfImport imported;
    if (std::string error = fx::importQxfMode(def, *mode, names, imported, options); !error.empty())
        return fail(inPath, error), std::nullopt;
    fx::FixtureImage image{};
    if (std::string error = fx::savedFixtureImage(*imported.record, image); !error.empty())
        return fail(inPath, error), std::nullopt;
    report.clear(); // printed in one piece: standard error is unbuffered
    for (const std::string& line : imported.report)
        report += inPath + ": " + line + '\n';
    return std::vector<std::uint8_t>(image.begin(), image.end());
}

// Converts every file into outDir, each to <its name>.tff. Each image goes to a temporary file
// first; one sync puts them all on the disk, and only then does each replace its .tff.
int importBatch(const std::vector<std::string>& files, const std::string& outDir,
                const fx::ChNameSet& names, const fx::QxfImportOptions& options)
{
    std::error_code ec;
    if (!std::filesystem::is_directory(outDir, ec))
        return fail(outDir, "is not a folder");
    struct Staged {
        std::string temp, out;
    };
    std::vector<Staged> staged;
    std::map<std::string, std::string> taken; // output name -> the input that took it
    bool all = true;
    std::string report, error;
    for (const std::string& file : files) {
        const std::string name = std::filesystem::path(file).stem().string() + ".tff";
        const auto [it, fresh] = taken.emplace(name, file);
        if (!fresh) {
            fail(file,
                 "has the same name as " + it->second + "; " + name + " is written only once");
            all = false;
            continue;
        }
        const std::string out = (std::filesystem::path(outDir) / name).string();
        const auto bytes = importImage(file, std::nullopt, names, options, report);
        std::optional<std::string> temp;
        if (bytes && !(temp = fx::writeTempFileBeside(out, *bytes, &error, false)))
            fail(out, error);
        if (!temp) {
            all = false;
            continue;
        }
        staged.push_back({*temp, out});
        std::cerr << report;
    }
    if (!staged.empty() && !fx::syncFileSystem(outDir, &error)) {
        for (const Staged& s : staged)
            std::remove(s.temp.c_str());
        return fail(outDir, "cannot be synced to the disk, nothing was replaced: " + error);
    }
    for (const Staged& s : staged) {
        if (!fx::replaceWithTempFile(s.temp, s.out, &error)) {
            fail(s.out, error);
            all = false;
        }
    }
    return all ? 0 : 1;
}

int import(const std::vector<std::string>& args)
{
    std::optional<std::string> modeName, namesPath, outDir, steps;
    std::vector<std::string> files;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        std::optional<std::string>* option = a == "--mode"      ? &modeName
                                             : a == "--names"   ? &namesPath
                                             : a == "--out-dir" ? &outDir
                                             : a == "--steps"   ? &steps
                                                                : nullptr;
        if (!option) {
            files.push_back(a);
            continue;
        }
        if (i + 1 >= args.size())
            return usageError(a + " needs a value");
        if (*option)
            return usageError(a + " is given twice");
        *option = args[++i];
    }
    if (outDir && modeName)
        return usageError("--mode is for one file; --out-dir converts each file's default mode");
    if (outDir ? files.empty() : files.size() != 2)
        return usageError(outDir ? "import --out-dir DIR takes one or more FILE.qxf"
                                 : "import takes two files: fixture-tool import [--mode NAME] "
                                   "[--names ChNameSet.fix] FILE.qxf OUT.tff");
    fx::QxfImportOptions options;
    if (steps) {
        if (std::string error = fx::parseQxfSteps(*steps, options); !error.empty())
            return usageError("--steps: " + error);
        if (outDir && options.steps == fx::QxfStepChoice::Listed)
            return usageError("--steps with channel numbers is for one file; --out-dir takes all "
                              "or auto");
    }
    const std::optional<fx::ChNameSet> names = importNames(namesPath);
    if (!names)
        return 1;
    if (outDir)
        return importBatch(files, *outDir, *names, options);
    std::string report, error;
    const auto bytes = importImage(files[0], modeName, *names, options, report);
    if (!bytes)
        return 1;
    if (!fx::writeFileAtomically(files[1], *bytes, &error))
        return fail(files[1], error);
    std::cerr << report;
    return 0;
}

int run(const std::vector<std::string>& args)
{
    if (args.empty())
        return usageError("no command given");
    const std::string& command = args[0];
    if (command == "--help" || command == "-h" || command == "help") {
        std::cout << usageText;
        return 0;
    }
    if (command == "dump") {
        if (args.size() != 2)
            return usageError("dump takes one file: fixture-tool dump FILE.tff");
        return dump(args[1]);
    }
    if (command == "check") {
        if (args.size() < 2)
            return usageError("check takes one file or more: fixture-tool check FILE...");
        return check(std::vector<std::string>(args.begin() + 1, args.end()));
    }
    if (command == "build") {
        if (args.size() != 3)
            return usageError("build takes two files: fixture-tool build FILE.json OUT.tff");
        return build(args[1], args[2]);
    }
    if (command == "modes") {
        if (args.size() != 2)
            return usageError("modes takes one file: fixture-tool modes FILE.qxf");
        return modes(args[1]);
    }
    if (command == "import")
        return import(args);
    if (command == "export")
        return exportCommand(args);
    if (command == "sheet")
        return sheetCommand(args);
    if (command == "library")
        return libraryCommand(std::vector<std::string>(args.begin() + 1, args.end()));
    if (command == "send")
        return sendCommand(std::vector<std::string>(args.begin() + 1, args.end()));
    if (command == "names") {
        if (args.size() == 3 && args[1] == "--init")
            return initNames(args[2]);
        if (args.size() == 2 && args[1] != "--init")
            return printNames(args[1]);
        return usageError("names takes one file: fixture-tool names [--init] FILE");
    }
    return usageError("unknown command \"" + command + "\"");
}

} // namespace

int main(int argc, char** argv)
{
    // A batch converts thousands of definitions, each through a fixture record of about 100 KiB;
    // by default glibc gives that memory back to the system after every file and faults it in
    // again for the next, which costs more than the conversion itself.
    mallopt(M_TRIM_THRESHOLD, 64 * 1024 * 1024);
    try {
        return run(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::exception& e) {
        std::cerr << "fixture-tool: " << e.what() << '\n';
        return 1;
    }
}
