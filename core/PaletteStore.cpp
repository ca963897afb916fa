#include "core/PaletteStore.h"

#include <algorithm>

namespace fx {

PaletteName paletteNameFromText(std::string_view latin1Text)
{
    return PaletteName::fromText(latin1Text);
}

void UpdatePaletteUse(FixtureRecord& record)
{
    const int channels = std::min<int>(record.PalChannels, MaxChannels);
    for (int p = 0; p < PaletteCount; ++p) {
        record.PalEntrySize[p].fill(0);
        record.PalUsed[p] = 0;
        if (record.PalName[p].isBlank())
            continue;
        int selected = 0;
        for (int k = 0; k < channels; ++k) {
            if (record.PalChannelUsed[p][k] == 1)
                ++selected;
        }
        for (int e = 0; e < PaletteEntryCount; ++e) {
            if (record.PalEntryName[p][e].isBlank())
                continue;
            record.PalUsed[p] = 1;
            record.PalEntrySize[p][e] = static_cast<std::uint8_t>(selected);
        }
    }
}

} // namespace fx
