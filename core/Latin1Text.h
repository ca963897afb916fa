#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace fx {

// The files store texts one byte a character (Latin-1); the outside world speaks UTF-8.

// Latin-1 bytes as UTF-8.
std::string latin1ToUtf8(std::string_view latin1);

// A text from outside (UTF-8, possibly broken) as the console can store it, in Latin-1: every run
// of whitespace (blanks, tabs, line breaks, no-break spaces) becomes one blank, both ends are
// trimmed, control characters are dropped; a character outside Latin-1 becomes its close Latin-1
// form where there is one (dashes "-", curly quotes straight ones, "..." for the ellipsis, the
// accented letters of Latin Extended-A their base letter), "?" otherwise, as does a byte that is
// not valid UTF-8. The caller cuts the result to its field's width.
struct Latin1Conversion {
    std::string text;      // Latin-1
    bool replaced = false; // some character had no Latin-1 form and became "?"
};
Latin1Conversion utf8ToLatin1Text(std::string_view utf8);

// The text without the blanks, tabs and line breaks at its ends.
std::string_view trimBlanks(std::string_view text);

// Decodes one UTF-8 sequence at text[i] and advances i; InvalidCodePoint for a broken, overlong
// or surrogate one (one byte is then consumed, so decoding always moves on).
inline constexpr char32_t InvalidCodePoint = 0xFFFFFFFF;
char32_t nextCodePoint(std::string_view text, std::size_t& i);

} // namespace fx
