#include "core/GridPaste.h"

#include "core/Latin1Text.h"

#include <algorithm>
#include <array>
#include <memory>
#include <optional>
#include <span>

namespace fx {

namespace {

bool isEmptyCell(std::string_view cell)
{
    return trimBlanks(cell).empty();
}

// A cell as a message quotes it: at most 24 bytes (cut before a UTF-8 sequence), control
// characters as "?".
std::string quoted(std::string_view cell)
{
    cell = trimBlanks(cell);
    std::string out = "\"";
    std::size_t n = cell.size();
    if (n > 24) {
        n = 24;
        while (n > 0 && (static_cast<unsigned char>(cell[n]) & 0xC0) == 0x80)
            --n;
    }
    for (std::size_t i = 0; i < n; ++i) {
        const auto b = static_cast<unsigned char>(cell[i]);
        out += b < 0x20 || b == 0x7F ? '?' : cell[i];
    }
    return out + (n < cell.size() ? "...\"" : "\"");
}

std::string lower(std::string text)
{
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

bool allDigits(std::string_view text)
{
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A whole number in a cell, blanks around it allowed; nothing when it is not one (or too large
// to matter).
std::optional<int> cellNumber(std::string_view cell)
{
    cell = trimBlanks(cell);
    if (!allDigits(cell))
        return std::nullopt;
    long long n = 0;
    for (const char c : cell)
        n = std::min(n * 10 + (c - '0'), 1000000LL);
    return static_cast<int>(n);
}

// The reason a value cell is refused, or empty with value set (left as it is when the cell is
// empty).
std::string judgeDmx(std::string_view cell, std::uint8_t& value)
{
    if (isEmptyCell(cell))
        return {};
    const std::optional<int> n = cellNumber(cell);
    if (!n || *n > 255)
        return quoted(cell) + " is not a number from 0 to 255.";
    value = static_cast<std::uint8_t>(*n);
    return {};
}

// A name as typed: Latin-1, without control characters; empty for an empty cell.
std::string judgeName(std::string_view cell, std::string& latin1)
{
    const bool control = std::any_of(cell.begin(), cell.end(), [](char c) {
        const auto b = static_cast<unsigned char>(c);
        return (b < 0x20 && c != '\t' && c != '\n' && c != '\r') || b == 0x7F;
    });
    if (control)
        return quoted(cell) + " holds a control character.";
    Latin1Conversion text = utf8ToLatin1Text(cell);
    if (text.replaced)
        return quoted(cell) + " holds a character that has no Latin-1 form.";
    latin1 = std::move(text.text);
    return {};
}

// A channel type by its shown text (any case) or its letter in the fixture file.
std::string judgeType(std::string_view cell, std::optional<int>& code)
{
    std::string latin1;
    if (std::string why = judgeName(cell, latin1); !why.empty())
        return why;
    if (latin1.empty())
        return {};
    for (int c = 0; c < ChannelTypeCount; ++c) {
        if (lower(latin1) == lower(ChTypeName(c))) {
            code = c;
            return {};
        }
    }
    static constexpr std::array<std::pair<char, int>, 8> Letters{
        {{'L', 0}, {'l', 0}, {'H', 1}, {'h', 1}, {'I', 2}, {'i', 2}, {'S', 3}, {'s', 5}}};
    for (const auto& [letter, c] : Letters) {
        if (latin1.size() == 1 && latin1[0] == letter) {
            code = c;
            return {};
        }
    }
    if (latin1 == "A" || latin1 == "O")
        return quoted(cell) + " stands for either low 16-bit type; paste the type by its name.";
    return quoted(cell) + " is not a channel type: paste its name (\"LTP\", \"instant LTP " +
           "16bitH\", ...) or its letter (L, H, I, S, s).";
}

// A type cell: the type, and no partner below the 16-bit types.
std::string judgeTypeCell(std::string_view cell, std::uint8_t& type, std::uint8_t& partner)
{
    std::optional<int> code;
    std::string why = judgeType(cell, code);
    if (code) {
        type = static_cast<std::uint8_t>(*code);
        if (!isSixteenBitType(*code))
            partner = 0;
    }
    return why;
}

// A partner cell of a 16-bit channel: a channel of the fixture, or 0 for none.
std::string judgePartner(std::string_view cell, int count, std::uint8_t& partner)
{
    if (isEmptyCell(cell))
        return {};
    const std::optional<int> n = cellNumber(cell);
    if (!n || *n > count)
        return quoted(cell) + " is not a channel from 1 to " + std::to_string(count) +
               " (or 0 for none).";
    partner = static_cast<std::uint8_t>(*n);
    return {};
}

// A cell that cannot be typed into: passed over when empty or showing what the cell shows (or,
// for a heading, a heading of another row), refused otherwise.
std::string judgeFixedCell(std::string_view cell, std::string_view shown, bool heading,
                           std::string_view headingWord = {})
{
    const std::string_view text = trimBlanks(cell);
    if (text.empty() || text == trimBlanks(shown))
        return {};
    if (heading) {
        std::string_view number = text;
        if (!headingWord.empty() && number.substr(0, headingWord.size()) == headingWord)
            number = trimBlanks(number.substr(headingWord.size()));
        if (allDigits(number) || text == "No Steps")
            return {};
        return quoted(cell) + " falls on the row heading, which cannot be typed into.";
    }
    return quoted(cell) + " falls on a cell that cannot be typed into.";
}

// Rows up to the last one holding any non-empty cell: empty rows at the end add nothing.
int usedRows(const TextBlock& block)
{
    int rows = static_cast<int>(block.size());
    while (rows > 0 && std::all_of(block[rows - 1].begin(), block[rows - 1].end(), isEmptyCell))
        --rows;
    return rows;
}

// The walk every paste makes over its block: each cell judged by judge(gridRow, gridColumn,
// cell), which returns why it is refused; the first refusal becomes the outcome's problem.
template <typename Judge>
std::string walkBlock(const TextBlock& block, int rows, int row, int column,
                      std::span<const char* const> headings, std::string_view rowWord,
                      const Judge& judge)
{
    const int columns = static_cast<int>(headings.size());
    for (int r = 0; r < rows; ++r) {
        const int gridRow = row + r;
        const std::string rowName = std::string(rowWord) + " " + std::to_string(gridRow + 1);
        const auto& cells = block[static_cast<std::size_t>(r)];
        for (int c = 0; c < static_cast<int>(cells.size()); ++c) {
            const std::string& cell = cells[static_cast<std::size_t>(c)];
            const int gridColumn = column + c;
            if (gridColumn >= columns) {
                if (isEmptyCell(cell))
                    continue;
                return rowName + ": " + quoted(cell) + " falls past the last column (" +
                       headings[columns - 1] + ").";
            }
            if (std::string why = judge(gridRow, gridColumn, cell); !why.empty())
                return rowName + ", " + headings[gridColumn] + ": " + why;
        }
    }
    return {};
}

// The checks every paste starts with: the block is not empty, its top-left cell lands on one of
// the grid's places rows (columns wide), and its used rows end at or before row limit (why says
// what sets the limit). The used rows, or nothing (problem set unless the block is empty).
std::optional<int> placeBlock(const TextBlock& block, int row, int column, int places,
                              int columns, int limit, const std::string& why, std::string& problem)
{
    if (block.empty())
        return std::nullopt;
    if (row < 0 || column < 0 || row >= places || column >= columns) {
        problem = "The paste has no cell to start from.";
        return std::nullopt;
    }
    const int rows = usedRows(block);
    if (row + rows > limit) {
        const int fit = limit - row;
        problem = "Only " + std::to_string(fit) + (fit == 1 ? " row fits: " : " rows fit: ") + why;
        return std::nullopt;
    }
    return rows;
}

constexpr std::array<const char*, 5> ChannelHeadings{"Channel", "Channel Name", "Type", "Ch16bit",
                                                     "Value"};
constexpr std::array<const char*, 4> StepHeadings{"Step", "Step Name", "From Dmx", "To Dmx"};
constexpr std::array<const char*, 4> LedHeadings{"Channel", "Channel Name", "Type", "Ch16bit"};
constexpr std::array<const char*, 2> ChNameHeadings{"Channel ID", "Channel Name"};

// A channel name cell as the fixture editor takes a typed name: a listed entry's name and code,
// the name missing from the set, or a refusal.
std::string judgeChannelName(std::string_view cell, const ChNameSet& names, ChannelInfo& channel,
                             std::vector<std::string>& missing)
{
    std::string latin1;
    if (std::string why = judgeName(cell, latin1); !why.empty())
        return why;
    if (latin1.empty()) {
        channel.ChName = FixedText<12>::blanks();
        channel.FuncCode = 0;
        return {};
    }
    for (const ChNameRec& rec : names) {
        if (isListedChName(rec) && sameChName(rec.SetName.str(), latin1)) {
            channel.ChName = rec.SetName;
            channel.FuncCode = rec.ChCode;
            return {};
        }
    }
    if (latin1.size() < 2)
        return quoted(cell) + " is too short for a channel name (2 characters at least).";
    switch (judgeTypedName(names, latin1)) {
    case TypedNameVerdict::ListFull:
    case TypedNameVerdict::NoFreePlace:
        return quoted(cell) + " is not in the channel name set, and the set has no free place.";
    default: break;
    }
    const std::string name = FixedText<12>::fromText(latin1).trimmed();
    const bool met = std::any_of(missing.begin(), missing.end(),
                                 [&](const std::string& m) { return sameChName(m, name); });
    if (!met)
        missing.push_back(name);
    return {};
}

} // namespace

FixturePaste pasteChannels(const FixtureDocument& document, const ChNameSet& names, int row,
                           int column, const TextBlock& block)
{
    FixturePaste out;
    const FixtureRecord& before = document.record();
    const int count = std::clamp<int>(before.FixHeader.NumChannels, 0, MaxChannels);
    const std::optional<int> placed =
        placeBlock(block, row, column, count, static_cast<int>(ChannelHeadings.size()), count,
                   "the fixture has " + std::to_string(count) + " channels.", out.problem);
    if (!placed)
        return out;
    const int rows = *placed;
    auto after = std::make_unique<FixtureRecord>(before);
    std::vector<std::string> missing;
    const auto judge = [&](int r, int c, std::string_view cell) -> std::string {
        ChannelInfo& ch = after->Channels[static_cast<std::size_t>(r)];
        const bool partnered = isSixteenBitType(ch.ChType);
        switch (c) {
        case 0: return judgeFixedCell(cell, "Chan " + std::to_string(r + 1), true, "Chan");
        case 1: return judgeChannelName(cell, names, ch, missing);
        case 2: return judgeTypeCell(cell, ch.ChType, ch.PairChannel);
        case 3:
            return partnered ? judgePartner(cell, count, ch.PairChannel)
                             : judgeFixedCell(cell, "0", false);
        default: return judgeDmx(cell, ch.ChValue);
        }
    };
    out.problem = walkBlock(block, rows, row, column, ChannelHeadings, "Chan", judge);
    out.rows = rows;
    if (!out.problem.empty())
        return out;
    if (!missing.empty()) {
        out.missingNames = std::move(missing);
        return out;
    }
    out.edit = FixtureDocument::diff("Paste", before, *after);
    return out;
}

FixturePaste pasteSteps(const FixtureDocument& document, int channel, int row, int column,
                        const TextBlock& block)
{
    FixturePaste out;
    if (block.empty())
        return out;
    if (channel < 0 || channel >= MaxChannels) {
        out.problem = "There is no channel " + std::to_string(channel + 1) + ".";
        return out;
    }
    const FixtureRecord& before = document.record();
    const int count = before.StepCount[static_cast<std::size_t>(channel)];
    // The row below the last step is a place to start too: the paste appends there.
    const std::optional<int> placed = placeBlock(
        block, row, column, count + 1, static_cast<int>(StepHeadings.size()), MaxEditableSteps,
        "a channel has at most " + std::to_string(MaxEditableSteps) + " steps.", out.problem);
    if (!placed)
        return out;
    const int rows = *placed;
    auto after = std::make_unique<FixtureRecord>(before);
    auto& steps = after->Steps[static_cast<std::size_t>(channel)];
    const int newCount = rows > 0 ? std::max(count, row + rows) : count;
    for (int s = count; s < newCount; ++s)
        steps[static_cast<std::size_t>(s)] = {0, 0, FixedText<8>::blanks()};
    const auto judge = [&](int r, int c, std::string_view cell) -> std::string {
        StepInfo& step = steps[static_cast<std::size_t>(r)];
        switch (c) {
        case 0: {
            const std::string shown = count == 0 ? "No Steps" : "Step " + std::to_string(r + 1);
            return judgeFixedCell(cell, shown, true, "Step");
        }
        case 1: {
            std::string latin1;
            std::string why = judgeName(cell, latin1);
            if (why.empty())
                step.StepName.assign(latin1);
            return why;
        }
        case 2: return judgeDmx(cell, step.FromDmx);
        default: return judgeDmx(cell, step.ToDmx);
        }
    };
    out.problem = walkBlock(block, rows, row, column, StepHeadings, "Step", judge);
    out.rows = rows;
    if (!out.problem.empty())
        return out;
    after->StepCount[static_cast<std::size_t>(channel)] = static_cast<std::uint8_t>(newCount);
    out.added = newCount - count;
    out.edit = FixtureDocument::diff("Paste", before, *after);
    // Steps appended at the end move nothing: the grid adds their rows there.
    if (out.added > 0 && !out.edit.empty())
        out.edit.change.stepRows = {channel, count};
    return out;
}

LedPaste pasteLedCells(const LedFixtureDocument& document, int row, int column,
                       const TextBlock& block)
{
    LedPaste out;
    const LedFixtureRecord& before = document.record();
    const int count = std::clamp<int>(before.LedChannelCount, 0, LedMaxChannels);
    const std::optional<int> placed =
        placeBlock(block, row, column, count, static_cast<int>(LedHeadings.size()), count,
                   "the fixture has " + std::to_string(count) + " channels.", out.problem);
    if (!placed)
        return out;
    const int rows = *placed;
    LedFixtureRecord after = before;
    const auto judge = [&](int r, int c, std::string_view cell) -> std::string {
        LedChannelRec& ch = after.LedChannels[static_cast<std::size_t>(r)];
        switch (c) {
        case 0: return judgeFixedCell(cell, "Chan " + std::to_string(r + 1), true, "Chan");
        case 1: {
            std::string latin1;
            if (std::string why = judgeName(cell, latin1); !why.empty())
                return why;
            if (latin1.empty()) {
                ch.ColourCode = 0;
                ch.Name = FixedText<12>{};
                return {};
            }
            for (int code = 1; code <= LedColourCount; ++code) {
                if (lower(latin1) == lower(ledColourName(code))) {
                    ch.ColourCode = static_cast<std::uint8_t>(code);
                    ch.Name.assign(ledColourName(code));
                    return {};
                }
            }
            return quoted(cell) + " is not a colour (Red, Green, Blue, Amber, CoolW, WarmW, " +
                   "Dimmer, Speed, Duration).";
        }
        case 2: return judgeTypeCell(cell, ch.TypeCode, ch.PairChannel);
        default:
            if (isSixteenBitType(ch.TypeCode))
                return judgePartner(cell, count, ch.PairChannel);
            return judgeFixedCell(
                cell, std::to_string(ch.PairChannel <= count ? ch.PairChannel : 0), false);
        }
    };
    out.problem = walkBlock(block, rows, row, column, LedHeadings, "Chan", judge);
    out.rows = rows;
    if (!out.problem.empty() || after == before)
        return out;
    out.edit = LedEdit{"Paste", 0, before, after};
    return out;
}

ChNamePaste pasteChNames(const ChNameDocument& document, int row, int column,
                         const TextBlock& block)
{
    ChNamePaste out;
    const std::optional<int> placed = placeBlock(
        block, row, column, ChNameCount, static_cast<int>(ChNameHeadings.size()), ChNameCount,
        "the set has " + std::to_string(ChNameCount) + " positions.", out.problem);
    if (!placed)
        return out;
    const int rows = *placed;
    const ChNameSet& before = document.record();
    ChNameSet after = before;
    const auto judge = [&](int r, int c, std::string_view cell) -> std::string {
        if (c == 0)
            return judgeFixedCell(cell, std::to_string(r + 1), true);
        if (r < FirstEditablePosition) {
            // A fixed name, compared as the grid shows it (a name never written shows empty).
            const auto& name = before[static_cast<std::size_t>(r)].SetName.bytes;
            const bool unwritten =
                std::all_of(name.begin(), name.end(), [](std::uint8_t b) { return b == 0; });
            const std::string shown =
                unwritten ? std::string() : latin1ToUtf8(before[std::size_t(r)].SetName.trimmed());
            return judgeFixedCell(cell, shown, false);
        }
        std::string latin1;
        if (std::string why = judgeName(cell, latin1); !why.empty())
            return why;
        StoreChName(after, r, latin1);
        return {};
    };
    out.problem = walkBlock(block, rows, row, column, ChNameHeadings, "Channel ID", judge);
    out.rows = rows;
    if (!out.problem.empty())
        return out;
    out.edit = ChNameDocument::diff("Paste", before, after);
    return out;
}

Edit cutSteps(const FixtureDocument& document, int channel, int firstRow, int lastRow)
{
    Edit edit = document.deleteSteps(channel, firstRow, lastRow);
    edit.name = "Cut";
    return edit;
}

Edit cutChannelCells(const FixtureDocument& document, int firstRow, int lastRow, int firstColumn,
                     int lastColumn)
{
    const int count = std::clamp<int>(document.record().FixHeader.NumChannels, 0, MaxChannels);
    firstRow = std::max(firstRow, 0);
    lastRow = std::min(lastRow, count - 1);
    const bool name = firstColumn <= 1 && lastColumn >= 1;
    const bool value = firstColumn <= 4 && lastColumn >= 4;
    if (firstRow > lastRow || (!name && !value))
        return {};
    return document.change("Cut", [&](FixtureRecord& r) {
        for (int row = firstRow; row <= lastRow; ++row) {
            ChannelInfo& ch = r.Channels[static_cast<std::size_t>(row)];
            if (name) {
                ch.ChName = FixedText<12>::blanks();
                ch.FuncCode = 0;
            }
            if (value)
                ch.ChValue = 0;
        }
    });
}

LedEdit cutLedCells(const LedFixtureDocument& document, int firstRow, int lastRow, int firstColumn,
                    int lastColumn)
{
    const LedFixtureRecord& before = document.record();
    const int count = std::clamp<int>(before.LedChannelCount, 0, LedMaxChannels);
    if (!(firstColumn <= 1 && lastColumn >= 1))
        return {};
    LedFixtureRecord after = before;
    for (int row = std::max(firstRow, 0); row <= std::min(lastRow, count - 1); ++row) {
        LedChannelRec& ch = after.LedChannels[static_cast<std::size_t>(row)];
        ch.ColourCode = 0;
        ch.Name = FixedText<12>{};
    }
    if (after == before)
        return {};
    return LedEdit{"Cut", 0, before, after};
}

ChNameEdit cutChNames(const ChNameDocument& document, int firstRow, int lastRow)
{
    ChNameSet after = document.record();
    for (int row = std::max(firstRow, FirstEditablePosition);
         row <= std::min(lastRow, ChNameCount - 1); ++row)
        StoreChName(after, row, {});
    return ChNameDocument::diff("Cut", document.record(), after);
}

} // namespace fx
