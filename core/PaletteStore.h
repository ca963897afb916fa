#pragma once

#include "core/FixtureRecord.h"

#include <string_view>

namespace fx {

// A palette or entry name as the palette editor stores it: the first six characters of the box,
// padded with blanks.
PaletteName paletteNameFromText(std::string_view latin1Text);

// Recomputes PalUsed and PalEntrySize of all ten palettes: a palette is in use when it has a name
// and at least one named entry; a named entry of a named palette carries as many channels as
// are selected below PalChannels.
void UpdatePaletteUse(FixtureRecord& record);

} // namespace fx
