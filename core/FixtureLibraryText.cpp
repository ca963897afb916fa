// The texts of the fixture library: the folding the search compares with, one-line field texts,
// and the technician's folder list as the editor's INI settings file holds it.

#include "core/FixtureLibrary.h"
#include "core/FixtureLibraryParts.h"
#include "core/Latin1Text.h"

#include <cctype>
#include <cstdint>
#include <fstream>

namespace fx {

namespace {

void encode(char32_t cp, std::string& out)
{
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xF0 | (cp >> 18));
        out += char(0x80 | ((cp >> 12) & 0x3F));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}

// Base letters of U+00C0..U+00FF and U+0100..U+017F, lower case; '*' marks a letter written
// with two ("ae", "oe", "ss", "th", "ij") and '-' one kept as it is (the signs x and /).
constexpr std::string_view latin1Letters = "aaaaaa*ceeeeiiii"
                                           "dnooooo-ouuuuy**"
                                           "aaaaaa*ceeeeiiii"
                                           "dnooooo-ouuuuyty";
constexpr std::string_view latinExtendedA = "aaaaaaccccccccdd"
                                            "ddeeeeeeeeeegggg"
                                            "gggghhhhiiiiiiii"
                                            "ii**jjkkklllllll"
                                            "lllnnnnnnnnnoooo"
                                            "oo**rrrrrrssssss"
                                            "ssttttttuuuuuuuu"
                                            "uuuuwwyyyzzzzzzs";

void foldCodePoint(char32_t cp, std::string& out)
{
    if (cp < 0x80) {
        out += char(cp >= 'A' && cp <= 'Z' ? cp + 32 : cp);
        return;
    }
    if (cp >= 0x300 && cp <= 0x36F) // combining accents
        return;
    if ((cp >= 0xC0 && cp <= 0xFF) || (cp >= 0x100 && cp <= 0x17F)) {
        const char base = cp <= 0xFF ? latin1Letters[cp - 0xC0] : latinExtendedA[cp - 0x100];
        if (base == '-') {
            encode(cp, out);
        } else if (base != '*') {
            out += base;
        } else {
            switch (cp) {
            case 0xC6:
            case 0xE6: out += "ae"; break;
            case 0xDE: out += "th"; break;
            case 0xDF: out += "ss"; break;
            case 0x132:
            case 0x133: out += "ij"; break;
            default: out += "oe"; break; // U+0152, U+0153
            }
        }
        return;
    }
    if ((cp >= 0x391 && cp <= 0x3A9) || (cp >= 0x410 && cp <= 0x42F))
        cp += 0x20;
    else if (cp >= 0x400 && cp <= 0x40F)
        cp += 0x50;
    encode(cp, out);
}

} // namespace

std::string foldForSearch(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const char32_t cp = nextCodePoint(utf8, i);
        if (cp != InvalidCodePoint)
            foldCodePoint(cp, out);
    }
    return out;
}

std::string libraryLine(std::string_view utf8, std::size_t maxBytes)
{
    std::string out;
    bool blank = false;
    for (const char c : utf8) {
        const auto b = static_cast<std::uint8_t>(c);
        if (b < 0x20 || b == 0x7F || c == ' ') {
            blank = !out.empty();
            continue;
        }
        if (blank)
            out += ' ';
        blank = false;
        out += c;
    }
    if (out.size() > maxBytes) {
        std::size_t cut = maxBytes;
        while (cut > 0 && (static_cast<std::uint8_t>(out[cut]) & 0xC0) == 0x80)
            --cut; // not inside a UTF-8 sequence
        out.resize(cut);
    }
    return out;
}

namespace {

// One value of a list as the INI file writes it: quoted parts keep everything, escapes as in C,
// "\xHHHH" a UTF-16 unit; a leading "@@" stands for "@".
std::vector<std::string> unescapeList(std::string_view value)
{
    std::vector<std::string> items;
    std::string item;
    bool quoted = false, any = false;
    std::size_t pendingBlanks = 0;
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        if (c == '"') {
            quoted = !quoted;
            any = true;
            item.append(pendingBlanks, ' ');
            pendingBlanks = 0;
            continue;
        }
        if (!quoted && c == ',') {
            items.push_back(std::move(item));
            item.clear();
            any = false;
            pendingBlanks = 0;
            continue;
        }
        if (!quoted && (c == ' ' || c == '\t')) {
            if (any)
                ++pendingBlanks;
            continue;
        }
        item.append(pendingBlanks, ' ');
        pendingBlanks = 0;
        any = true;
        if (c != '\\' || i + 1 >= value.size()) {
            item += c;
            continue;
        }
        const char e = value[++i];
        switch (e) {
        case 'a': item += '\a'; break;
        case 'b': item += '\b'; break;
        case 'f': item += '\f'; break;
        case 'n': item += '\n'; break;
        case 'r': item += '\r'; break;
        case 't': item += '\t'; break;
        case 'v': item += '\v'; break;
        case 'x': {
            char32_t cp = 0;
            int digits = 0;
            while (digits < 4 && i + 1 < value.size() &&
                   std::isxdigit(static_cast<unsigned char>(value[i + 1]))) {
                const char h = value[++i];
                cp = cp * 16 + char32_t(h <= '9' ? h - '0' : (h | 0x20) - 'a' + 10);
                ++digits;
            }
            encode(cp, item);
            break;
        }
        default: item += e; break; // \" \' \\ \? and anything else as itself
        }
    }
    items.push_back(std::move(item));
    for (std::string& s : items) {
        if (s.rfind("@@", 0) == 0)
            s.erase(0, 1);
    }
    return items;
}

std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

} // namespace

std::vector<std::string> readSettingsList(const std::string& iniFile, std::string_view section,
                                          std::string_view key)
{
    std::ifstream in(iniFile, std::ios::binary);
    std::string line;
    bool inSection = false;
    while (std::getline(in, line)) {
        const std::string_view text = trimmed(line);
        if (text.size() >= 2 && text.front() == '[' && text.back() == ']') {
            inSection = text.substr(1, text.size() - 2) == section;
            continue;
        }
        const std::size_t equals = text.find('=');
        if (!inSection || equals == std::string_view::npos ||
            trimmed(text.substr(0, equals)) != key)
            continue;
        const std::string_view value = trimmed(text.substr(equals + 1));
        if (value.empty() || value.rfind("@Invalid(", 0) == 0)
            return {};
        std::vector<std::string> items = unescapeList(value);
        std::erase_if(items, [](const std::string& s) { return s.empty(); });
        return items;
    }
    return {};
}

} // namespace fx
