// fixture-tool library: the fixture library's entries matching some words, one a line.

#include "tools/LibraryCommand.h"

#include "core/FixtureLibrary.h"
#include "tools/ToolCommon.h"

#include <sys/stat.h>

#include <iostream>

namespace {

bool isFolder(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

} // namespace

int libraryCommand(const std::vector<std::string>& args)
{
    std::vector<fx::LibrarySource> dirs;
    std::string query;
    bool words = false; // after "--" everything is a word
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (!words && a == "--") {
            words = true;
        } else if (!words && a == "--dir") {
            if (i + 1 >= args.size())
                return usageError("--dir needs a folder");
            const std::string& dir = args[++i];
            if (!isFolder(dir)) {
                std::cerr << "fixture-tool: " << dir << ": not a folder that can be read\n";
                return 2;
            }
            dirs.push_back({dir, dir, false});
        } else if (!words && a.size() > 1 && a[0] == '-') {
            return usageError("library does not know " + a);
        } else {
            query += a + ' ';
        }
    }
    // Without --dir, the folders the editor reads: the standard ones, then the technician's.
    if (dirs.empty()) {
        dirs = fx::standardLibrarySources();
        for (const std::string& folder :
             fx::readSettingsList(fx::standardLibrarySettingsFile(), fx::LibrarySettingsSection,
                                  fx::LibrarySettingsKey))
            dirs.push_back({folder, folder, false});
    }
    const fx::LibraryIndex index = fx::buildLibraryIndex(dirs, fx::standardLibraryCacheFolder());
    for (const std::string& note : index.notes)
        std::cerr << "fixture-tool: " << note << '\n';
    int matches = 0;
    for (const std::size_t k : fx::searchLibrary(index.entries, query)) {
        const fx::LibraryEntry& e = index.entries[k];
        if (e.kind == fx::LibraryEntry::Kind::Broken) {
            std::cerr << "fixture-tool: " << e.path << ": " << e.reason << '\n';
            continue;
        }
        std::cout << e.manufacturer << '\t' << e.model << '\t' << e.type << '\t'
                  << fx::libraryChannelsText(e, "/") << '\t' << e.path << '\n';
        ++matches;
    }
    std::cout.flush();
    if (!std::cout) {
        std::cerr << "fixture-tool: the list could not be written\n";
        return 2;
    }
    return matches > 0 ? 0 : 1;
}
