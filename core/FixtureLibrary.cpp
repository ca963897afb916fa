#include "core/FixtureLibrary.h"

#include "core/ByteFile.h"
#include "core/FixtureCheck.h"
#include "core/FixtureFile.h"
#include "core/FixtureLibraryParts.h"
#include "core/FixtureRecord.h"
#include "core/Latin1Text.h"
#include "core/LedFixtureFile.h"
#include "core/QxfImport.h"

#include <pugixml.hpp>

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <tuple>
#include <utility>

namespace fx {

namespace {

namespace fs = std::filesystem;

struct FoundFile {
    std::string path;
    int source = 0;
    std::uint64_t size = 0;
    std::int64_t mtime = 0;
    bool ok = true; // false: stat failed (a dangling link); reason says why
    std::string reason;
};

enum class FileKind { None, Definition, Setup };

FileKind kindOfName(const std::string& name)
{
    if (name.size() < 5 || name[name.size() - 4] != '.')
        return FileKind::None;
    std::string ext = name.substr(name.size() - 3);
    for (char& c : ext)
        c = char(c >= 'A' && c <= 'Z' ? c + 32 : c);
    return ext == "qxf" ? FileKind::Definition : ext == "tff" ? FileKind::Setup : FileKind::None;
}

using NodeId = std::pair<std::uint64_t, std::uint64_t>; // device, inode

// Walks every source, with its subfolders, to the library's files. Each folder and each file is
// taken once however often links reach it; the walk keeps its own stack, so depth costs no
// recursion.
class Walk {
public:
    Walk(const std::vector<LibrarySource>& sources, const LibraryProgress& progress,
         std::vector<std::string>& notes)
        : m_progress(progress), m_notes(notes)
    {
        walked.assign(sources.size(), false);
        for (int s = 0; s < int(sources.size()) && !cancelled; ++s)
            walkSource(sources[s], s);
    }

    std::vector<FoundFile> files;
    std::vector<bool> walked; // per source: its folder was there and read
    bool cancelled = false;

private:
    void walkSource(const LibrarySource& source, int index)
    {
        struct stat st {};
        if (source.folder.empty() || ::stat(source.folder.c_str(), &st) != 0 ||
            !S_ISDIR(st.st_mode)) {
            if (!source.optional)
                m_notes.push_back(source.folder + ": not a folder that can be read");
            return;
        }
        if (!m_dirs.insert({st.st_dev, st.st_ino}).second)
            return; // inside a source read before, or the same folder named again
        walked[index] = true;
        std::string top = source.folder;
        while (top.size() > 1 && top.back() == '/')
            top.pop_back();
        std::vector<std::pair<std::string, int>> stack{{top == "/" ? std::string() : top, 0}};
        while (!stack.empty() && !cancelled) {
            auto [folder, depth] = std::move(stack.back());
            stack.pop_back();
            readFolder(folder, depth, index, stack);
        }
    }

