#pragma once

// The parts of turning one ".qxf" mode into a fixture record, shared by QxfImport.cpp (reading,
// the record's header, types and values) and the files of the parts: QxfNames.cpp (readable
// names and the name set), QxfPairing.cpp (16-bit pairs), QxfSteps.cpp (which channels keep
// their steps, and the steps) and QxfPalettes.cpp (palettes from the wheels' slots).

#include "core/ChNameSet.h"
#include "core/QxfImport.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace fx::qxf {

// ---- text ----

inline bool startsWith(std::string_view s, std::string_view prefix)
{
    return s.substr(0, prefix.size()) == prefix;
}

inline bool endsWith(std::string_view s, std::string_view suffix)
{
    return s.size() >= suffix.size() && s.substr(s.size() - suffix.size()) == suffix;
}

// Lower case of a Latin-1 (or ASCII) text, for comparisons that ignore letter case.
std::string folded(std::string_view latin1);
// The words of a Latin-1 text: runs of letters and digits.
std::vector<std::string> words(std::string_view latin1);
std::string quotedLatin1(std::string_view latin1);
// A text from the file quoted in a message, cut so that a hostile file cannot flood the report.
std::string shown(std::string_view utf8, std::size_t width = 40);

// ---- one channel of the mode on its way into the record ----

struct Slot {
    const QxfChannel* ch = nullptr;
    int index = 0;         // 0-based in the mode
    std::string preset;    // the channel's preset; an intensity colour without one gets its own
    std::string name;      // Latin-1, readable (byte words and idle punctuation off), not cut
    bool replaced = false; // characters of the name had no Latin-1 form
    bool fine = false;     // the fine byte of a 16-bit value
    int caps = 0;          // capabilities kept (at most 256)
    int offer = 0;         // steps the capabilities give: 0 for fewer than two, at most 255
    // results
    bool assigned = false;
    bool ownName = false;  // keeps its own name (no entry of the name set)
    std::string finalName; // Latin-1, at most 12
    std::uint8_t code = 0;
    int partner = -1;
    std::vector<std::string> stem; // pairStem of the name, filled by pairChannels

    // "channel N \"its name in the file\"" for the report (UTF-8).
    std::string label() const;
};

std::vector<Slot> makeSlots(const QxfDefinition& def, const QxfMode& mode);

// ---- names (QxfNames.cpp) ----

// A channel name made readable: the byte words ("MSB", "LSB", "(MSB)", "coarse", "16-bit",
// "16bit", "16 bit", "least/most significant byte") taken off, commas and brackets dropped, a
// trailing colon or dash dropped; a fine channel keeps one word "Fine". tag is a number that
// tells heads or segments apart ("2", "Head 2", "Z3"), kept at the end when the name is cut.
struct ReadableName {
    std::vector<std::string> words; // in order, without the tag; "Fine" among them when fine
    std::vector<std::string> tag;   // empty, a number, or a unit word and a number
    std::string text() const;       // words and tag, one blank between
};
ReadableName readableName(std::string_view latin1, bool fine);
// The readable name's text; fine also when the name says "fine" or "LSB".
std::string readableText(std::string_view latin1, bool fine);
// The name cut to width preferring whole words, the tag kept at the end ("Head 2" may become
// "H2"), "Fine" kept for a fine channel.
std::string fitName(const ReadableName& name, std::size_t width);
// What two channels of a 16-bit pair have in common: the readable name's words in lower case
// without "fine" and the byte words, "colour" as "color", a plural "s" off.
std::vector<std::string> pairStem(std::string_view latin1);

// Gives every slot its name and function code; missing collects the names the set lacks.
void assignNames(std::vector<Slot>& slots, const ChNameSet& names, std::vector<std::string>& report,
                 std::vector<std::string>& missing, std::vector<int>& missingChannels);

// ---- pairs (QxfPairing.cpp) ----

// Sets partner on both channels of each pair the definition makes certain; reports each fine
// channel left single.
void pairChannels(std::vector<Slot>& slots, std::vector<std::string>& report);

// ---- steps (QxfSteps.cpp) ----

// Per slot: whether its steps go into the record. Empty result on success; else a one-line
// refusal (a listed channel the mode lacks).
std::string chooseSteps(const std::vector<Slot>& slots, const QxfImportOptions& options,
                        std::vector<bool>& chosen);
// Writes the chosen channels' steps into the record and reports what was corrected, cut or left
// out.
void fillSteps(FixtureRecord& record, const std::vector<Slot>& slots,
               const std::vector<bool>& chosen, std::vector<std::string>& report);

// ---- palettes (QxfPalettes.cpp) ----

// Palette 1 "Colour" and palette 2 "Gobo" from the first colour and gobo wheel.
void fillPalettes(FixtureRecord& record, const std::vector<Slot>& slots,
                  std::vector<std::string>& report);

struct CorrectedRange {
    int from = 0, to = 0;
    bool changed = false;
};
// A capability's range within 0 to 255, From not above To.
CorrectedRange corrected(const QxfCapability& cap);

} // namespace fx::qxf
