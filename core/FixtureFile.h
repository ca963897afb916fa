#pragma once

#include "core/FixtureRecord.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace fx {

// The fixture setup file (".tff"): a flat 6144-byte image that the console loads byte for byte.
//
//    offset  length  content
//         0       1  Reserved
//         1      11  FixtureName
//        12       1  NumChannels
//        13     260  FuncMap (256..259: pan degree high, low, tilt degree high, low)
//       273      10  PalUsed
//       283      60  PalName, 6 bytes each
//       343     600  PalEntryName, per palette 10 names of 6 bytes
//       943     100  PalEntrySize, per palette 10 bytes
//      1043     760  40 channel records of 19 bytes (type as a letter for channels in use)
//      1803      40  StepCount
//      1843     205  gap, zero
//      2048    2048  packed palette block
//      4096    2040  204 step slots of 10 bytes, the steps of all channels in channel order
//      6136       8  zero
constexpr std::size_t FixtureFileSize = 6144;
constexpr std::size_t PaletteBlockOffset = 2048;
constexpr std::size_t PaletteBlockSize = 2048;
constexpr std::size_t StepSlotsOffset = 4096;
constexpr int StepSlotCount = 204;
constexpr std::size_t ChannelRecordsOffset = 1043;
constexpr std::size_t ChannelRecordSize = 19;

using FixtureImage = std::array<std::uint8_t, FixtureFileSize>;
using PaletteBlock = std::array<std::uint8_t, PaletteBlockSize>;

// Type letters of the file by type code: L H I S A s A.
std::uint8_t typeLetter(int typeCode);

// FuncMap[256..259] from the degrees; FuncMap[0..255] = the highest channel (1-based, among
// channels in use) whose FuncCode is that index, 0 for none.
void BuildFuncMap(FixtureRecord& record);

// The palette block: for every palette in use, for every entry of nonzero size, the selected
// channel numbers (ascending, below NumChannels) followed by their values. Whatever would reach
// byte 2048 is cut.
PaletteBlock PackPalettes(const FixtureRecord& record);

// Rebuilds PalChannelUsed and PalValue from a block, using the PalUsed and PalEntrySize already
// in the record. Decodes only what lies within the block; channel numbers outside 1..40 are
// skipped.
void UnpackPalettes(FixtureRecord& record, const PaletteBlock& block);

// The file image of the record, as the editor's save writes it. The record is not changed.
// Types are written as NormaliseChannelTypes leaves them; entry sizes as the block carries them;
// each channel's step count as the number of its steps the 204 slots hold.
FixtureImage WriteFixtureImage(const FixtureRecord& record);

// What a save leaves in memory after writing: a channel in use of a low 16-bit type that no high
// channel names becomes LTP, and the partner named by a high channel takes the matching low
// type. Files and the console rely on that pairing.
void NormaliseChannelTypes(FixtureRecord& record);

// A channel in use named exactly "Pan", "Tilt", "Dimmer" or "Colour" takes the console's fixed
// code 6, 7, 3 or 9. The reader applies it; a save applies it before BuildFuncMap, so the
// function map the file carries agrees with what an open reads back.
void ApplyFixedFunctionCodes(FixtureRecord& record);

// Reads a fixture setup file image. On success the record takes the file's contents and the
// result is empty: step entries the file does not carry are blank, PalChannels keeps its value,
// a channel's step count that promises more steps than the 204 slots hold is cut to the steps
// read. Each such cut, and each degree above the 720 the editor shows, adds one sentence to
// notes (when given) for the open's message. On failure the record is left exactly as it was,
// notes is untouched and the result is a message a person can act on.
std::string ReadFixtureImage(std::span<const std::uint8_t> bytes, FixtureRecord& record,
                             std::vector<std::string>* notes = nullptr);

// What a fixture holds that its file cannot: steps beyond the 204 slots and palette entries that
// do not fit into the 2048-byte palette block. Empty when everything fits.
struct FileCapacityReport {
    struct ChannelSteps {
        int channel; // 0-based
        int lost;    // steps of that channel the file cannot hold
    };
    struct PaletteEntry {
        int palette; // 0-based
        int entry;   // 0-based
        bool partly; // true when the entry is cut inside, false when nothing of it is stored
    };
    int totalSteps = 0;
    std::vector<ChannelSteps> lostSteps;
    std::vector<PaletteEntry> lostEntries;

    bool fits() const { return lostSteps.empty() && lostEntries.empty(); }
    // Several lines of English text naming what is lost, empty when everything fits.
    std::string describe() const;
};
FileCapacityReport checkFileCapacity(const FixtureRecord& record);

} // namespace fx
