// The cache file of one library folder, little-endian throughout:
//
//   "ORVA-LIB", u32 version, text folder, u32 file count, per file:
//     text path, u64 size, i64 modification time (ns), u8 kind, text manufacturer, model, type,
//     u32 mode count with per mode text name and u32 channels, u32 channels, u32 steps,
//     u32 problems, text reason
//   u64 FNV-1a hash of every byte before it
//
// where a text is a u32 byte count and the UTF-8 bytes. A cache is only a copy of what the files
// say: anything that does not check out throws the whole file away.

#include "core/FixtureLibraryParts.h"

#include <cstring>

namespace fx {

namespace {

constexpr char Magic[8] = {'O', 'R', 'V', 'A', '-', 'L', 'I', 'B'};
constexpr std::uint32_t Version = 1;
constexpr std::uint32_t MaxText = 64 * 1024;

std::uint64_t fnv1a(std::span<const std::uint8_t> bytes)
{
    std::uint64_t h = 0xcbf29ce484222325ULL;
    for (const std::uint8_t b : bytes)
        h = (h ^ b) * 0x100000001b3ULL;
    return h;
}

struct Writer {
    std::vector<std::uint8_t> out;
    void u(std::uint64_t v, int bytes)
    {
        for (int k = 0; k < bytes; ++k)
            out.push_back(static_cast<std::uint8_t>(v >> (8 * k)));
    }
    void text(const std::string& s)
    {
        const std::size_t n = std::min<std::size_t>(s.size(), MaxText);
        u(n, 4);
        out.insert(out.end(), s.begin(), s.begin() + std::ptrdiff_t(n));
    }
};

struct Reader {
    std::span<const std::uint8_t> in;
    std::size_t at = 0;
    bool ok = true;
    std::uint64_t u(int bytes)
    {
        if (!ok || in.size() - at < std::size_t(bytes)) {
            ok = false;
            return 0;
        }
        std::uint64_t v = 0;
        for (int k = 0; k < bytes; ++k)
            v |= std::uint64_t(in[at++]) << (8 * k);
        return v;
    }
    int count(std::uint32_t limit)
    {
        const std::uint64_t v = u(4);
        ok = ok && v <= limit;
        return ok ? int(v) : 0;
    }
    std::string text()
    {
        const std::uint64_t n = u(4);
        if (!ok || n > MaxText || in.size() - at < n) {
            ok = false;
            return {};
        }
        std::string s(reinterpret_cast<const char*>(in.data() + at), std::size_t(n));
        at += std::size_t(n);
        return s;
    }
};

} // namespace

std::vector<std::uint8_t> libraryCacheImage(const std::string& folder,
                                            const std::vector<const LibraryCacheItem*>& items)
{
    Writer w;
    w.out.insert(w.out.end(), std::begin(Magic), std::end(Magic));
    w.u(Version, 4);
    w.text(folder);
    w.u(items.size(), 4);
    for (const LibraryCacheItem* item : items) {
        const LibraryEntry& e = item->entry;
        w.text(e.path);
        w.u(item->size, 8);
        w.u(static_cast<std::uint64_t>(item->mtime), 8);
        w.u(static_cast<std::uint8_t>(e.kind), 1);
        w.text(e.manufacturer);
        w.text(e.model);
        w.text(e.type);
        w.u(e.modes.size(), 4);
        for (const LibraryMode& m : e.modes) {
            w.text(m.name);
            w.u(std::uint32_t(m.channels), 4);
        }
        w.u(std::uint32_t(e.channels), 4);
        w.u(std::uint32_t(e.steps), 4);
        w.u(std::uint32_t(e.problems), 4);
        w.text(e.reason);
    }
    w.u(fnv1a(w.out), 8);
    return std::move(w.out);
}

bool parseLibraryCache(std::span<const std::uint8_t> bytes, const std::string& folder,
                       LibraryCache& cache)
{
    cache.clear();
    if (bytes.size() < sizeof Magic + 8 || std::memcmp(bytes.data(), Magic, sizeof Magic) != 0)
        return false;
    const std::span<const std::uint8_t> body = bytes.first(bytes.size() - 8);
    Reader hash{bytes.last(8)};
    if (hash.u(8) != fnv1a(body))
        return false;
    Reader r{body, sizeof Magic};
    if (r.u(4) != Version || r.text() != folder || !r.ok)
        return false;
    // Each file takes at least 50 bytes, which bounds the count by the size.
    const int files = r.count(std::uint32_t(body.size() / 50));
    for (int f = 0; f < files && r.ok; ++f) {
        LibraryCacheItem item;
        LibraryEntry& e = item.entry;
        e.path = r.text();
        item.size = r.u(8);
        item.mtime = static_cast<std::int64_t>(r.u(8));
        const auto kind = r.u(1);
        r.ok = r.ok && kind <= std::uint64_t(LibraryEntry::Kind::Broken);
        e.kind = static_cast<LibraryEntry::Kind>(kind);
        e.manufacturer = r.text();
        e.model = r.text();
        e.type = r.text();
        const int modes = r.count(256);
        for (int m = 0; m < modes && r.ok; ++m) {
            std::string name = r.text();
            e.modes.push_back({std::move(name), r.count(100000)});
        }
        e.channels = r.count(100000);
        e.steps = r.count(1000000);
        e.problems = r.count(1000000);
        e.reason = r.text();
        if (r.ok)
            cache.insert_or_assign(e.path, std::move(item));
    }
    if (!r.ok || r.at != body.size()) {
        cache.clear();
        return false;
    }
    return true;
}

} // namespace fx
