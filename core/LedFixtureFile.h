#pragma once

#include "core/FixedText.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace fx {

constexpr int LedMaxChannels = 10;
constexpr int LedColourCount = 9;
constexpr std::size_t LedFixtureFileSize = 512;
constexpr std::size_t LedChannelRecordSize = 17;

// One LED channel as the LED editor keeps it.
struct LedChannelRec {
    std::uint8_t ColourCode = 0; // 1..9: "Red".."Duration"; 0 = none chosen
    std::uint8_t TypeCode =
        0; // 0..6, the channel types of the fixture editor; a letter while saving
    std::uint8_t Reserved = 0;
    std::uint8_t PairChannel = 0;  // 1-based partner of a 16-bit channel, 0 = none
    std::uint8_t ColourLetter = 0; // filled only while the file is written
    FixedText<12> Name;            // 12 zero bytes until a name is chosen

    bool operator==(const LedChannelRec&) const = default;
};

// The LED fixture editor's own fixture; it shares nothing with the fixture record.
struct LedFixtureRecord {
    FixedText<11> LedFixtureName;
    std::uint8_t LedChannelCount = 8;
    std::array<LedChannelRec, LedMaxChannels> LedChannels{};
    std::array<std::uint8_t, LedMaxChannels> ColourChannelMap{};

    bool operator==(const LedFixtureRecord&) const = default;
};

// "Red", "Green", "Blue", "Amber", "CoolW", "WarmW", "Dimmer", "Speed", "Duration" for codes
// 1..9; the empty text otherwise.
std::string ledColourName(int colourCode);
// "R" "G" "B" "A" "C" "W" "M" "S" "D" for codes 1..9, 0 otherwise.
std::uint8_t ledColourLetter(int colourCode);
// L H I S O s O for type codes 0..6.
std::uint8_t ledTypeLetter(int typeCode);

// Makes the 512-byte LED fixture file as the Save button writes it:
//    0  reserved 0, 1 name (11), 12 channel count, 13 ColourChannelMap (10),
//   23  ten 17-byte channel records, 193 zero bytes, 511 a blank.
// Like the save, it leaves the record as the save does: the colour channel map filled, the
// records of unused positions cleared (all but ColourCode, name 12 blanks) and the types of the
// channels in use normalised (a low 16-bit type only where a high channel names it).
std::array<std::uint8_t, LedFixtureFileSize> SaveLedFixtureImage(LedFixtureRecord& record,
                                                                 std::string_view latin1Name);

// Reads an LED fixture setup file into record. Only a file the Save button could have written is
// taken: 512 bytes, a reserved byte 0, a channel count 1 to 10, a colour channel map that agrees
// with the channels, channel records with colour codes 0 to 9, the type letters L H I S O s, the
// matching colour letters and partners 0 to the channel count, the records beyond the count
// cleared as the save clears them, zero bytes up to offset 510 and a blank at 511. A low type
// ("O") becomes the low type of the high channel that names it (instant when none does), so that
// saving an opened file writes the same 512 bytes. On success the result is empty; otherwise the
// record is unchanged and the result is a one-line message.
std::string ReadLedFixtureImage(std::span<const std::uint8_t> bytes, LedFixtureRecord& record);

} // namespace fx
