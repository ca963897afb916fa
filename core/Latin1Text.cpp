#include "core/Latin1Text.h"

#include <cstdint>

namespace fx {

std::string latin1ToUtf8(std::string_view latin1)
{
    std::string utf8;
    utf8.reserve(latin1.size());
    for (const char c : latin1) {
        const auto b = static_cast<std::uint8_t>(c);
        if (b < 0x80) {
            utf8 += c;
        } else {
            utf8 += static_cast<char>(0xC0 | (b >> 6));
            utf8 += static_cast<char>(0x80 | (b & 0x3F));
        }
    }
    return utf8;
}

std::string_view trimBlanks(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

char32_t nextCodePoint(std::string_view text, std::size_t& i)
{
    const auto b0 = static_cast<std::uint8_t>(text[i]);
    if (b0 < 0x80) {
        ++i;
        return b0;
    }
    int extra = 0;
    char32_t cp = 0;
    if ((b0 & 0xE0) == 0xC0) {
        extra = 1;
        cp = b0 & 0x1F;
    } else if ((b0 & 0xF0) == 0xE0) {
        extra = 2;
        cp = b0 & 0x0F;
    } else if ((b0 & 0xF8) == 0xF0) {
        extra = 3;
        cp = b0 & 0x07;
    } else {
        ++i;
        return InvalidCodePoint;
    }
    if (i + extra >= text.size()) {
        ++i;
        return InvalidCodePoint;
    }
    for (int k = 1; k <= extra; ++k) {
        const auto b = static_cast<std::uint8_t>(text[i + k]);
        if ((b & 0xC0) != 0x80) {
            ++i;
            return InvalidCodePoint;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    static constexpr char32_t minimum[] = {0, 0x80, 0x800, 0x10000};
    if (cp < minimum[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++i;
        return InvalidCodePoint;
    }
    i += extra + 1;
    return cp;
}

namespace {

// Base letters of U+0100..U+017F (Latin Extended-A), one a code point.
constexpr std::string_view latinExtendedA = "AaAaAaCcCcCcCcDd"
                                            "DdEeEeEeEeEeGgGg"
                                            "GgGgHhHhIiIiIiIi"
                                            "IiIiJjKkkLlLlLlL"
                                            "lLlNnNnNnnNnOoOo"
                                            "OoOoRrRrRrSsSsSs"
                                            "SsTtTtTtUuUuUuUu"
                                            "UuUuWwYyYZzZzZzs";

bool isSpace(char32_t cp)
{
    return cp == ' ' || cp == '\t' || cp == '\n' || cp == '\r' || cp == '\v' || cp == '\f' ||
           cp == 0xA0 || cp == 0x1680 || (cp >= 0x2000 && cp <= 0x200A) || cp == 0x2028 ||
           cp == 0x2029 || cp == 0x202F || cp == 0x205F || cp == 0x3000;
}

bool isDropped(char32_t cp)
{
    // Control characters, soft hyphen, zero-width characters, direction marks and the byte order
    // mark carry nothing a console can show.
    return cp < 0x20 || (cp >= 0x7F && cp < 0xA0) || cp == 0xAD || (cp >= 0x200B && cp <= 0x200F) ||
           (cp >= 0x202A && cp <= 0x202E) || (cp >= 0x2060 && cp <= 0x206F) || cp == 0xFEFF;
}

// The close Latin-1 form of a character outside Latin-1, empty when there is none.
std::string_view closeForm(char32_t cp)
{
    if (cp >= 0x100 && cp <= 0x17F)
        return latinExtendedA.substr(cp - 0x100, 1);
    switch (cp) {
    case 0x2010:
    case 0x2011:
    case 0x2012:
    case 0x2013:
    case 0x2014:
    case 0x2015:
    case 0x2212: return "-";
    case 0x2018:
    case 0x2019:
    case 0x201A:
    case 0x201B:
    case 0x2032: return "'";
    case 0x201C:
    case 0x201D:
    case 0x201E:
    case 0x201F:
    case 0x2033: return "\"";
    case 0x2026: return "...";
    case 0x2022:
    case 0x2219: return "*";
    case 0x2044:
    case 0x2215: return "/";
    case 0x2122: return "TM";
    case 0x20AC: return "EUR";
    case 0x2190: return "<-";
    case 0x2192: return "->";
    case 0x2194: return "<->";
    case 0x03BC: return "\xB5"; // Greek mu as the micro sign
    case 0x2126: return "Ohm";
    case 0x2264: return "<=";
    case 0x2265: return ">=";
    case 0x2248: return "~";
    case 0x221E: return "inf";
    default: return {};
    }
}

} // namespace

Latin1Conversion utf8ToLatin1Text(std::string_view utf8)
{
    Latin1Conversion out;
    out.text.reserve(utf8.size());
    bool pendingBlank = false;
    std::size_t i = 0;
    while (i < utf8.size()) {
        const char32_t cp = nextCodePoint(utf8, i);
        if (cp != InvalidCodePoint && isSpace(cp)) {
            pendingBlank = !out.text.empty();
            continue;
        }
        if (cp != InvalidCodePoint && isDropped(cp))
            continue;
        if (pendingBlank) {
            out.text += ' ';
            pendingBlank = false;
        }
        if (cp != InvalidCodePoint && cp < 0x100) {
            out.text += static_cast<char>(cp);
        } else if (const std::string_view close =
                       cp == InvalidCodePoint ? std::string_view{} : closeForm(cp);
                   !close.empty()) {
            out.text += close;
        } else {
            out.text += '?';
            out.replaced = true;
        }
    }
    return out;
}

} // namespace fx
