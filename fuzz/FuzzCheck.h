#pragma once

#include "core/ChNameSet.h"
#include "core/FixtureRecord.h"

#include <cstdio>
#include <cstdlib>

// A property that must hold for every input. libFuzzer saves the input that broke it as a
// crash file, so the message names the property and the run stops at the first violation.
#define FUZZ_CHECK(condition, what)                                                                \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "property violated: %s (%s:%d)\n", what, __FILE__, __LINE__);     \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

namespace fuzz {

inline bool sameChannel(const fx::ChannelInfo& a, const fx::ChannelInfo& b)
{
    return a.FuncCode == b.FuncCode && a.ChType == b.ChType && a.ChNumber == b.ChNumber &&
           a.PairChannel == b.PairChannel && a.Spare1 == b.Spare1 && a.Spare2 == b.Spare2 &&
           a.ChName == b.ChName && a.ChValue == b.ChValue;
}

inline bool sameStep(const fx::StepInfo& a, const fx::StepInfo& b)
{
    return a.FromDmx == b.FromDmx && a.ToDmx == b.ToDmx && a.StepName == b.StepName;
}

// Every field of the record, compared one by one (the structure has padding, so no memcmp).
inline bool sameRecord(const fx::FixtureRecord& a, const fx::FixtureRecord& b)
{
    if (a.FixHeader.Reserved != b.FixHeader.Reserved ||
        a.FixHeader.FixtureName != b.FixHeader.FixtureName ||
        a.FixHeader.NumChannels != b.FixHeader.NumChannels || a.FuncMap != b.FuncMap ||
        a.MaxPanDegree != b.MaxPanDegree || a.MaxTiltDegree != b.MaxTiltDegree ||
        a.StepCount != b.StepCount || a.PalUsed != b.PalUsed || a.PalName != b.PalName ||
        a.PalEntryName != b.PalEntryName || a.PalEntrySize != b.PalEntrySize ||
        a.PalChannelUsed != b.PalChannelUsed || a.PalValue != b.PalValue ||
        a.PalChannels != b.PalChannels)
        return false;
    for (int c = 0; c < fx::MaxChannels; ++c) {
        if (!sameChannel(a.Channels[c], b.Channels[c]))
            return false;
        for (int s = 0; s < fx::MaxStepsPerChannel; ++s)
            if (!sameStep(a.Steps[c][s], b.Steps[c][s]))
                return false;
    }
    return true;
}

inline bool sameEntry(const fx::ChNameRec& a, const fx::ChNameRec& b)
{
    return a.ChIndex == b.ChIndex && a.ChCode == b.ChCode && a.SetName == b.SetName;
}

inline bool sameSet(const fx::ChNameSet& a, const fx::ChNameSet& b)
{
    for (int p = 0; p < fx::ChNameCount; ++p)
        if (!sameEntry(a[p], b[p]))
            return false;
    return true;
}

} // namespace fuzz
