#include "core/DmxFrame.h"

#include <algorithm>

namespace fx {

namespace {

int channelCount(const FixtureRecord& record)
{
    return std::clamp<int>(record.FixHeader.NumChannels, 0, MaxChannels);
}

} // namespace

LiveFrame ComposeLiveFrame(const FixtureRecord& record, int address, const LiveLook& look)
{
    LiveFrame frame;
    if (address < 1 || address > DmxSlots)
        return frame;
    const int count = channelCount(record);
    for (int c = 0; c < count; ++c) {
        const int slot = address - 1 + c;
        if (slot >= DmxSlots) {
            frame.cut = count - c;
            break;
        }
        int value = record.Channels[c].ChValue;
        switch (look.kind) {
        case LiveLook::Kind::Values: break;
        case LiveLook::Kind::Step:
            if (c == look.channel && look.step >= 0 && look.step < record.StepCount[c]) {
                const StepInfo& step = record.Steps[c][look.step];
                value = (step.FromDmx + step.ToDmx) / 2;
            }
            break;
        case LiveLook::Kind::PaletteEntry:
            if (look.palette >= 0 && look.palette < PaletteCount &&
                record.PalChannelUsed[look.palette][c] == 1)
                value = look.values[c];
            break;
        case LiveLook::Kind::Blackout: value = 0; break;
        }
        frame.dmx[slot] = static_cast<std::uint8_t>(value);
        if (frame.firstSlot == 0)
            frame.firstSlot = slot + 1;
        frame.lastSlot = slot + 1;
    }
    return frame;
}

std::string liveTargetProblem(int universe, int address)
{
    if (universe < 1 || universe > MaxUniverse)
        return "universe " + std::to_string(universe) + " is outside 1 to " +
               std::to_string(MaxUniverse);
    if (address < 1 || address > DmxSlots)
        return "address " + std::to_string(address) + " is outside 1 to " +
               std::to_string(DmxSlots);
    return {};
}

std::string liveLookProblem(const FixtureRecord& record, const LiveLook& look)
{
    const int count = channelCount(record);
    switch (look.kind) {
    case LiveLook::Kind::Step: {
        if (look.channel < 0 || look.channel >= count)
            return "the fixture has no channel " + std::to_string(look.channel + 1) + " (it has " +
                   std::to_string(count) + ")";
        const int steps = record.StepCount[look.channel];
        if (look.step < 0 || look.step >= steps)
            return "channel " + std::to_string(look.channel + 1) + " has no step " +
                   std::to_string(look.step + 1) + " (it has " + std::to_string(steps) + ")";
        return {};
    }
    case LiveLook::Kind::PaletteEntry:
        if (look.palette < 0 || look.palette >= PaletteCount || record.PalUsed[look.palette] == 0)
            return "the fixture has no palette " + std::to_string(look.palette + 1) + " in use";
        if (look.entry < 0 || look.entry >= PaletteEntryCount ||
            record.PalEntrySize[look.palette][look.entry] == 0)
            return "palette " + std::to_string(look.palette + 1) + " has no entry " +
                   std::to_string(look.entry + 1) + " in use";
        return {};
    default: return {};
    }
}

std::string cutText(const FixtureRecord& record, const LiveFrame& frame)
{
    if (frame.cut == 0)
        return {};
    const int count = channelCount(record);
    const int first = count - frame.cut + 1;
    if (frame.cut == 1)
        return "channel " + std::to_string(count) + " passes slot 512 and is not sent";
    return "channels " + std::to_string(first) + " to " + std::to_string(count) +
           " pass slot 512 and are not sent";
}

} // namespace fx
