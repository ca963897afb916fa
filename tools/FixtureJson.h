#pragma once

#include "core/FixtureFile.h"
#include "core/FixtureRecord.h"
#include "core/LedFixtureFile.h"
#include "core/Latin1Text.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace fx {

// The fixture record as JSON text, under the record's own field names. Texts keep their full
// fixed width; each byte is the Unicode code point of the same number (Latin-1), zero bytes
// appear as \u0000. Containers holding only numbers and texts stand on one line, so a changed
// value shows as a one-line difference under version control.
std::string fixtureToJson(const FixtureRecord& record);

// Reads JSON text as written by fixtureToJson into record. Every key must be present and no
// other key is accepted; a text may be shorter than its width (it is padded with blanks) but not
// longer, and may hold only characters U+0000 to U+00FF; numbers must fit their field. On
// success the record takes the values (PalChannels and the steps beyond each channel's
// StepCount keep theirs) and the result is empty; on failure the record is unchanged and the
// result is a one-line message naming the offending field.
std::string fixtureFromJson(std::string_view jsonText, FixtureRecord& record);

// `fixture-tool dump`: the JSON of the record that opening the file image gives (the record
// starts as a new 8-channel fixture, so steps the file does not carry are blank). Empty result
// on success, else the reader's message.
std::string fixtureJsonFromImage(std::span<const std::uint8_t> bytes, std::string& json);

// `fixture-tool build`: the record read from the JSON text, its FuncMap rebuilt, written as the
// editor's save writes it. FuncMap values of the text are checked but rebuilt from the channels
// and degrees. An image that would not open again is refused. Empty result on success.
std::string fixtureImageFromJson(std::string_view jsonText, FixtureImage& image);

// `fixture-tool dump` of an LED fixture setup file (512 bytes): its record as JSON under the
// record's own field names (LedFixtureName, LedChannelCount, ColourChannelMap, LedChannels with
// ColourCode, TypeCode, PairChannel, Name). Empty result on success, else the reader's message.
std::string ledFixtureJsonFromImage(std::span<const std::uint8_t> bytes, std::string& json);
// The image the editor's save writes for record: fixed function codes applied, FuncMap rebuilt
// (both change record), then written; an image that would not open again is refused. Empty
// result on success. Shared by `build` and `import`.
std::string savedFixtureImage(FixtureRecord& record, FixtureImage& image);

} // namespace fx
