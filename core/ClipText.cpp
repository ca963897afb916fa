#include "core/ClipText.h"

#include <algorithm>

namespace fx {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

// The byte after a line end starting at i (LF, CRLF or a lone CR); i itself when none starts there.
std::size_t afterLineEnd(std::string_view text, std::size_t i)
{
    if (i >= text.size())
        return i;
    if (text[i] == '\n')
        return i + 1;
    if (text[i] == '\r')
        return i + 1 < text.size() && text[i + 1] == '\n' ? i + 2 : i + 1;
    return i;
}

// A quoted cell starting at the quote at i: its text and the byte after the closing quote; nothing
// when the quote is never closed.
bool readQuoted(std::string_view text, std::size_t& i, std::string& cell)
{
    std::string out;
    for (std::size_t k = i + 1; k < text.size(); ++k) {
        if (text[k] != '"') {
            out += text[k];
        } else if (k + 1 < text.size() && text[k + 1] == '"') {
            out += '"';
            ++k;
        } else {
            cell = std::move(out);
            i = k + 1;
            return true;
        }
    }
    return false;
}

void escapeHtml(std::string& out, std::string_view text)
{
    for (const char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\n': out += "<br>"; break;
        case '\r': break;
        default: out += c;
        }
    }
}

// A run of ASCII digits at i, read as written (a long run stays large rather than wrapping).
bool readNumber(std::string_view line, std::size_t& i, int& value)
{
    const std::size_t start = i;
    long long n = 0;
    while (i < line.size() && line[i] >= '0' && line[i] <= '9') {
        n = std::min(n * 10 + (line[i] - '0'), 999999LL);
        ++i;
    }
    value = static_cast<int>(n);
    return i > start;
}

void skipBlanks(std::string_view line, std::size_t& i)
{
    while (i < line.size() && isBlank(line[i]))
        ++i;
}

bool startsWith(std::string_view line, std::size_t i, std::string_view what)
{
    return line.substr(i, what.size()) == what;
}

constexpr std::string_view EnDash = "\xE2\x80\x93";
constexpr std::string_view EmDash = "\xE2\x80\x94";
constexpr std::string_view Ellipsis = "\xE2\x80\xA6";
constexpr std::string_view Division = "\xC3\xB7"; // "0÷9", as some manuals write a range

// The separator of a range at i ("-", an en or em dash, "~", "to", "...", an ellipsis, "÷"), and
// the byte after it.
bool readRangeSeparator(std::string_view line, std::size_t& i)
{
    if (startsWith(line, i, "...")) {
        i += 3;
        return true;
    }
    if (i < line.size() && (line[i] == '-' || line[i] == '~')) {
        ++i;
        return true;
    }
    for (const std::string_view dash : {EnDash, EmDash, Ellipsis, Division}) {
        if (startsWith(line, i, dash)) {
            i += dash.size();
            return true;
        }
    }
    if (i + 2 <= line.size() && (line[i] == 't' || line[i] == 'T') &&
        (line[i + 1] == 'o' || line[i + 1] == 'O') &&
        (i + 2 == line.size() || isBlank(line[i + 2]) ||
         (line[i + 2] >= '0' && line[i + 2] <= '9'))) {
        i += 2;
        return true;
    }
    return false;
}

bool isAsciiLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// One manual line; false when it has no range at its start. ranged: it has a separator and a
// second number.
bool readManualLine(std::string_view line, ManualStep& step, bool* ranged = nullptr)
{
    std::size_t i = 0;
    skipBlanks(line, i);
    if (!readNumber(line, i, step.from) || (i < line.size() && isAsciiLetter(line[i])))
        return false;
    step.to = step.from;
    std::size_t after = i;
    skipBlanks(line, after);
    if (readRangeSeparator(line, after)) {
        skipBlanks(line, after);
        int to = 0;
        if (readNumber(line, after, to) && !(after < line.size() && isAsciiLetter(line[after]))) {
            step.to = to;
            if (ranged)
                *ranged = true;
            i = after;
        }
    }
    // A number followed by "%" is a percentage, not a DMX value; one followed by ")", "." or ","
    // numbers a list. Neither line gives a step.
    skipBlanks(line, i);
    if (i < line.size() && std::string_view("%).,").find(line[i]) != std::string_view::npos)
        return false;
    // The name: after any ":", "-", "=" (or a dash) and blanks, without a closing remark.
    for (;;) {
        skipBlanks(line, i);
        if (i < line.size() && (line[i] == ':' || line[i] == '-' || line[i] == '='))
            ++i;
        else if (startsWith(line, i, EnDash) || startsWith(line, i, EmDash))
            i += EnDash.size();
        else
            break;
    }
    std::string_view name = line.substr(i);
    while (!name.empty() && isBlank(name.back()))
        name.remove_suffix(1);
    if (!name.empty() && name.back() == ')') {
        const std::size_t open = name.rfind('(');
        if (open != std::string_view::npos) {
            name = name.substr(0, open);
            while (!name.empty() && isBlank(name.back()))
                name.remove_suffix(1);
        }
    }
    step.name = std::string(name);
    return true;
}

} // namespace

