#include "core/FixtureRecord.h"

#include <algorithm>

namespace fx {

std::string ChTypeName(int code)
{
    static const char* const names[ChannelTypeCount] = {
        "LTP",
        "HTP",
        "instant LTP",
        "instant LTP 16bitH",
        "instant LTP 16bitL",
        "Fadeable LTP 16bitH",
        "Fadeable LTP 16bitL",
    };
    if (code < 0 || code >= ChannelTypeCount)
        return {};
    return names[code];
}

void ResetFixtureRecord(FixtureRecord& record, int n)
{
    n = std::clamp(n, 1, MaxChannels);
    record.FixHeader.NumChannels = static_cast<std::uint8_t>(n);
    record.MaxTiltDegree = 0;

    for (int i = 0; i < n; ++i) {
        ChannelInfo& ch = record.Channels[i];
        ch.ChName = FixedText<12>::blanks();
        ch.ChType = TypeLtp;
        ch.ChNumber = static_cast<std::uint8_t>(i + 1);
        ch.FuncCode = 0;
        ch.PairChannel = 0;
        ch.ChValue = 0;
    }

    const StepInfo blankStep{0, 0, FixedText<8>::blanks()};
    for (auto& channelSteps : record.Steps)
        channelSteps.fill(blankStep);
    record.StepCount.fill(0);

    for (int p = 0; p < PaletteCount; ++p) {
        record.PalName[p] = PaletteName::blanks();
        record.PalUsed[p] = 0;
        record.PalEntrySize[p].fill(0);
        record.PalEntryName[p].fill(PaletteName::blanks());
        record.PalChannelUsed[p].fill(0);
        for (auto& entry : record.PalValue[p])
            entry.fill(0);
    }
}

} // namespace fx
