// Palettes of an imported mode: palette 1 "Colour" and palette 2 "Gobo" from the slots of the
// first colour and gobo wheel.

#include "core/Latin1Text.h"
#include "core/PaletteStore.h"
#include "core/QxfConvert.h"

#include <algorithm>

namespace fx::qxf {

namespace {

bool isWheel(const Slot& s, std::string_view group)
{
    const QxfChannel& ch = *s.ch;
    if (ch.group != group || s.fine || s.caps < 2)
        return false;
    if (ch.preset.empty())
        return true;
    return group == "Colour" ? (ch.preset == "ColorWheel" || ch.preset == "ColorMacro")
                             : ch.preset == "GoboWheel";
}

bool isSlotPreset(std::string_view preset)
{
    return preset == "ColorMacro" || preset == "ColorDoubleMacro" || preset == "GoboMacro";
}

// A capability whose text describes a movement of the wheel rather than one slot.
bool describesMovement(std::string_view utf8)
{
    if (utf8.find("->") != std::string_view::npos)
        return true;
    static constexpr std::string_view moves[] = {"rotation",  "rotate", "rotating", "scroll",
                                                 "scrolling", "shake",  "shaking",  "speed",
                                                 "random",    "cw",     "ccw"};
    const auto isAlnum = [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    };
    for (std::size_t p = 0; p < utf8.size();) {
        std::size_t end = p;
        while (end < utf8.size() && isAlnum(utf8[end]))
            ++end;
        const char first = static_cast<char>(end > p ? utf8[p] | 0x20 : 0);
        if (end - p >= 2 && end - p <= 9 && (first == 'c' || first == 'r' || first == 's')) {
            char word[10] = {};
            for (std::size_t k = p; k < end; ++k)
                word[k - p] = static_cast<char>(utf8[k] | 0x20); // ASCII lower case
            if (std::find(std::begin(moves), std::end(moves), std::string_view(word, end - p)) !=
                std::end(moves))
                return true;
        }
        p = end + 1;
    }
    return false;
}

// Entry names unique within the palette: names that two slots would share each get a letter
// ("Slot1a", "Slot1b").
std::vector<std::string> entryNames(std::vector<std::string> names)
{
    std::vector<std::string> out = names, keys;
    for (const std::string& n : names)
        keys.push_back(folded(n));
    for (std::size_t e = 0; e < names.size(); ++e) {
        std::vector<std::size_t> same;
        for (std::size_t o = 0; o < names.size(); ++o)
            if (keys[o] == keys[e])
                same.push_back(o);
        if (same.size() < 2) {
            out[e] = names[e];
            continue;
        }
        std::string stem;
        for (const char c : names[e])
            if (c != ' ')
                stem += c;
        const auto k = std::find(same.begin(), same.end(), e) - same.begin();
        out[e] = stem.substr(0, 5) + static_cast<char>(k < 26 ? 'a' + k : '?');
    }
    return out;
}

void wheelPalette(FixtureRecord& rec, const std::vector<Slot>& slots, int p, const char* name,
                  std::string_view group, std::vector<std::string>& report)
{
    const auto it =
        std::find_if(slots.begin(), slots.end(), [&](const Slot& s) { return isWheel(s, group); });
    if (it == slots.end())
        return;
    const int c = it->index;
    const auto& caps = it->ch->capabilities;
    const bool byPreset = std::any_of(caps.begin(), caps.end(), [](const QxfCapability& cap) {
        return isSlotPreset(cap.preset);
    });
    std::vector<const QxfCapability*> picked;
    for (const QxfCapability& cap : caps)
        if ((!byPreset || isSlotPreset(cap.preset)) && !describesMovement(cap.name))
            picked.push_back(&cap);
    if (picked.empty())
        return;
    const int entries = std::min<int>(static_cast<int>(picked.size()), PaletteEntryCount);
    std::vector<std::string> names;
    std::vector<int> values;
    for (int e = 0; e < entries; ++e) {
        const CorrectedRange r = corrected(*picked[e]);
        const int middle = (r.from + r.to) / 2;
        std::string entryName = utf8ToLatin1Text(picked[e]->name).text.substr(0, 6);
        while (!entryName.empty() &&
               (entryName.back() == ' ' || entryName.back() == '-' || entryName.back() == ':'))
            entryName.pop_back(); // "Open - Indexed" is "Open"
        names.push_back(entryName.empty() ? std::to_string(middle) : entryName);
        values.push_back(middle);
    }
    names = entryNames(std::move(names));
    rec.PalName[p] = paletteNameFromText(name);
    rec.PalChannelUsed[p][c] = 1;
    for (int e = 0; e < entries; ++e) {
        rec.PalEntryName[p][e] = paletteNameFromText(names[e]);
        rec.PalValue[p][e][c] = static_cast<std::uint8_t>(values[e]);
    }
    if (static_cast<int>(picked.size()) > entries)
        report.push_back(it->label() + ": palette " + quotedLatin1(name) +
                         " holds the first 10 of " + std::to_string(picked.size()) + " slots");
}

} // namespace

void fillPalettes(FixtureRecord& record, const std::vector<Slot>& slots,
                  std::vector<std::string>& report)
{
    wheelPalette(record, slots, 0, "Colour", "Colour", report);
    wheelPalette(record, slots, 1, "Gobo", "Gobo", report);
    UpdatePaletteUse(record);
}

} // namespace fx::qxf
