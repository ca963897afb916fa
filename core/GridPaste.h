#pragma once

#include "core/ChNameDocument.h"
#include "core/ClipText.h"
#include "core/FixtureDocument.h"
#include "core/LedFixtureDocument.h"

#include <string>
#include <vector>

namespace fx {

// Pasting a block of cells into one of the editing grids, and cutting from them. The block's
// top-left cell lands on the grid cell (row, column); rows and columns are the grids' own
// (0-based, the heading column included), with the headings the grids show:
//   channel grid   0 Channel ("Chan N"), 1 Channel Name, 2 Type, 3 Ch16bit (partner), 4 Value
//   steps grid     0 Step ("Step N", "No Steps"), 1 Step Name, 2 From Dmx, 3 To Dmx
//   LED grid       0 Channel ("Chan N"), 1 Channel Name (the colour), 2 Type, 3 Ch16bit (pair)
//   name set grid  0 Channel ID (position + 1), 1 Channel Name
// Every cell is judged as if it were typed into its cell: numbers 0 to 255 (blanks around them
// are fine), names converted to Latin-1 (a character with no Latin-1 form refuses the paste) and
// cut to their field's width, a type by its shown text ("LTP", any case) or its letter, a colour
// by its shown text. Cells falling on a heading column (or another cell that cannot be typed
// into, such as a fixed name or the partner of an 8-bit channel) are passed over when empty or
// equal to what the cell shows, and refuse the paste otherwise; a heading cell also passes over
// the heading of another row ("Chan 5", "Step 7", "No Steps", a position), so that whole rows
// copied with their headings paste anywhere. An empty cell leaves a number or a type as it is and
// empties a name (an LED colour becomes none). Non-empty cells past the grid's last column refuse
// the paste; empty ones (a trailing tab) are ignored, as are empty rows at the end of the block.
// Within a row the cells are taken from left to right, so a type pasted before a partner makes
// the partner cell one that can be typed into. A channel name of one character that the set
// lacks is refused (typing does not store it either); a type letter is the fixture file's (L, H,
// I, S, s; "A" and "O" stand for both low types and are refused).
//
// A paste is all or nothing: when any cell is refused, the edit is empty and problem says which
// cell and why, in one line, naming the row as the grid shows it ("Chan 3", "Step 12",
// "Channel ID 60") and the column by its heading
// ("Step 12, From Dmx: \"300\" is not a number from 0 to 255.").
struct PasteOutcome {
    std::string problem;
    int rows = 0;  // grid rows the paste filled
    int added = 0; // steps the paste added
};

struct FixturePaste : PasteOutcome {
    Edit edit; // named "Paste"
    // Channel names (Latin-1, each once, in the order met) the set lacks; only when no cell is
    // refused. When not empty the edit is empty: the editor offers them for adding in one question,
    // adds them, and judges again with the grown set; when the user declines, nothing is pasted.
    std::vector<std::string> missingNames;
};

// Channel grid: rows past the channel count refuse the paste ("Only 3 rows fit: the fixture has
// 8 channels."). A name takes the function code of the set's entry it matches (sameChName).
FixturePaste pasteChannels(const FixtureDocument& document, const ChNameSet& names, int row,
                           int column, const TextBlock& block);
// Steps grid of channel: rows past the last step add steps, up to 255 steps in all (more refuse
// the paste, saying how many rows fit). A step a paste adds starts blank (0 to 0, no name). On a
// channel without steps the paste makes its rows steps. The paste may start on the row below the
// last step (row = step count), which appends. An edit that adds steps has
// change.stepRows at the old step count, so the grid adds rows there.
FixturePaste pasteSteps(const FixtureDocument& document, int channel, int row, int column,
                        const TextBlock& block);

struct LedPaste : PasteOutcome {
    LedEdit edit; // named "Paste"
};
// LED grid: rows past the channel count refuse the paste.
LedPaste pasteLedCells(const LedFixtureDocument& document, int row, int column,
                       const TextBlock& block);

struct ChNamePaste : PasteOutcome {
    ChNameEdit edit; // named "Paste"
};
// Name set grid: each name stored as a typed one is (StoreChName); rows past the set's last
// position refuse the paste.
ChNamePaste pasteChNames(const ChNameDocument& document, int row, int column,
                         const TextBlock& block);

// Cut, after the block was copied: rows and columns inclusive, in the grids' own numbering.
// The steps grid deletes the steps firstRow..lastRow of channel (named "Cut", change.stepRows at
// firstRow; the first entry of a channel left without steps keeps its contents, as Delete does);
// elsewhere the cells that can be blank are blanked (channel names emptied and values 0; LED
// colours none; name set names blank) and the others are left as they are.
Edit cutSteps(const FixtureDocument& document, int channel, int firstRow, int lastRow);
Edit cutChannelCells(const FixtureDocument& document, int firstRow, int lastRow, int firstColumn,
                     int lastColumn);
LedEdit cutLedCells(const LedFixtureDocument& document, int firstRow, int lastRow, int firstColumn,
                    int lastColumn);
ChNameEdit cutChNames(const ChNameDocument& document, int firstRow, int lastRow);

} // namespace fx
