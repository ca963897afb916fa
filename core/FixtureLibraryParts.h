#pragma once

// The inner parts of the fixture library shared by its source files (not for other callers).

#include "core/FixtureLibrary.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace fx {

// A text from a file as one line: control characters and blank runs become one blank, both ends
// trimmed, cut to maxBytes without splitting a UTF-8 sequence.
std::string libraryLine(std::string_view utf8, std::size_t maxBytes = 200);

// A file as the cache of its folder keeps it: the entry and what it was read from.
struct LibraryCacheItem {
    std::uint64_t size = 0;
    std::int64_t mtime = 0; // nanoseconds since the epoch
    LibraryEntry entry;     // the search and sort texts empty
};
using LibraryCache = std::unordered_map<std::string, LibraryCacheItem>; // by path

// The cache of folder from its file image. False, with cache empty, when the image does not
// check out: another folder's, another version, cut short, damaged.
bool parseLibraryCache(std::span<const std::uint8_t> bytes, const std::string& folder,
                       LibraryCache& cache);
// The file image of the cache of folder holding items.
std::vector<std::uint8_t> libraryCacheImage(const std::string& folder,
                                            const std::vector<const LibraryCacheItem*>& items);

} // namespace fx
