#pragma once

#include "core/FixtureRecord.h"

#include <array>
#include <cstdint>
#include <string>

namespace fx {

// One DMX universe as it goes to the lamps: 512 slots, slot 1 at index 0.
constexpr int DmxSlots = 512;
constexpr int MaxUniverse = 32767;
using DmxFrame = std::array<std::uint8_t, DmxSlots>;

// What a technician is trying on the lamp besides the fixture's own values.
struct LiveLook {
    enum class Kind { Values, Step, PaletteEntry, Blackout };
    Kind kind = Kind::Values;
    int channel = 0; // Step: the channel (0-based) and its step (0-based)
    int step = 0;
    int palette = 0; // PaletteEntry: the palette (0-based) whose selected channels take values
    int entry = 0;   // and the entry (0-based) being tried
    std::array<std::uint8_t, MaxChannels> values{}; // PaletteEntry: the entry's values by channel
};

// The frame for a fixture at a start address (1 to 512): each channel's slot holds its ChValue
// (a 16-bit pair sends both bytes as they stand), slots outside the fixture hold 0. A step look
// puts the middle of the step's range, (From + To) / 2 rounded down, on its channel; a palette
// entry look puts the entry's values on the palette's selected channels; a blackout puts 0 on
// every slot of the fixture. Channels that would pass slot 512 are left out and counted in cut.
struct LiveFrame {
    DmxFrame dmx{};
    int firstSlot = 0; // 1-based slots the fixture covers in the frame, 0 when none
    int lastSlot = 0;
    int cut = 0; // channels past slot 512, the last ones of the fixture
};
LiveFrame ComposeLiveFrame(const FixtureRecord& record, int address, const LiveLook& look);

// Empty when the universe (1 to 32767) and start address (1 to 512) can be used; else one line.
std::string liveTargetProblem(int universe, int address);
// Empty when the fixture has the step or palette entry the look names (0-based, as in LiveLook);
// else one line naming what it lacks (numbers 1-based, as the editor shows them). A palette entry
// exists when the palette is in use and the entry has a name (PalUsed, PalEntrySize).
std::string liveLookProblem(const FixtureRecord& record, const LiveLook& look);
// What the frame leaves out, for a status line: "channels 9 to 16 pass slot 512 and are not
// sent" (empty when nothing is cut).
std::string cutText(const FixtureRecord& record, const LiveFrame& frame);

} // namespace fx
