#pragma once

#include "core/FixedText.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace fx {

// One entry of the channel name set: a name and the function code every channel using it takes.
struct ChNameRec {
    std::uint8_t ChIndex = 0;
    std::uint8_t ChCode = 0;
    FixedText<12> SetName; // empty entry: 12 blanks; never written: 12 zero bytes

    bool operator==(const ChNameRec&) const = default;
};

constexpr int ChNameCount = 253;
constexpr std::size_t ChNameEntrySize = 14;
constexpr std::size_t ChNameFileSize = ChNameCount * ChNameEntrySize; // 3542
constexpr int FirstUserPosition = 59;    // names added from the fixture editor go to 59..252
constexpr int FirstCodedPosition = 42;   // a name stored at 42 or above gets code position + 3
constexpr int FirstEditablePosition = 4; // positions 0..3 are fixed in the channel name editor
constexpr int DefaultNameCount = 41;
constexpr std::size_t ChNameEditorMinFileSize = 580;  // the channel name editor reads from here on
constexpr std::size_t FixtureEditorMinFileSize = 560; // the fixture editor reads from here on

using ChNameSet = std::array<ChNameRec, ChNameCount>;

struct DefaultChName {
    const char* name;
    std::uint8_t code;
};
// The 41 default names of positions 0..40 with their codes ("Pan" 6, "Tilt" 7, "Dimmer" 3, ...).
const std::array<DefaultChName, DefaultNameCount>& defaultChNames();

// Every entry empty (index 0, code 0, 12 blanks), then the 41 defaults at positions 0..40 with
// ChIndex = position.
void InitChNameSet(ChNameSet& set);

// The channel name editor's commit of one cell: ChIndex = position, SetName = text cut or padded
// to 12, and ChCode = position + 3 only for positions 42 and above.
void StoreChName(ChNameSet& set, int position, std::string_view latin1Text);

// The first position 59..252 whose name is exactly 12 blanks, or nothing.
std::optional<int> firstFreeUserPosition(const ChNameSet& set);

// Whether an entry is offered in the fixture editor's name list: written (first byte not 0) and
// not blank.
bool isListedChName(const ChNameRec& rec);

// Two names as the name set compares them: 12-character fields (cut or padded with blanks),
// letters in either case alike (Latin-1).
bool sameChName(std::string_view latin1A, std::string_view latin1B);

// What a name typed into a channel's name cell calls for (CheckTypedName), checked in this order.
enum class TypedNameVerdict {
    Nothing,     // blank: nothing to check
    ListFull,    // all 253 entries are listed: "Over Channel Name Index!", known name or not
    Known,       // a listed entry has the name: the channel takes that entry
    NoFreePlace, // unknown, and no user position is free: refused
    OfferToAdd,  // unknown: the user is asked whether to add it
};
TypedNameVerdict judgeTypedName(const ChNameSet& set, std::string_view latin1Typed);

// Stores name at the first free user position k (ChIndex k, ChCode k + 3) and returns k;
// nothing when no user position is free. Writes no file: see appendedEntryFile.
std::optional<int> AppendChName(ChNameSet& set, std::string_view latin1Name);

// The 14 bytes of one entry and the 3542-byte image of the whole set.
std::array<std::uint8_t, ChNameEntrySize> chNameEntryBytes(const ChNameRec& rec);
std::vector<std::uint8_t> chNameSetImage(const ChNameSet& set);

// The channel name editor's load: a file under 580 bytes gives the defaults; otherwise all 253
// entries are read from the start, entries beyond the end of a short file are empty.
ChNameSet loadChNameSetForEditor(std::span<const std::uint8_t> fileBytes);

// The fixture editor's load: a file of 560 bytes or more replaces the set (entries beyond the end
// of the file are zero bytes, which the name list skips); a shorter file leaves the set as it
// was. Returns whether the file was read.
bool loadChNameSetForFixtureEditor(std::span<const std::uint8_t> fileBytes, ChNameSet& set);

// The channel name editor's save: positions 59..252 whose name is blank get ChIndex and ChCode
// 0 (positions 0..58 are left as they are).
void clearEmptyUserEntries(ChNameSet& set);

// The file content after a save of the whole set over oldFile: the 3542 bytes of the set from
// offset 0, any longer tail of the old file kept.
std::vector<std::uint8_t> savedChNameFile(std::span<const std::uint8_t> oldFile,
                                          const ChNameSet& set);

// The file content after one entry was appended at position k: the 14 bytes at offset 14 k
// replaced, the rest of the old file unchanged (zero-filled up to the entry if the file was
// shorter).
std::vector<std::uint8_t> appendedEntryFile(std::span<const std::uint8_t> oldFile,
                                            const ChNameSet& set, int position);

} // namespace fx
