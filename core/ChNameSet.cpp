#include "core/ChNameSet.h"

#include <algorithm>

namespace fx {

const std::array<DefaultChName, DefaultNameCount>& defaultChNames()
{
    static const std::array<DefaultChName, DefaultNameCount> names = {{
        {"Pan", 6},       {"Tilt", 7},      {"Dimmer", 3},    {"Colour", 9},     {"Shutter", 4},
        {"Iris", 5},      {"Colour1", 8},   {"Focus", 10},    {"Zoom", 11},      {"Gobo", 12},
        {"Gobo1", 13},    {"GoboRot", 14},  {"GoboSpin", 15}, {"P/T Speed", 16}, {"Speed", 17},
        {"Effect", 18},   {"Yellow", 19},   {"Magenta", 20},  {"Cyan", 21},      {"Red", 22},
        {"Blue", 23},     {"Rotation", 24}, {"Rot Gobo", 25}, {"Prism", 26},     {"Prsm Rot", 27},
        {"Macros", 28},   {"Special", 29},  {"FanSpd", 30},   {"Function", 31},  {"Head", 32},
        {"HeadFine", 33}, {"HeadSpd", 34},  {"Mirror", 35},   {"Mir.Fin", 36},   {"Mir.Spd", 37},
        {"Movement", 38}, {"Laster", 39},   {"BeamShap", 40}, {"Strobe", 41},    {"ClrRotat", 42},
        {"DimSpeed", 43},
    }};
    return names;
}

namespace {

ChNameRec emptyEntry()
{
    return ChNameRec{0, 0, FixedText<12>::blanks()};
}

ChNameRec entryFromBytes(std::span<const std::uint8_t> bytes)
{
    ChNameRec rec;
    rec.ChIndex = bytes[0];
    rec.ChCode = bytes[1];
    std::copy_n(bytes.begin() + 2, 12, rec.SetName.bytes.begin());
    return rec;
}

} // namespace

void InitChNameSet(ChNameSet& set)
{
    set.fill(emptyEntry());
    const auto& defaults = defaultChNames();
    for (int p = 0; p < DefaultNameCount; ++p) {
        set[p].ChIndex = static_cast<std::uint8_t>(p);
        set[p].ChCode = defaults[p].code;
        set[p].SetName.assign(defaults[p].name);
    }
}

void StoreChName(ChNameSet& set, int position, std::string_view latin1Text)
{
    if (position < 0 || position >= ChNameCount)
        return;
    ChNameRec& rec = set[position];
    rec.ChIndex = static_cast<std::uint8_t>(position);
    rec.SetName.assign(latin1Text);
    if (position >= FirstCodedPosition)
        rec.ChCode = static_cast<std::uint8_t>(position + 3);
}

std::optional<int> firstFreeUserPosition(const ChNameSet& set)
{
    for (int k = FirstUserPosition; k < ChNameCount; ++k) {
        if (set[k].SetName.isBlank())
            return k;
    }
    return std::nullopt;
}

bool isListedChName(const ChNameRec& rec)
{
    return rec.SetName.bytes[0] != 0 && !rec.SetName.isBlank();
}

namespace {

// Latin-1 letters folded to lower case: A-Z and the accented capitals 0xC0..0xDE but 0xD7.
std::uint8_t foldLatin1(std::uint8_t c)
{
    const bool upper = (c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7);
    return upper ? static_cast<std::uint8_t>(c + 0x20) : c;
}

} // namespace

bool sameChName(std::string_view latin1A, std::string_view latin1B)
{
    const auto a = FixedText<12>::fromText(latin1A).bytes;
    const auto b = FixedText<12>::fromText(latin1B).bytes;
    return std::equal(a.begin(), a.end(), b.begin(), [](std::uint8_t x, std::uint8_t y) {
        return foldLatin1(x) == foldLatin1(y);
    });
}

TypedNameVerdict judgeTypedName(const ChNameSet& set, std::string_view latin1Typed)
{
    if (FixedText<12>::fromText(latin1Typed).isBlank())
        return TypedNameVerdict::Nothing;
    if (std::all_of(set.begin(), set.end(), isListedChName))
        return TypedNameVerdict::ListFull;
    const bool known = std::any_of(set.begin(), set.end(), [&](const ChNameRec& rec) {
        return isListedChName(rec) && sameChName(rec.SetName.str(), latin1Typed);
    });
    if (known)
        return TypedNameVerdict::Known;
    return firstFreeUserPosition(set) ? TypedNameVerdict::OfferToAdd
                                      : TypedNameVerdict::NoFreePlace;
}

std::optional<int> AppendChName(ChNameSet& set, std::string_view latin1Name)
{
    const std::optional<int> k = firstFreeUserPosition(set);
    if (!k)
        return std::nullopt;
    ChNameRec& rec = set[*k];
    rec.ChIndex = static_cast<std::uint8_t>(*k);
    rec.ChCode = static_cast<std::uint8_t>(*k + 3);
    rec.SetName.assign(latin1Name);
    return k;
}

std::array<std::uint8_t, ChNameEntrySize> chNameEntryBytes(const ChNameRec& rec)
{
    std::array<std::uint8_t, ChNameEntrySize> bytes{};
    bytes[0] = rec.ChIndex;
    bytes[1] = rec.ChCode;
    std::copy(rec.SetName.bytes.begin(), rec.SetName.bytes.end(), bytes.begin() + 2);
    return bytes;
}

std::vector<std::uint8_t> chNameSetImage(const ChNameSet& set)
{
    std::vector<std::uint8_t> image;
    image.reserve(ChNameFileSize);
    for (const ChNameRec& rec : set) {
        const auto bytes = chNameEntryBytes(rec);
        image.insert(image.end(), bytes.begin(), bytes.end());
    }
    return image;
}

ChNameSet loadChNameSetForEditor(std::span<const std::uint8_t> fileBytes)
{
    ChNameSet set;
    if (fileBytes.size() < ChNameEditorMinFileSize) {
        InitChNameSet(set);
        return set;
    }
    for (int p = 0; p < ChNameCount; ++p) {
        const std::size_t at = ChNameEntrySize * p;
        // Entries a short file does not reach are empty.
        set[p] = at + ChNameEntrySize <= fileBytes.size()
                     ? entryFromBytes(fileBytes.subspan(at, ChNameEntrySize))
                     : emptyEntry();
    }
    return set;
}

bool loadChNameSetForFixtureEditor(std::span<const std::uint8_t> fileBytes, ChNameSet& set)
{
    if (fileBytes.size() < FixtureEditorMinFileSize)
        return false;
    // The whole table in one piece: whatever a short file does not reach reads as zero bytes.
    std::array<std::uint8_t, ChNameFileSize> image{};
    std::copy_n(fileBytes.begin(), std::min(fileBytes.size(), ChNameFileSize), image.begin());
    for (int p = 0; p < ChNameCount; ++p)
        set[p] = entryFromBytes(
            std::span<const std::uint8_t>(image).subspan(ChNameEntrySize * p, ChNameEntrySize));
    return true;
}

void clearEmptyUserEntries(ChNameSet& set)
{
    for (int p = FirstUserPosition; p < ChNameCount; ++p) {
        if (set[p].SetName.isBlank()) {
            set[p].ChIndex = 0;
            set[p].ChCode = 0;
        }
    }
}

std::vector<std::uint8_t> savedChNameFile(std::span<const std::uint8_t> oldFile,
                                          const ChNameSet& set)
{
    std::vector<std::uint8_t> file = chNameSetImage(set);
    if (oldFile.size() > file.size())
        file.insert(file.end(), oldFile.begin() + static_cast<std::ptrdiff_t>(file.size()),
                    oldFile.end());
    return file;
}

std::vector<std::uint8_t> appendedEntryFile(std::span<const std::uint8_t> oldFile,
                                            const ChNameSet& set, int position)
{
    std::vector<std::uint8_t> file(oldFile.begin(), oldFile.end());
    if (position < 0 || position >= ChNameCount)
        return file;
    const std::size_t at = ChNameEntrySize * position;
    if (file.size() < at + ChNameEntrySize)
        file.resize(at + ChNameEntrySize, 0);
    const auto bytes = chNameEntryBytes(set[position]);
    std::copy(bytes.begin(), bytes.end(), file.begin() + static_cast<std::ptrdiff_t>(at));
    return file;
}

} // namespace fx
