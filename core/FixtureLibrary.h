#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace fx {

// The fixture library: an index of the fixture definitions (".qxf") and fixture setup files
// (".tff") found in a list of folders, each read with its subfolders. Every file gets an entry;
// one that cannot be used is listed as broken with the reason. The index of each folder is kept in
// a cache file keyed by each file's path, size and modification time, so that a second run reads
// only what changed; a cache that does not check out is thrown away and rebuilt.

// The application's name: the editor's QApplication name, which makes its cache and settings
// folders (~/.cache/ORVA, ~/.config/ORVA); the command-line tool finds the same folders by it.
inline constexpr std::string_view ApplicationName = "ORVA";

// A folder of the library and the name the browser's Source column shows for it.
struct LibrarySource {
    std::string folder;
    std::string label;
    bool optional = false; // a missing folder is passed over without a note
};

struct LibraryMode {
    std::string name;
    int channels = 0; // as the import counts them (a repeated channel number counts once)
};

struct LibraryEntry {
    enum class Kind : std::uint8_t { Definition, Fixture, LedFixture, Broken };
    Kind kind = Kind::Broken;
    std::string path;
    // UTF-8, one line each. A definition: its manufacturer, model and type. A fixture setup
    // file: no manufacturer, the fixture name as model, "fixture" or "LED fixture" as type.
    // A broken file: its file name as model, "broken" as type.
    std::string manufacturer, model, type;
    std::vector<LibraryMode> modes; // a definition's, in the file's order
    int channels = 0;               // a fixture setup file's channel count
    int steps = 0;                  // a fixture setup file's steps, all channels
    int problems = 0;               // what the fixture check finds in it
    std::string reason;             // why a broken file is broken, one line
    int source = 0;                 // index into the sources the index was built from

    // Filled by the index, not kept in the cache: the folded texts the search and sort use.
    std::string searchText;
    std::string sortManufacturer, sortModel;
};

struct LibraryIndex {
    std::vector<LibrarySource> sources;
    std::vector<LibraryEntry> entries; // sorted by manufacturer, then model, ignoring case
    std::vector<std::string> notes;    // folders that could not be read, limits reached
    std::size_t readFiles = 0;         // files read this time (not taken from a cache)
    std::size_t cachedFiles = 0;       // entries taken from a cache
    bool cancelled = false;
};

// Limits against hostile trees: folders below this depth, and files beyond this count in one
// index, are left out with a note.
constexpr int MaxLibraryDepth = 64;
constexpr std::size_t MaxLibraryFiles = 200000;

// Called with the files done and the files found; a false result stops the index. While the
// folders are still being walked, total is 0.
using LibraryProgress = std::function<bool(std::size_t done, std::size_t total)>;

// Builds the index of sources in their order. A folder reached a second time (a symbolic link, a
// source inside another) is read once, by the first source that reaches it; hidden folders are
// passed over. cacheFolder empty: no cache is read or written. The cache of a source is written
// only when something changed, and never when the index was cancelled.
LibraryIndex buildLibraryIndex(const std::vector<LibrarySource>& sources,
                               const std::string& cacheFolder,
                               const LibraryProgress& progress = {});

// The cache file of one source folder inside cacheFolder.
std::string libraryCacheFile(const std::string& cacheFolder, const std::string& folder);

// The entries matching every word of query (split at blanks), each word compared ignoring case
// and accents with the entry's manufacturer, model and type and, for a fixture setup file, its
// file name. An empty query matches everything. Indices into entries, in their order.
std::vector<std::size_t> searchLibrary(const std::vector<LibraryEntry>& entries,
                                       std::string_view query);

// A text as the search compares it: lower case, accents dropped (also as combining marks),
// "ß" as "ss", "æ" as "ae"; Greek and Cyrillic capitals as small letters.
std::string foldForSearch(std::string_view utf8);

// The channel counts: a definition's modes joined by separator ("11 / 15 / 24"), a fixture
// setup file's count, nothing for a broken file.
std::string libraryChannelsText(const LibraryEntry& entry, std::string_view separator);

// The standard folders in their order: the QLC+ system folder, the folder $QLCPLUS_FIXTURES_DIR
// names when set, the user's QLC+ folder (~/.qlcplus/fixtures). All are optional.
std::vector<LibrarySource> standardLibrarySources();
// The user's cache folder of the application ($XDG_CACHE_HOME or ~/.cache, then ORVA).
std::string standardLibraryCacheFolder();
// The settings file in which the editor keeps the technician's own folders, and their key.
std::string standardLibrarySettingsFile();
inline constexpr std::string_view LibrarySettingsSection = "Library";
inline constexpr std::string_view LibrarySettingsKey = "Folders";

// A list of texts as an INI settings file written by the editor holds it (key=value in
// [section]; values comma separated, quoted and escaped where needed). Nothing when the file,
// section or key is missing.
std::vector<std::string> readSettingsList(const std::string& iniFile, std::string_view section,
                                          std::string_view key);

} // namespace fx