    void readFolder(const std::string& folder, int depth, int source,
                    std::vector<std::pair<std::string, int>>& stack)
    {
        // The names in order, so that the walk (and which of two ways to a file wins) is the
        // same every time.
        std::vector<std::string> names;
        std::error_code ec;
        fs::directory_iterator it(folder.empty() ? std::string("/") : folder,
                                  fs::directory_options::skip_permission_denied, ec);
        for (const fs::directory_iterator end; !ec && it != end; it.increment(ec))
            names.push_back(it->path().filename().string());
        if (ec)
            m_notes.push_back(folder + ": " + ec.message());
        std::sort(names.begin(), names.end());
        std::vector<std::string> folders;
        for (const std::string& name : names) {
            const std::string path = folder + "/" + name;
            const FileKind kind = kindOfName(name);
            struct stat st {};
            if (::stat(path.c_str(), &st) != 0) {
                if (kind != FileKind::None)
                    add({path, source, 0, 0, false, std::strerror(errno)});
            } else if (S_ISDIR(st.st_mode)) {
                if (name[0] == '.' || !m_dirs.insert({st.st_dev, st.st_ino}).second)
                    continue;
                if (depth + 1 > MaxLibraryDepth)
                    m_notes.push_back(path + ": deeper than " + std::to_string(MaxLibraryDepth) +
                                      " folders, not read");
                else
                    folders.push_back(path);
            } else if (kind != FileKind::None && S_ISREG(st.st_mode) &&
                       m_files.insert({st.st_dev, st.st_ino}).second) {
                const std::int64_t mtime =
                    std::int64_t(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
                add({path, source, std::uint64_t(st.st_size), mtime, true, {}});
            }
            if (cancelled)
                return;
        }
        for (auto f = folders.rbegin(); f != folders.rend(); ++f)
            stack.emplace_back(std::move(*f), depth + 1);
    }

    void add(FoundFile file)
    {
        if (files.size() >= MaxLibraryFiles) {
            if (!m_full)
                m_notes.push_back("more than " + std::to_string(MaxLibraryFiles) +
                                  " files: the rest are left out");
            m_full = true;
            return;
        }
        files.push_back(std::move(file));
        if (m_progress && files.size() % 256 == 0 && !m_progress(0, 0))
            cancelled = true;
    }

    const LibraryProgress& m_progress;
    std::vector<std::string>& m_notes;
    std::set<NodeId> m_dirs, m_files;
    bool m_full = false;
};

std::string fileName(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

void markBroken(LibraryEntry& e, std::string reason)
{
    e.kind = LibraryEntry::Kind::Broken;
    e.manufacturer.clear();
    e.model = libraryLine(fileName(e.path));
    e.type = "broken";
    e.modes.clear();
    e.reason = libraryLine(reason, 300);
}

// A definition read for the list only: its names and its modes with their channel counts, as
// the import counts them (a channel number given twice counts once). What the import refuses is
// broken here too.
void readDefinition(std::vector<std::uint8_t>& bytes, LibraryEntry& e)
{
    pugi::xml_document doc;
    const pugi::xml_parse_result parsed = doc.load_buffer_inplace(
        bytes.data(), bytes.size(), pugi::parse_cdata | pugi::parse_escapes, pugi::encoding_auto);
    if (!parsed)
        return markBroken(e, std::string("not a readable XML file (") + parsed.description() +
                                 " at byte " + std::to_string(parsed.offset) + ")");
    const pugi::xml_node root = doc.document_element();
    if (std::strcmp(root.name(), "FixtureDefinition") != 0)
        return markBroken(e, "an XML document of another kind, not a fixture definition");
    e.kind = LibraryEntry::Kind::Definition;
    e.manufacturer = libraryLine(root.child("Manufacturer").text().get());
    e.model = libraryLine(root.child("Model").text().get());
    e.type = libraryLine(root.child("Type").text().get());
    const auto channels = root.children("Channel");
    if (std::distance(channels.begin(), channels.end()) > MaxQxfChannels)
        return markBroken(e, "defines more than " + std::to_string(MaxQxfChannels) + " channels");
    std::vector<int> numbers;
    for (const pugi::xml_node mode : root.children("Mode")) {
        if (e.modes.size() >= std::size_t(MaxQxfModes))
            return markBroken(e, "defines more than " + std::to_string(MaxQxfModes) + " modes");
        numbers.clear();
        int count = 0;
        for (const pugi::xml_node ch : mode.children("Channel")) {
            const int n = qxfNumber(ch.attribute("Number").value()).value_or(-1);
            if (n < 0)
                ++count;
            else
                numbers.push_back(n);
        }
        std::sort(numbers.begin(), numbers.end());
        count += int(std::unique(numbers.begin(), numbers.end()) - numbers.begin());
        if (count > MaxQxfModeChannels)
            return markBroken(e, "has a mode of more than " + std::to_string(MaxQxfModeChannels) +
                                     " channels");
        e.modes.push_back({libraryLine(mode.attribute("Name").value()), count});
    }
    if (e.modes.empty())
        return markBroken(e, "defines no mode");
}

void readSetupFile(const std::vector<std::uint8_t>& bytes, FixtureRecord& record, LibraryEntry& e)
{
    if (bytes.size() == LedFixtureFileSize) {
        LedFixtureRecord led;
        const std::string refused = ReadLedFixtureImage(bytes, led);
        if (!refused.empty())
            return markBroken(e, refused);
        e.kind = LibraryEntry::Kind::LedFixture;
        e.model = libraryLine(latin1ToUtf8(led.LedFixtureName.str()));
        e.type = "LED fixture";
        e.channels = led.LedChannelCount;
        return;
    }
    const std::string refused = ReadFixtureImage(bytes, record);
    if (!refused.empty())
        return markBroken(e, refused);
    e.kind = LibraryEntry::Kind::Fixture;
    e.model = libraryLine(latin1ToUtf8(record.FixHeader.FixtureName.str()));
    e.type = "fixture";
    e.channels = record.FixHeader.NumChannels;
    e.steps = 0;
    for (int c = 0; c < e.channels; ++c)
        e.steps += record.StepCount[c];
    e.problems = int(CheckFixture(record).size());
}

// Reads one file into its entry. False when the file itself could not be read (the entry is
// broken then, but not kept in a cache: the fault may pass).
bool readEntry(const FoundFile& file, FixtureRecord& record, LibraryEntry& e)
{
    e.path = file.path;
    if (!file.ok) {
        markBroken(e, "cannot be read: " + file.reason);
        return false;
    }
    const bool definition = kindOfName(file.path) == FileKind::Definition;
    if (definition && file.size > MaxQxfFileSize) {
        markBroken(e, "over 16 MiB, not a fixture definition");
        return true;
    }
    if (!definition && file.size != FixtureFileSize && file.size != LedFixtureFileSize) {
        markBroken(e, "not a fixture setup file: it is " + std::to_string(file.size) +
                          " bytes long, a fixture setup file has 6144 (an LED fixture 512)");
        return true;
    }
    std::string error;
    auto bytes = readWholeFile(file.path, &error);
    if (!bytes) {
        markBroken(e, "cannot be read: " + error);
        return false;
    }
    if (definition)
        readDefinition(*bytes, e);
    else
        readSetupFile(*bytes, record, e);
    return true;
}

void prepareForSearch(LibraryEntry& e)
{
    e.sortManufacturer = foldForSearch(e.manufacturer);
    e.sortModel = foldForSearch(e.model);
    e.searchText = e.sortManufacturer + '\n' + e.sortModel + '\n' + foldForSearch(e.type);
    if (e.kind != LibraryEntry::Kind::Definition)
        e.searchText += '\n' + foldForSearch(fileName(e.path));
}

std::uint64_t pathHash(const std::string& s)
{
    std::uint64_t h = 0xcbf29ce484222325ULL;
    for (const char c : s)
        h = (h ^ static_cast<std::uint8_t>(c)) * 0x100000001b3ULL;
    return h;
}

LibraryCache loadCache(const std::string& file, const std::string& folder, bool& valid)
{
    LibraryCache cache;
    std::error_code ec;
    const auto size = fs::file_size(file, ec);
    valid = false;
    if (ec || size > 512 * 1024 * 1024)
        return cache;
    if (const auto bytes = readWholeFile(file, nullptr))
        valid = parseLibraryCache(*bytes, folder, cache);
    return cache;
}

void saveCache(const std::string& cacheFolder, const std::string& folder,
               const std::vector<const LibraryCacheItem*>& items)
{
    std::error_code ec;
    fs::create_directories(cacheFolder, ec);
    const std::string file = libraryCacheFile(cacheFolder, folder);
    // A cache needs no sync: a file cut short by a crash fails its check and is rebuilt.
    if (const auto temp =
            writeTempFileBeside(file, libraryCacheImage(folder, items), nullptr, false))
        replaceWithTempFile(*temp, file, nullptr);
}

std::string environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

std::string userFolder(const char* xdgVariable, const char* fallback)
{
    const std::string xdg = environment(xdgVariable);
    if (!xdg.empty() && xdg.front() == '/')
        return xdg;
    return environment("HOME") + "/" + fallback;
}

} // namespace

std::string libraryCacheFile(const std::string& cacheFolder, const std::string& folder)
{
    char name[40];
    std::snprintf(name, sizeof name, "library-%016llx.cache",
                  static_cast<unsigned long long>(pathHash(folder)));
    return cacheFolder + "/" + name;
}

LibraryIndex buildLibraryIndex(const std::vector<LibrarySource>& sources,
                               const std::string& cacheFolder, const LibraryProgress& progress)
{
    LibraryIndex index;
    index.sources = sources;
    Walk walk(sources, progress, index.notes);
    if ((index.cancelled = walk.cancelled))
        return index;

    const std::size_t total = walk.files.size();
    auto record = std::make_unique<FixtureRecord>();
    std::vector<LibraryCacheItem> items(total);
    std::vector<bool> keep(total, true);
    std::size_t done = 0;
    for (int s = 0; s < int(sources.size()); ++s) {
        const std::string& folder = sources[s].folder;
        if (!walk.walked[s])
            continue; // missing, or read by an earlier source: no files of its own
        bool valid = false;
        LibraryCache cache = cacheFolder.empty()
                                 ? LibraryCache{}
                                 : loadCache(libraryCacheFile(cacheFolder, folder), folder, valid);
        std::size_t used = 0;
        bool changed = !valid;
        std::vector<const LibraryCacheItem*> kept;
        for (std::size_t f = 0; f < total; ++f) {
            const FoundFile& file = walk.files[f];
            if (file.source != s)
                continue;
            LibraryCacheItem& item = items[f];
            item.size = file.size;
            item.mtime = file.mtime;
            const auto hit = cache.find(file.path);
            if (file.ok && hit != cache.end() && hit->second.size == file.size &&
                hit->second.mtime == file.mtime) {
                item.entry = std::move(hit->second.entry);
                ++used;
            } else {
                keep[f] = readEntry(file, *record, item.entry);
                changed = true;
                ++index.readFiles;
            }
            if (keep[f])
                kept.push_back(&item);
            ++done;
            if (progress && (done % 32 == 0 || done == total) && !progress(done, total)) {
                index.cancelled = true;
                return index;
            }
        }
        index.cachedFiles += used;
        // A file gone since the cache was written also makes it stale.
        if (!cacheFolder.empty() && (changed || used != cache.size()))
            saveCache(cacheFolder, folder, kept);
    }
    index.entries.reserve(total);
    for (std::size_t f = 0; f < total; ++f) {
        LibraryEntry& e = items[f].entry;
        e.source = walk.files[f].source;
        prepareForSearch(e);
        index.entries.push_back(std::move(e));
    }
    std::sort(index.entries.begin(), index.entries.end(),
              [](const LibraryEntry& a, const LibraryEntry& b) {
                  return std::tie(a.sortManufacturer, a.sortModel, a.path) <
                         std::tie(b.sortManufacturer, b.sortModel, b.path);
              });
    return index;
}

std::vector<std::size_t> searchLibrary(const std::vector<LibraryEntry>& entries,
                                       std::string_view query)
{
    std::vector<std::string> words;
    const std::string folded = foldForSearch(query);
    for (std::size_t i = 0; i < folded.size();) {
        const std::size_t end = std::min(folded.find_first_of(" \t\r\n", i), folded.size());
        if (end > i)
            words.push_back(folded.substr(i, end - i));
        i = end + 1;
    }
    std::vector<std::size_t> found;
    for (std::size_t k = 0; k < entries.size(); ++k) {
        const std::string& text = entries[k].searchText;
        if (std::all_of(words.begin(), words.end(),
                        [&](const std::string& w) { return text.find(w) != std::string::npos; }))
            found.push_back(k);
    }
    return found;
}

std::string libraryChannelsText(const LibraryEntry& entry, std::string_view separator)
{
    switch (entry.kind) {
    case LibraryEntry::Kind::Definition: {
        std::string text;
        for (const LibraryMode& m : entry.modes)
            text += (text.empty() ? "" : std::string(separator)) + std::to_string(m.channels);
        return text;
    }
    case LibraryEntry::Kind::Fixture:
    case LibraryEntry::Kind::LedFixture: return std::to_string(entry.channels);
    case LibraryEntry::Kind::Broken: break;
    }
    return {};
}

std::vector<LibrarySource> standardLibrarySources()
{
    std::vector<LibrarySource> sources{{"/usr/share/qlcplus/fixtures", "QLC+", true}};
    if (const std::string own = environment("QLCPLUS_FIXTURES_DIR"); !own.empty())
        sources.push_back({own, "QLC+", true});
    if (const std::string home = environment("HOME"); !home.empty())
        sources.push_back({home + "/.qlcplus/fixtures", "QLC+ user", true});
    return sources;
}

std::string standardLibraryCacheFolder()
{
    return userFolder("XDG_CACHE_HOME", ".cache") + "/" + std::string(ApplicationName);
}

std::string standardLibrarySettingsFile()
{
    return userFolder("XDG_CONFIG_HOME", ".config") + "/" + std::string(ApplicationName) +
           "/Editor.ini";
}

} // namespace fx
