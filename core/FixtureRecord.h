#pragma once

#include "core/FixedText.h"

#include <array>
#include <cstdint>
#include <string>

namespace fx {

constexpr int MaxChannels = 40;
constexpr int MaxStepsPerChannel = 256; // room in the table
constexpr int MaxEditableSteps = 255;   // what the traits frame lets a channel grow to
constexpr int MaxInsertSteps = 50;      // Insert works only below this many steps
constexpr int PaletteCount = 10;
constexpr int PaletteEntryCount = 10;
constexpr int FuncMapSize = 260;

// Channel type codes, in the order of the type chooser. Codes 3 and above are 16-bit types.
enum ChannelType : std::uint8_t {
    TypeLtp = 0,
    TypeHtp = 1,
    TypeInstantLtp = 2,
    TypeInstant16H = 3,
    TypeInstant16L = 4,
    TypeFadeable16H = 5,
    TypeFadeable16L = 6,
};
constexpr int ChannelTypeCount = 7;

// "LTP", "HTP", ... for codes 0 to 6; the empty text for any other code.
std::string ChTypeName(int code);
inline bool isSixteenBitType(int code)
{
    return code >= TypeInstant16H;
}

struct FixtureHeader {
    std::uint8_t Reserved = 0;
    FixedText<11> FixtureName;
    std::uint8_t NumChannels = 0;

    bool operator==(const FixtureHeader&) const = default;
};

struct ChannelInfo {
    std::uint8_t FuncCode = 0;
    std::uint8_t ChType = 0;
    std::uint8_t ChNumber = 0;
    std::uint8_t PairChannel = 0; // 1-based partner of a 16-bit channel, 0 = none
    std::uint8_t Spare1 = 0;
    std::uint8_t Spare2 = 0;
    FixedText<12> ChName;
    std::uint8_t ChValue = 0;

    bool operator==(const ChannelInfo&) const = default;
};

struct StepInfo {
    std::uint8_t FromDmx = 0;
    std::uint8_t ToDmx = 0;
    FixedText<8> StepName;

    bool operator==(const StepInfo&) const = default;
};

using PaletteName = FixedText<6>;

// The one fixture being edited: header, function map, degrees, channel table, steps and the
// ten palettes. Owned by the application and handed by reference to the editors that work on it.
// All indices are 0-based; channel numbers stored in fields are 1-based with 0 meaning none.
struct FixtureRecord {
    FixtureHeader FixHeader;
    // 0..255: channel number by function code; 256..259: pan high, low, tilt high, low. Derived
    // from the channels and degrees (BuildFuncMap) by each save; never an edit.
    std::array<std::uint8_t, FuncMapSize> FuncMap{};
    std::int16_t MaxPanDegree = 0;
    std::int16_t MaxTiltDegree = 0;
    std::array<ChannelInfo, MaxChannels> Channels{};
    std::array<std::uint8_t, MaxChannels> StepCount{};
    std::array<std::array<StepInfo, MaxStepsPerChannel>, MaxChannels> Steps{};

    std::array<std::uint8_t, PaletteCount> PalUsed{};
    std::array<PaletteName, PaletteCount> PalName{};
    std::array<std::array<PaletteName, PaletteEntryCount>, PaletteCount> PalEntryName{};
    std::array<std::array<std::uint8_t, PaletteEntryCount>, PaletteCount> PalEntrySize{};
    std::array<std::array<std::uint8_t, MaxChannels>, PaletteCount> PalChannelUsed{};
    // PalValue[p][entry][channel]
    std::array<std::array<std::array<std::uint8_t, MaxChannels>, PaletteEntryCount>, PaletteCount>
        PalValue{};

    // Channel count the palette editor works with; 0 until the first visit to it. The palette
    // editor's view, not part of the fixture or of its edits.
    std::uint8_t PalChannels = 0;

    // Field by field, every step of the table included.
    bool operator==(const FixtureRecord&) const = default;
};

// The record part of a new fixture of n channels (1..40): NumChannels = n, MaxTiltDegree 0,
// channels 0..n-1 blank LTP with their own numbers, every step blank and every count 0, every
// palette empty. The fixture name, MaxPanDegree, FuncMap and channels n..39 keep their values.
void ResetFixtureRecord(FixtureRecord& record, int n);

} // namespace fx
