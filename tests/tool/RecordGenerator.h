#pragma once

#include "core/ChNameSet.h"
#include "core/FixtureFile.h"
#include "core/PaletteStore.h"

#include <algorithm>
#include <memory>
#include <numeric>
#include <random>
#include <string>
#include <vector>

// Fixtures shaped like those the editor saves: mostly valid types with each 16-bit high channel
// naming its own low partner among the channels in use (sometimes any type with any partner), names
// from the channel name set or typed, steps, and palettes kept by the palette editor's rules that
// fit the file's palette block.
class RecordGenerator {
public:
    explicit RecordGenerator(unsigned seed) : m_rng(seed) {}

    std::unique_ptr<fx::FixtureRecord> next()
    {
        using namespace fx;
        auto r = std::make_unique<FixtureRecord>();
        const int n = between(1, 40);
        const int everUsed = std::max(n, chance(3) ? between(n, 40) : 8);
        ResetFixtureRecord(*r, std::max(everUsed, 8));
        if (chance(4))
            r->FixHeader.Reserved = byte();
        r->FixHeader.FixtureName.assign(text(11));
        r->MaxPanDegree = static_cast<std::int16_t>(between(0, 720));
        r->MaxTiltDegree = static_cast<std::int16_t>(between(0, 720));

        for (int i = 0; i < everUsed; ++i)
            fillChannel(r->Channels[i]);
        r->FixHeader.NumChannels = static_cast<std::uint8_t>(n);
        pairChannels(*r, n);
        // Channels beyond the count keep what they held: codes, or letters of an opened file.
        static const std::uint8_t leftovers[] = {0, 1, 2, 3, 4, 5, 6, 'L', 'A', 's'};
        for (int i = n; i < everUsed; ++i) {
            r->Channels[i].ChType = leftovers[between(0, 9)];
            r->Channels[i].PairChannel = static_cast<std::uint8_t>(between(0, everUsed));
        }

        fillSteps(*r, everUsed);
        fillPalettes(*r, n);
        return r;
    }

    int between(int low, int high) // both included
    {
        return std::uniform_int_distribution<int>(low, high)(m_rng);
    }
    bool chance(int oneIn) { return between(1, oneIn) == 1; }
    std::uint8_t byte() { return static_cast<std::uint8_t>(between(0, 255)); }

    // Up to maxLength Latin-1 characters as a text box takes them.
    std::string text(int maxLength)
    {
        std::string t;
        const int length = between(0, maxLength);
        for (int k = 0; k < length; ++k) {
            const int c = chance(8) ? between(0xA0, 0xFF) : between(0x20, 0x7E);
            t += static_cast<char>(c);
        }
        return t;
    }

private:
    void fillChannel(fx::ChannelInfo& ch)
    {
        const auto& defaults = fx::defaultChNames();
        switch (between(0, 4)) {
        case 0:
        case 1: {
            const auto& d =
                defaults[static_cast<std::size_t>(between(0, fx::DefaultNameCount - 1))];
            ch.ChName.assign(d.name);
            ch.FuncCode = d.code;
            break;
        }
        case 2: {
            // A typed name added to the set: position k gets code k + 3.
            ch.ChName.assign(text(12));
            ch.FuncCode = static_cast<std::uint8_t>(between(59, 252) + 3);
            for (const auto& d : defaults) // the four fixed functions follow their names
                if (ch.ChName == fx::FixedText<12>::fromText(d.name) && d.code <= 9)
                    ch.FuncCode = d.code;
            break;
        }
        case 3:
            // Lower case keeps its code; an exact "Pan" picked from a second entry of the set
            // may carry another code until the save gives it the fixed one.
            ch.ChName.assign(chance(2) ? (chance(2) ? "pan" : "tilt") : "Pan");
            ch.FuncCode = byte();
            break;
        default: break; // left blank
        }
        ch.ChValue = byte();
        if (chance(10)) {
            ch.Spare1 = byte();
            ch.Spare2 = byte();
        }
    }

