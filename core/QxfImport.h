#pragma once

#include "core/ChNameSet.h"
#include "core/FixtureRecord.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace fx {

// Fixture definitions in the open ".qxf" XML format, turned into the console's fixture record.
//
// A definition holds Manufacturer, Model, Type, the Channel definitions (Name, optional Preset
// and Default, Group with its Byte, Colour, Capability ranges) and the Modes, each naming
// channels in DMX order. The reader (pugixml) handles only the five predefined entities and
// character references: it never expands an entity declared in a DOCTYPE and never reads an
// external one, so an entity bomb stays a few bytes of literal text.

// Larger files are refused before they are read; real definitions are a few kilobytes.
constexpr std::size_t MaxQxfFileSize = 16 * 1024 * 1024;
// Far beyond any real definition; a file over these is refused as not sane.
constexpr int MaxQxfChannels = 4096;
constexpr int MaxQxfModes = 256;
constexpr int MaxQxfModeChannels = 512; // a DMX universe

struct QxfCapability {
    std::optional<int> min; // as written; none when missing or not a number
    std::optional<int> max;
    std::string name;   // UTF-8 as in the file
    std::string preset; // empty when none
};

struct QxfChannel {
    std::string name;   // UTF-8 as in the file
    std::string preset; // empty when none
    std::string group;  // "Intensity", "Colour", ..., taken from the preset when there is one
    int byte = 0;       // 0 coarse, 1 fine
    std::string colour; // of an intensity channel: "Red", "Green", ...; empty when none
    std::optional<int> defaultValue;
    std::vector<QxfCapability> capabilities; // the first 256 of the file
    int capabilityCount = 0;                 // all of the file
    bool defined = true;                     // false for a name a mode uses that no Channel defines
};

struct QxfPhysical {
    int panMax = 0;
    int tiltMax = 0;
};

struct QxfMode {
    std::string name;          // UTF-8, whitespace runs made one blank and ends trimmed
    std::vector<int> channels; // indices into QxfDefinition::channels, in DMX order
    std::optional<QxfPhysical> physical;
    std::vector<std::string> notes; // what reading the mode corrected (UTF-8 lines)

    int channelCount() const { return static_cast<int>(channels.size()); }
    // 1 to 40 channels: a fixture setup file can hold it.
    bool fits() const { return !channels.empty() && channels.size() <= MaxChannels; }
};

struct QxfDefinition {
    std::string manufacturer, model, type; // UTF-8
    std::vector<QxfChannel> channels;
    std::vector<QxfMode> modes;
    std::optional<QxfPhysical> physical; // the fixture's own, for modes without one
};

// Reads a definition from the bytes of a file. Empty result on success; else a one-line message
// (not XML, another kind of XML document, no mode at all, too large) and def is unspecified.
std::string parseQxf(std::span<const std::uint8_t> bytes, QxfDefinition& def);

// Reads the file at path (refused before reading when larger than MaxQxfFileSize) and parses it.
std::string loadQxfFile(const std::string& path, QxfDefinition& def);

// The mode with the most channels that fits in 40, the first in the file on a tie; none when no
// mode fits.
std::optional<int> defaultQxfMode(const QxfDefinition& def);

// The mode whose name equals name with blanks at both ends trimmed (compared with the mode's
// name as read, whitespace runs made one blank); none when there is no such mode.
std::optional<int> findQxfMode(const QxfDefinition& def, std::string_view name);

// Which channels keep their steps when the capabilities of a mode exceed the file's 204 slots.
enum class QxfStepChoice {
    Auto,   // by order of use on a console, whole channels only, see chooseQxfSteps
    All,    // every channel; the file keeps the first 204 in channel order
    Listed, // the channels named in QxfImportOptions::channels
};

struct QxfImportOptions {
    QxfStepChoice steps = QxfStepChoice::Auto;
    std::vector<int> channels; // Listed: channel numbers in the mode (1-based), each once
};

// Reads "all", "auto" or a list of channel numbers "3,7,12" (1 to 40, each once) into options.
// Empty result on success; else a one-line message.
std::string parseQxfSteps(std::string_view text, QxfImportOptions& options);

// One mode imported into a new fixture record.
struct QxfImport {
    std::unique_ptr<FixtureRecord> record; // PalChannels = NumChannels, FuncMap not yet built
    // What was changed, cut or defaulted, and what the file cannot hold: UTF-8, one item a line.
    std::vector<std::string> report;
    // Channel names (Latin-1, as stored in the record) the name set lacks, in channel order, to be
    // offered for adding; the channels carrying them have function code 0 until added.
    std::vector<std::string> missingNames;
    int stepTotal = 0;         // steps in the record, all channels
    std::vector<int> stepLoss; // per channel in use: steps a file cannot hold
    // Per channel in use: the steps its capabilities give (0 for fewer than two ranges), whether
    // or not the choice of steps kept them in the record.
    std::vector<int> stepOffer;
    // The channels (0-based) carrying missingNames, one each.
    std::vector<int> missingChannels;
};

// "channel N \"its name in the file\"" for channel (0-based) of mode, as the report names it.
std::string qxfChannelLabel(const QxfDefinition& def, int mode, int channel);

// The leading decimal integer of an attribute as the import reads it (blanks around it
// allowed); none for anything else. Huge values saturate at +-1000000, so that they are still
// seen as out of range.
std::optional<int> qxfNumber(const char* text);

// One line per channel of an import whose name the set lacks, naming the channel as the report
// does.
std::vector<std::string> qxfNameRemarks(const QxfDefinition& def, int mode, const QxfImport& imp);

// Imports mode (an index into def.modes) using the channel names and codes of names. Empty
// result on success; else a one-line message (the mode does not exist, has no channels, has more
// than 40, options name a channel the mode lacks) and out is left as it was.
std::string importQxfMode(const QxfDefinition& def, int mode, const ChNameSet& names,
                          QxfImport& out, const QxfImportOptions& options = {});

// After names were added to the set: every channel in use with code 0 whose name is now an entry
// of the set, with a code no other channel carries, takes that code. Returns how many did.
int takeAddedNameCodes(FixtureRecord& record, const ChNameSet& names);

} // namespace fx