ReadBlock readTextBlock(std::string_view utf8, const TextBlockLimits& limits)
{
    ReadBlock out;
    if (utf8.size() > limits.maxBytes) {
        out.problem = "The text is " + std::to_string(utf8.size()) + " bytes long; a paste takes " +
                      "at most " + std::to_string(limits.maxBytes) + " bytes.";
        return out;
    }
    std::size_t i = 0;
    while (i < utf8.size()) {
        if (static_cast<int>(out.rows.size()) >= limits.maxRows) {
            out.rows.clear();
            out.problem = "The text has more than " + std::to_string(limits.maxRows) +
                          " rows; a paste takes at most " + std::to_string(limits.maxRows) + ".";
            return out;
        }
        std::vector<std::string>& row = out.rows.emplace_back();
        for (;;) {
            if (static_cast<int>(row.size()) >= limits.maxColumns) {
                const std::size_t rowNumber = out.rows.size();
                out.rows.clear();
                out.problem = "Row " + std::to_string(rowNumber) + " has more than " +
                              std::to_string(limits.maxColumns) +
                              " columns; a paste takes at most " +
                              std::to_string(limits.maxColumns) + ".";
                return out;
            }
            std::string cell;
            // A quote that is never closed is an ordinary character of an unquoted cell.
            if (i >= utf8.size() || utf8[i] != '"' || !readQuoted(utf8, i, cell))
                cell.clear();
            while (i < utf8.size() && utf8[i] != '\t' && afterLineEnd(utf8, i) == i)
                cell += utf8[i++];
            row.push_back(std::move(cell));
            if (i < utf8.size() && utf8[i] == '\t') {
                ++i;
                continue;
            }
            i = afterLineEnd(utf8, i);
            break;
        }
    }
    return out;
}

std::string writeTextBlock(const TextBlock& rows)
{
    std::string out;
    for (const auto& row : rows) {
        for (std::size_t c = 0; c < row.size(); ++c) {
            if (c > 0)
                out += '\t';
            const std::string& cell = row[c];
            if (cell.find_first_of("\t\r\n\"") == std::string::npos) {
                out += cell;
                continue;
            }
            out += '"';
            for (const char ch : cell) {
                if (ch == '"')
                    out += '"';
                out += ch;
            }
            out += '"';
        }
        out += '\n';
    }
    return out;
}

std::string writeHtmlBlock(const TextBlock& rows)
{
    std::string out = "<html><head><meta charset=\"utf-8\"></head><body><table>";
    for (const auto& row : rows) {
        out += "<tr>";
        for (const std::string& cell : row) {
            out += "<td>";
            escapeHtml(out, cell);
            out += "</td>";
        }
        out += "</tr>";
    }
    out += "</table></body></html>";
    return out;
}

namespace {

// Calls take(line, lineNumber) for each line of the text.
template <typename Take> void forEachLine(std::string_view utf8, const Take& take)
{
    std::size_t i = 0;
    int lineNumber = 0;
    while (i < utf8.size()) {
        std::size_t end = i;
        while (end < utf8.size() && afterLineEnd(utf8, end) == end)
            ++end;
        take(utf8.substr(i, end - i), ++lineNumber);
        i = afterLineEnd(utf8, end);
    }
}

} // namespace

bool isTextBlock(std::string_view utf8)
{
    if (utf8.find('\t') != std::string_view::npos)
        return true;
    // Without tabs: manual lines when some line reads as a range or as a value with a name; a
    // single column of names or numbers (one cell copied) stays a block.
    bool manual = false;
    forEachLine(utf8, [&](std::string_view line, int) {
        ManualStep step;
        bool ranged = false;
        manual = manual || (readManualLine(line, step, &ranged) && (ranged || !step.name.empty()));
    });
    return !manual;
}

ManualSteps readManualLines(std::string_view utf8)
{
    ManualSteps out;
    forEachLine(utf8, [&](std::string_view line, int lineNumber) {
        if (std::all_of(line.begin(), line.end(), isBlank))
            return;
        ManualStep step;
        step.line = lineNumber;
        if (readManualLine(line, step))
            out.steps.push_back(std::move(step));
        else
            ++out.skipped;
    });
    return out;
}

TextBlock manualStepsAsBlock(const std::vector<ManualStep>& steps)
{
    TextBlock block;
    block.reserve(steps.size());
    for (const ManualStep& step : steps)
        block.push_back({step.name, std::to_string(step.from), std::to_string(step.to)});
    return block;
}

std::string manualStepsProblem(const std::vector<ManualStep>& steps)
{
    for (const ManualStep& step : steps) {
        for (const int value : {step.from, step.to}) {
            if (value > 255)
                return "Line " + std::to_string(step.line) + ": " + std::to_string(value) +
                       " is not a number from 0 to 255.";
        }
    }
    return {};
}

} // namespace fx