    void pairChannels(fx::FixtureRecord& r, int n)
    {
        std::vector<int> order(static_cast<std::size_t>(n));
        std::iota(order.begin(), order.end(), 0);
        std::shuffle(order.begin(), order.end(), m_rng);
        for (int i = 0; i < n; ++i) {
            r.Channels[i].ChType = static_cast<std::uint8_t>(between(0, 2));
            r.Channels[i].PairChannel = 0;
        }
        const int pairs = between(0, n / 2);
        for (int k = 0; k < pairs; ++k) {
            fx::ChannelInfo& high = r.Channels[order[2 * k]];
            fx::ChannelInfo& low = r.Channels[order[2 * k + 1]];
            const bool fadeable = chance(2);
            high.ChType = fadeable ? fx::TypeFadeable16H : fx::TypeInstant16H;
            high.PairChannel = static_cast<std::uint8_t>(order[2 * k + 1] + 1);
            low.ChType = fadeable ? fx::TypeFadeable16L : fx::TypeInstant16L;
            low.PairChannel = chance(2) ? static_cast<std::uint8_t>(order[2 * k] + 1) : 0;
        }
        if (2 * pairs < n && chance(8)) // a high channel whose partner was never chosen
            r.Channels[order[2 * pairs]].ChType = fx::TypeInstant16H;
        // The grid checks no pairing: any type with any partner, as a careless edit leaves them
        // (unnamed lows, chained highs, a channel paired with itself, partners beyond the count).
        if (chance(4)) {
            for (int k = between(1, 4); k > 0; --k) {
                fx::ChannelInfo& ch = r.Channels[between(0, n - 1)];
                ch.ChType = static_cast<std::uint8_t>(between(0, 6));
                ch.PairChannel = static_cast<std::uint8_t>(between(0, 40));
            }
        }
    }

    void fillSteps(fx::FixtureRecord& r, int everUsed)
    {
        int budget = chance(10) ? between(205, 400) : between(0, 204);
        for (int tries = 0; budget > 0 && tries < 80; ++tries) {
            const int c = between(0, everUsed - 1);
            const int count =
                std::min({budget, fx::MaxEditableSteps - int(r.StepCount[c]), between(1, 40)});
            for (int k = r.StepCount[c]; k < r.StepCount[c] + count; ++k)
                r.Steps[c][k] = {byte(), byte(), fx::FixedText<8>::fromText(text(8))};
            r.StepCount[c] = static_cast<std::uint8_t>(r.StepCount[c] + count);
            budget -= count;
        }
    }

    void fillPalettes(fx::FixtureRecord& r, int n)
    {
        // Usually the palette editor was opened with this channel count; sometimes with another.
        r.PalChannels = static_cast<std::uint8_t>(chance(5) ? between(1, 40) : n);
        for (int p = 0; p < fx::PaletteCount; ++p) {
            if (chance(3))
                continue;
            r.PalName[p] = fx::paletteNameFromText(text(8));
            for (int c = 0; c < r.PalChannels; ++c)
                r.PalChannelUsed[p][c] = chance(2) ? 1 : 0;
            for (int e = 0; e < fx::PaletteEntryCount; ++e) {
                if (chance(2))
                    r.PalEntryName[p][e] = fx::paletteNameFromText(text(6));
                for (int c = 0; c < fx::MaxChannels; ++c)
                    r.PalValue[p][e][c] = byte();
            }
        }
        fx::UpdatePaletteUse(r);
        // Leave out palettes, last first, until the rest fits the block.
        for (int p = fx::PaletteCount - 1; p >= 0 && !fx::checkFileCapacity(r).lostEntries.empty();
             --p) {
            r.PalName[p] = fx::PaletteName::blanks();
            fx::UpdatePaletteUse(r);
        }
    }

    std::mt19937 m_rng;
};

// What the editor's save writes.
inline fx::FixtureImage editorSave(fx::FixtureRecord& r)
{
    fx::ApplyFixedFunctionCodes(r);
    fx::BuildFuncMap(r);
    return fx::WriteFixtureImage(r);
}
