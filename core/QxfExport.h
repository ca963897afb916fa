#pragma once

#include "core/FixtureRecord.h"

#include <string>
#include <string_view>
#include <vector>

namespace fx {

// The fixture record written as a fixture definition in the open ".qxf" XML format, so that
// other lighting software can use a fixture made for the console.
//
// The definition holds one mode, "<N> Channel", naming every channel in use in order; each
// channel carries its name, a Preset or a Group with its Byte (from its function code, a 16-bit
// low channel taking the fine byte of its partner's), its value as Default and one Capability per
// step. Physical/Focus carries the degrees. Importing the export gives back the channel names,
// function codes (through the same channel name set), 16-bit pairs, values, steps and degrees.

struct QxfExportOptions {
    std::string manufacturer = "Unknown"; // UTF-8; blank means "Unknown"
    std::string type;                     // one of qxfFixtureTypes(); empty: guessed
    std::string creatorName;              // UTF-8: the program, its version and the author
    std::string creatorVersion;
    std::string author;
};

// The fixture types a definition may name.
const std::vector<std::string_view>& qxfFixtureTypes();
bool isQxfFixtureType(std::string_view type);

// "Moving Head" with pan and tilt, "Color Changer" with colour intensity channels and no pan or
// tilt, "Dimmer" for a single intensity channel, else "Other".
std::string guessQxfFixtureType(const FixtureRecord& record);

// The names the channels in use get, Latin-1: control characters dropped, whitespace runs made
// one blank and ends trimmed, a blank name "Chan N" (as the import names a nameless channel), a
// name equal to an earlier one numbered ("Gobo 2"); a 16-bit low channel whose name lacks the word
// "Fine" is named after its partner, "<coarse name> Fine", as imports name fine channels.
std::vector<std::string> qxfChannelNames(const FixtureRecord& record);

// The definition as UTF-8 XML text. The caller checks the type with isQxfFixtureType.
std::string exportQxf(const FixtureRecord& record, const QxfExportOptions& options);

} // namespace fx
