// Fuzz target for the two readers of the channel name set file ("ChNameSet.fix") and the
// writers that follow them: the channel name editor's load (580-byte threshold) and save, and
// the fixture editor's load (560-byte threshold) and the one-entry append.
#include "FuzzCheck.h"
#include "core/ChNameSet.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace {

const fx::ChNameSet& defaults()
{
    static const fx::ChNameSet set = [] {
        fx::ChNameSet s;
        fx::InitChNameSet(s);
        return s;
    }();
    return set;
}

// The bytes outside [from, to) of a and b agree, and b is at least as long as a.
bool sameOutside(std::span<const std::uint8_t> a, std::span<const std::uint8_t> b, std::size_t from,
                 std::size_t to)
{
    if (b.size() < a.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if ((i < from || i >= to) && a[i] != b[i])
            return false;
    return true;
}

void checkEditor(std::span<const std::uint8_t> file)
{
    fx::ChNameSet set = fx::loadChNameSetForEditor(file);
    if (file.size() < fx::ChNameEditorMinFileSize) {
        FUZZ_CHECK(fuzz::sameSet(set, defaults()), "a short file did not give the defaults");
    } else {
        for (int p = 0; p < fx::ChNameCount; ++p) {
            const std::size_t at = p * fx::ChNameEntrySize;
            if (at + fx::ChNameEntrySize > file.size())
                break;
            const auto bytes = fx::chNameEntryBytes(set[p]);
            FUZZ_CHECK(std::equal(bytes.begin(), bytes.end(), file.begin() + at),
                       "an entry inside the file was not read as stored");
        }
    }

    // Save: the whole set from offset 0, a longer tail kept; opening the result gives the set.
    fx::clearEmptyUserEntries(set);
    const std::vector<std::uint8_t> saved = fx::savedChNameFile(file, set);
    FUZZ_CHECK(saved.size() == std::max(file.size(), fx::ChNameFileSize), "saved file length");
    FUZZ_CHECK(sameOutside(file, saved, 0, fx::ChNameFileSize), "the save changed the tail");
    FUZZ_CHECK(fuzz::sameSet(fx::loadChNameSetForEditor(saved), set), "save and load differ");
    const auto image = fx::chNameSetImage(set);
    FUZZ_CHECK(std::equal(image.begin(), image.end(), saved.begin()), "saved image differs");
}

void checkFixtureEditor(std::span<const std::uint8_t> file)
{
    fx::ChNameSet set = defaults();
    const bool read = fx::loadChNameSetForFixtureEditor(file, set);
    FUZZ_CHECK(read == (file.size() >= fx::FixtureEditorMinFileSize), "560-byte threshold");
    if (!read) {
        FUZZ_CHECK(fuzz::sameSet(set, defaults()), "an unread file changed the set");
        return;
    }

    // Append a name taken from the file itself: one 14-byte entry changes, nothing else.
    const std::string_view name(reinterpret_cast<const char*>(file.data()),
                                std::min<std::size_t>(file.size(), 12));
    const std::optional<int> free = fx::firstFreeUserPosition(set);
    const fx::ChNameSet before = set;
    const std::optional<int> k = fx::AppendChName(set, name);
    FUZZ_CHECK(k == free, "the name did not go to the first free user position");
    if (!k) {
        FUZZ_CHECK(fuzz::sameSet(set, before), "a full set changed on append");
        return;
    }
    FUZZ_CHECK(*k >= fx::FirstUserPosition && *k < fx::ChNameCount, "append position");
    FUZZ_CHECK(set[*k].ChIndex == *k && set[*k].ChCode == *k + 3, "appended index and code");
    const std::size_t at = static_cast<std::size_t>(*k) * fx::ChNameEntrySize;
    const std::vector<std::uint8_t> appended = fx::appendedEntryFile(file, set, *k);
    FUZZ_CHECK(appended.size() == std::max(file.size(), at + fx::ChNameEntrySize),
               "appended file length");
    FUZZ_CHECK(sameOutside(file, appended, at, at + fx::ChNameEntrySize),
               "the append changed bytes beside its entry");
    fx::ChNameSet reread{};
    FUZZ_CHECK(fx::loadChNameSetForFixtureEditor(appended, reread), "appended file unreadable");
    FUZZ_CHECK(fuzz::sameEntry(reread[*k], set[*k]), "appended entry reads back differently");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::uint8_t> file(data, size);
    checkEditor(file);
    checkFixtureEditor(file);
    return 0;
}
