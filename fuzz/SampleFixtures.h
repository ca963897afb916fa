#pragma once

#include "core/FixtureRecord.h"

#include <memory>
#include <string>

// Fixtures that exercise every part of the fixture setup file, for the fuzzers' seed corpora and
// the benchmark. Records are large (the step table alone is 100 KB), so they live on the heap.
namespace samples {

inline std::unique_ptr<fx::FixtureRecord> newFixture(int channels = 8)
{
    auto r = std::make_unique<fx::FixtureRecord>();
    r->FixHeader.FixtureName.assign("New Fixture");
    fx::ResetFixtureRecord(*r, channels);
    return r;
}

// One channel's fields at once: the way tests and the screenshots describe a fixture.
inline void setChannel(fx::ChannelInfo& ch, const char* name, int type, int pair = 0, int value = 0,
                       int code = 0)
{
    ch.ChName.assign(name);
    ch.ChType = std::uint8_t(type);
    ch.PairChannel = std::uint8_t(pair);
    ch.ChValue = std::uint8_t(value);
    ch.FuncCode = std::uint8_t(code);
}

// A palette p holding every channel below count in all its entries, with distinct values.
inline void fillPalette(fx::FixtureRecord& r, int p, int count, int entries)
{
    r.PalUsed[p] = 1;
    r.PalName[p].assign("Pal" + std::to_string(p + 1));
    for (int c = 0; c < count; ++c)
        r.PalChannelUsed[p][c] = 1;
    for (int s = 0; s < entries; ++s) {
        r.PalEntryName[p][s].assign("E" + std::to_string(p) + "_" + std::to_string(s));
        r.PalEntrySize[p][s] = static_cast<std::uint8_t>(count);
        for (int c = 0; c < count; ++c)
            r.PalValue[p][s][c] = static_cast<std::uint8_t>((p * 31 + s * 7 + c * 3) & 0xff);
    }
}

// The largest fixture: 40 named channels with function codes and 16-bit pairs, 204 steps (the
// file's capacity), and all ten palettes holding all 40 channels in all ten entries (more than
// the 2048-byte palette block can carry, so the block is filled to its end).
inline std::unique_ptr<fx::FixtureRecord> fullFixture()
{
    auto r = newFixture(fx::MaxChannels);
    r->FixHeader.FixtureName.assign("Full Fixtur");
    r->MaxPanDegree = 540;
    r->MaxTiltDegree = 270;
    for (int c = 0; c < fx::MaxChannels; ++c) {
        fx::ChannelInfo& ch = r->Channels[c];
        ch.ChName.assign("Channel " + std::to_string(c + 1));
        ch.FuncCode = static_cast<std::uint8_t>(c + 3);
        ch.ChValue = static_cast<std::uint8_t>(c * 6);
    }
    // Two 16-bit pairs: 1/2 instant, 3/4 fadeable.
    r->Channels[0].ChType = fx::TypeInstant16H;
    r->Channels[0].PairChannel = 2;
    r->Channels[1].ChType = fx::TypeInstant16L;
    r->Channels[2].ChType = fx::TypeFadeable16H;
    r->Channels[2].PairChannel = 4;
    r->Channels[3].ChType = fx::TypeFadeable16L;
    r->Channels[4].ChType = fx::TypeHtp;
    r->Channels[5].ChType = fx::TypeInstantLtp;
    r->Channels[0].ChName.assign("Pan");
    r->Channels[2].ChName.assign("Tilt");
    // 204 steps: five per channel, and nine on channel 1.
    for (int c = 0; c < fx::MaxChannels; ++c) {
        const int count = c == 0 ? 9 : 5;
        r->StepCount[c] = static_cast<std::uint8_t>(count);
        for (int s = 0; s < count; ++s) {
            fx::StepInfo& st = r->Steps[c][s];
            st.FromDmx = static_cast<std::uint8_t>(s * 25);
            st.ToDmx = static_cast<std::uint8_t>(s * 25 + 24);
            st.StepName.assign("S" + std::to_string(c + 1) + "." + std::to_string(s + 1));
        }
    }
    for (int p = 0; p < fx::PaletteCount; ++p)
        fillPalette(*r, p, fx::MaxChannels, fx::PaletteEntryCount);
    r->PalChannels = fx::MaxChannels;
    return r;
}

// Small fixtures for edge cases of the reader: 205 steps (one more than the file holds), a
// palette whose entry 0 is empty, and a palette with a partial selection.
inline std::unique_ptr<fx::FixtureRecord> edgeFixture()
{
    auto r = newFixture(12);
    r->FixHeader.FixtureName.assign("Edge");
    r->Channels[6].ChName.assign("Dimmer");
    r->Channels[7].ChName.assign("pan");
    r->Channels[7].FuncCode = 44;
    r->Channels[8].ChType = fx::TypeFadeable16H;
    r->Channels[8].PairChannel = 12;
    r->Channels[11].ChType = fx::TypeFadeable16L;
    for (int c = 0; c < 12; ++c)
        r->StepCount[c] = 17;
    r->StepCount[11] = 18; // 205 in all
    for (int c = 0; c < 12; ++c)
        for (int s = 0; s < r->StepCount[c]; ++s)
            r->Steps[c][s] =
                fx::StepInfo{static_cast<std::uint8_t>(s), static_cast<std::uint8_t>(s),
                             fx::FixedText<8>::fromText("x")};
    fillPalette(*r, 1, 5, 4);
    r->PalEntrySize[1][0] = 0;
    r->PalEntryName[1][0] = fx::PaletteName::blanks();
    fillPalette(*r, 4, 3, 10);
    r->PalChannelUsed[4][0] = 0;
    r->PalChannelUsed[4][9] = 1;
    return r;
}

} // namespace samples
