#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace fx {

// Cells as they travel over the clipboard: rows of UTF-8 texts, as a spreadsheet copies them.
using TextBlock = std::vector<std::vector<std::string>>;

// What a paste takes at most; a larger text is refused as a whole with a clear message.
struct TextBlockLimits {
    std::size_t maxBytes = 4u << 20; // 4 MiB of text
    int maxRows = 1024;
    int maxColumns = 64;
};

struct ReadBlock {
    TextBlock rows;
    std::string problem; // not empty: the text is refused as a whole, for this one-line reason
};

// Reads tab-separated text. Lines end in LF, CRLF or a lone CR; a line end after the last line
// adds no row. A cell that starts with a double quote runs to the closing quote and may hold
// tabs, line ends and doubled quotes ("Red, deep", "say ""hi"""); a quote that is never closed
// is an ordinary character of its cell. A trailing tab gives an empty last cell; empty text gives
// no rows. Cells are kept as UTF-8 as they came (a cell judge converts them to Latin-1); NUL
// and other control bytes are kept too, for the judge to refuse. Refused: more bytes, rows or
// columns than the limits allow (the message says which and how many).
ReadBlock readTextBlock(std::string_view utf8, const TextBlockLimits& limits = {});

// Cells as tab-separated text, each row ending in "\n". A cell holding a tab, a line end or a
// double quote is quoted as readTextBlock reads it back.
std::string writeTextBlock(const TextBlock& rows);
// The same cells as an HTML table (<table><tr><td>...</td></tr></table>, with &, <, >, " escaped
// and the document's charset given as UTF-8), for spreadsheets that take HTML from the clipboard.
std::string writeHtmlBlock(const TextBlock& rows);

// Whether clipboard text is a block of cells rather than lines from a manual: it has a tab, or
// none of its lines reads as a range ("0-9", "10 to 19") or a value with a name ("40 Gobo 1"), so
// that one cell copied ("Open", "10") or a single column pastes as cells.
bool isTextBlock(std::string_view utf8);

// Step ranges read from the DMX chart of a fixture manual, one a line:
//   "0-9 Open", "000 - 009 Open", "10–19 Red" (en or em dash), "20 ~ 29: Blue",
//   "30 to 39 Green", "40 Gobo 1" (a single value: From = To = 40), "50-59 Open (default)"
//   (a remark in parentheses at the end is dropped: the name is "Open"); "0...9", "0…9" and
//   "0÷9" are ranges too. A number followed by "%" (a percentage) or by ")", "." or "," (a
//   numbered list) starts no step.
// The name is the rest of the line after the range and any ":", "-", "=" or blanks; it may be
// empty. Numbers are read as written (0 to 255 is the judge's business, which refuses others
// naming the line); From above To is kept (the fixture check shows it).
struct ManualStep {
    int from = 0;
    int to = 0;
    std::string name; // UTF-8
    int line = 0;     // 1-based line of the text it came from
};
struct ManualSteps {
    std::vector<ManualStep> steps;
    int skipped = 0; // lines with text but without a range at their start (blank lines don't count)
};
ManualSteps readManualLines(std::string_view utf8);

// Manual steps as the block the steps grid takes at its Name column: name, From, To a row.
TextBlock manualStepsAsBlock(const std::vector<ManualStep>& steps);
// The first step with a number above 255, in one line naming the line of the text it came from
// ("Line 4: 300 is not a number from 0 to 255."); empty when every number fits.
std::string manualStepsProblem(const std::vector<ManualStep>& steps);

} // namespace fx
