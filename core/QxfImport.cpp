#include "core/QxfImport.h"

#include "core/ByteFile.h"
#include "core/FixtureFile.h"
#include "core/Latin1Text.h"
#include "core/PaletteStore.h"

#include <pugixml.hpp>

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>
#include <filesystem>
#include <unordered_map>

namespace fx {

namespace {

// ---- small text helpers ----

bool startsWith(std::string_view s, std::string_view prefix)
{
    return s.substr(0, prefix.size()) == prefix;
}

bool endsWith(std::string_view s, std::string_view suffix)
{
    return s.size() >= suffix.size() && s.substr(s.size() - suffix.size()) == suffix;
}

// Lower case of a Latin-1 (or ASCII) text, for comparisons that ignore letter case.
std::string folded(std::string_view latin1)
{
    std::string out(latin1);
    for (char& c : out) {
        const auto b = static_cast<unsigned char>(c);
        if ((b >= 'A' && b <= 'Z') || (b >= 0xC0 && b <= 0xDE && b != 0xD7))
            c = static_cast<char>(b + 32);
    }
    return out;
}

std::string trimmedBlanks(std::string_view s)
{
    const auto first = s.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    const auto last = s.find_last_not_of(' ');
    return std::string(s.substr(first, last - first + 1));
}

// A text from the file made one line of clean UTF-8, for listings and messages.
std::string oneLine(std::string_view utf8)
{
    return latin1ToUtf8(utf8ToLatin1Text(utf8).text);
}

// A text from the file quoted in a message, cut so that a hostile file cannot flood the report.
std::string shown(std::string_view utf8)
{
    std::string latin1 = utf8ToLatin1Text(utf8).text;
    if (latin1.size() > 40)
        latin1 = latin1.substr(0, 37) + "...";
    return "\"" + latin1ToUtf8(latin1) + "\"";
}

std::string quotedLatin1(std::string_view latin1)
{
    return "\"" + latin1ToUtf8(latin1) + "\"";
}

// The leading decimal integer of an attribute (blanks around it allowed); none for anything
// else. Huge values saturate so that they are still reported as out of range.
std::optional<int> number(const char* text)
{
    std::string_view s(text);
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    if (!s.empty() && s.front() == '+')
        s.remove_prefix(1);
    long long value = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (ec == std::errc::result_out_of_range)
        return s.front() == '-' ? -1000000 : 1000000;
    if (ec != std::errc() || end != s.data() + s.size() || s.empty())
        return std::nullopt;
    return static_cast<int>(std::clamp<long long>(value, -1000000, 1000000));
}

std::optional<int> numberAttribute(const pugi::xml_node& node, const char* name)
{
    const pugi::xml_attribute a = node.attribute(name);
    if (!a)
        return std::nullopt;
    return number(a.value());
}

// ---- presets and groups ----

constexpr std::array<std::string_view, 12> groupNames = {
    "Intensity", "Colour", "Gobo",        "Prism", "Shutter", "Beam",
    "Speed",     "Effect", "Maintenance", "Pan",   "Tilt",    "Nothing"};

std::string canonicalGroup(std::string_view text)
{
    const std::string key = folded(trimmedBlanks(text));
    for (const std::string_view g : groupNames)
        if (folded(g) == key)
            return std::string(g);
    if (key == "color")
        return "Colour";
    return {};
}

struct PresetMeaning {
    std::string group;
    int byte = 0;
    std::string colour;
};

// A channel preset stands for the group, the byte and (intensity) the colour.
std::optional<PresetMeaning> presetMeaning(std::string_view preset)
{
    if (preset.empty())
        return std::nullopt;
    PresetMeaning m;
    std::string_view rest = preset;
    if (endsWith(rest, "Fine")) {
        m.byte = 1;
        rest.remove_suffix(4);
    }
    if (startsWith(rest, "Intensity")) {
        m.group = "Intensity";
        rest.remove_prefix(9);
        if (rest != "MasterDimmer" && rest != "Dimmer")
            m.colour = std::string(rest);
    } else if (startsWith(rest, "PositionPan") || rest == "PositionXAxis") {
        m.group = "Pan";
    } else if (startsWith(rest, "PositionTilt") || rest == "PositionYAxis") {
        m.group = "Tilt";
    } else if (startsWith(rest, "Speed")) {
        m.group = "Speed";
    } else if (startsWith(rest, "Color")) {
        m.group = "Colour";
    } else if (startsWith(rest, "Gobo")) {
        m.group = "Gobo";
    } else if (startsWith(rest, "Shutter")) {
        m.group = "Shutter";
    } else if (startsWith(rest, "Beam")) {
        m.group = "Beam";
    } else if (startsWith(rest, "Prism")) {
        m.group = "Prism";
    } else if (rest == "NoFunction") {
        m.group = "Nothing";
    } else {
        return std::nullopt;
    }
    return m;
}

// ---- reading ----

QxfPhysical readPhysical(const pugi::xml_node& physical)
{
    const pugi::xml_node focus = physical.child("Focus");
    QxfPhysical p;
    p.panMax = numberAttribute(focus, "PanMax").value_or(0);
    p.tiltMax = numberAttribute(focus, "TiltMax").value_or(0);
    return p;
}

QxfChannel readChannel(const pugi::xml_node& node)
{
    QxfChannel ch;
    ch.name = node.attribute("Name").value();
    ch.preset = trimmedBlanks(node.attribute("Preset").value());
    if (const pugi::xml_attribute d = node.attribute("Default"))
        ch.defaultValue = number(d.value()).value_or(-1);
    const pugi::xml_node group = node.child("Group");
    ch.group = canonicalGroup(group.text().get());
    ch.byte = numberAttribute(group, "Byte").value_or(0) == 1 ? 1 : 0;
    ch.colour = trimmedBlanks(utf8ToLatin1Text(node.child("Colour").text().get()).text);
    if (const std::optional<PresetMeaning> m = presetMeaning(ch.preset)) {
        ch.group = m->group;
        ch.byte = m->byte;
        if (!m->colour.empty() || m->group == "Intensity")
            ch.colour = m->colour;
    }
    for (const pugi::xml_node cap : node.children("Capability")) {
        // A channel holds 255 steps; more ranges are counted but not kept.
        if (++ch.capabilityCount > MaxEditableSteps + 1)
            continue;
        QxfCapability c;
        c.min = numberAttribute(cap, "Min");
        c.max = numberAttribute(cap, "Max");
        c.name = cap.text().get();
        c.preset = cap.attribute("Preset").value();
        ch.capabilities.push_back(std::move(c));
    }
    return ch;
}

void readMode(const pugi::xml_node& node, QxfDefinition& def,
              std::unordered_map<std::string, int>& byName)
{
    QxfMode mode;
    mode.name = oneLine(node.attribute("Name").value());
    if (const pugi::xml_node physical = node.child("Physical"))
        mode.physical = readPhysical(physical);

    struct Ref {
        long long order;
        int number; // -1 when missing or not a number
        std::string name;
    };
    std::vector<Ref> refs;
    long long position = 0;
    for (const pugi::xml_node ch : node.children("Channel")) {
        const std::optional<int> n = numberAttribute(ch, "Number");
        const bool valid = n && *n >= 0;
        // Numbered channels go by their number; an unnumbered one after all numbered ones, in
        // the order of the file.
        refs.push_back({valid ? static_cast<long long>(*n) : (1LL << 40) + position,
                        valid ? *n : -1, ch.text().get()});
        ++position;
    }
    const bool ordered = std::is_sorted(
        refs.begin(), refs.end(), [](const Ref& a, const Ref& b) { return a.order < b.order; });
    std::stable_sort(refs.begin(), refs.end(),
                     [](const Ref& a, const Ref& b) { return a.order < b.order; });
    if (!ordered)
        mode.notes.push_back("the channels of mode " + shown(mode.name) +
                             " are listed out of order; they are taken in the order of their "
                             "numbers");
    int lastNumber = -1;
    int unnumbered = 0, repeated = 0;
    std::vector<int> undefined;
    for (const Ref& ref : refs) {
        if (ref.number < 0) {
            ++unnumbered;
        } else if (ref.number == lastNumber) {
            ++repeated;
            continue;
        } else {
            lastNumber = ref.number;
        }
        const std::string key = oneLine(ref.name);
        auto found = byName.find(key);
        if (found == byName.end()) {
            QxfChannel undefined;
            undefined.name = ref.name;
            undefined.defined = false;
            def.channels.push_back(std::move(undefined));
            found = byName.emplace(key, static_cast<int>(def.channels.size()) - 1).first;
        }
        if (!def.channels[found->second].defined &&
            std::find(undefined.begin(), undefined.end(), found->second) == undefined.end())
            undefined.push_back(found->second);
        mode.channels.push_back(found->second);
    }
    if (!undefined.empty()) {
        std::string names;
        for (std::size_t k = 0; k < std::min<std::size_t>(undefined.size(), 3); ++k)
            names += (k ? ", " : "") + shown(def.channels[undefined[k]].name);
        if (undefined.size() > 3)
            names += ", ...";
        mode.notes.push_back("mode " + shown(mode.name) + " names " +
                             std::to_string(undefined.size()) +
                             " channel(s) the file does not define (" + names +
                             "); each is kept as a plain channel");
    }
    if (repeated > 0)
        mode.notes.push_back("mode " + shown(mode.name) + " gives " + std::to_string(repeated) +
                             " channel number(s) twice; only the first of each is kept");
    if (unnumbered > 0)
        mode.notes.push_back("mode " + shown(mode.name) + " lists " + std::to_string(unnumbered) +
                             " channel(s) without a valid number; they are placed last");
    def.modes.push_back(std::move(mode));
}

} // namespace

std::string parseQxf(std::span<const std::uint8_t> bytes, QxfDefinition& def)
{
    def = QxfDefinition{};
    if (bytes.size() > MaxQxfFileSize)
        return "is " + std::to_string(bytes.size()) +
               " bytes long; a fixture definition over 16 MiB is refused";
    if (bytes.empty())
        return "is empty, not a fixture definition";
    pugi::xml_document doc;
    // parse_default: elements, attributes, text and the predefined entities only; a DOCTYPE is
    // skipped without expanding anything it declares.
    const pugi::xml_parse_result parsed =
        doc.load_buffer(bytes.data(), bytes.size(), pugi::parse_default, pugi::encoding_auto);
    if (!parsed)
        return std::string("is not a readable XML file (") + parsed.description() + " at byte " +
               std::to_string(parsed.offset) + ")";
    const pugi::xml_node root = doc.document_element();
    if (std::strcmp(root.name(), "FixtureDefinition") != 0)
        return "is an XML document of another kind (its root element is " + shown(root.name()) +
               "), not a fixture definition";

    def.manufacturer = root.child("Manufacturer").text().get();
    def.model = root.child("Model").text().get();
    def.type = root.child("Type").text().get();
    if (const pugi::xml_node physical = root.child("Physical"))
        def.physical = readPhysical(physical);

    // Real definitions have tens of channels and a few modes; a file far beyond that is refused
    // before it is turned into a structure many times its size.
    const auto count = [&](const char* name) {
        const auto children = root.children(name);
        return std::distance(children.begin(), children.end());
    };
    if (const auto channels = count("Channel"); channels > MaxQxfChannels)
        return "defines " + std::to_string(channels) +
               " channels; a fixture definition of more than " + std::to_string(MaxQxfChannels) +
               " is refused";
    if (const auto modes = count("Mode"); modes > MaxQxfModes)
        return "defines " + std::to_string(modes) + " modes; a fixture definition of more than " +
               std::to_string(MaxQxfModes) + " is refused";
    for (const pugi::xml_node node : root.children("Mode")) {
        const auto refs = node.children("Channel");
        if (const auto n = std::distance(refs.begin(), refs.end()); n > MaxQxfModeChannels)
            return "has a mode of " + std::to_string(n) +
                   " channels, more than a DMX universe holds";
    }

    std::unordered_map<std::string, int> byName;
    for (const pugi::xml_node node : root.children("Channel")) {
        def.channels.push_back(readChannel(node));
        // The first definition of a name is the one the modes get.
        // Modes name channels by the name, compared as one clean line (indentation and line
        // breaks inside the element do not count).
        byName.emplace(oneLine(def.channels.back().name),
                       static_cast<int>(def.channels.size()) - 1);
    }
    for (const pugi::xml_node node : root.children("Mode"))
        readMode(node, def, byName);
    if (def.modes.empty())
        return "defines no mode, so there is no channel layout to import";
    return {};
}

std::string loadQxfFile(const std::string& path, QxfDefinition& def)
{
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (!ec && size > MaxQxfFileSize)
        return "is " + std::to_string(size) +
               " bytes long; a fixture definition over 16 MiB is refused";
    std::string error;
    const auto bytes = readWholeFile(path, &error);
    if (!bytes)
        return "cannot be read: " + error;
    return parseQxf(*bytes, def);
}

std::optional<int> defaultQxfMode(const QxfDefinition& def)
{
    std::optional<int> best;
    for (int m = 0; m < static_cast<int>(def.modes.size()); ++m) {
        const QxfMode& mode = def.modes[m];
        if (mode.fits() && (!best || mode.channelCount() > def.modes[*best].channelCount()))
            best = m;
    }
    return best;
}

std::optional<int> findQxfMode(const QxfDefinition& def, std::string_view name)
{
    const auto isBlank = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
    while (!name.empty() && isBlank(name.front()))
        name.remove_prefix(1);
    while (!name.empty() && isBlank(name.back()))
        name.remove_suffix(1);
    for (int m = 0; m < static_cast<int>(def.modes.size()); ++m)
        if (def.modes[m].name == name)
            return m;
    return std::nullopt;
}

namespace {

// ---- importing ----

struct SetEntry {
    std::string name; // Latin-1, trailing blanks removed
    std::uint8_t code = 0;
};

class NameAssigner {
public:
    explicit NameAssigner(const ChNameSet& set)
    {
        for (int p = 0; p < ChNameCount; ++p) {
            const ChNameRec& rec = set[p];
            if (rec.SetName.bytes[0] == 0 || rec.SetName.isBlank())
                continue;
            SetEntry e{rec.SetName.trimmed(), rec.ChCode};
            // The first entry of a name is the one a channel gets, as the editor's list finds it.
            m_byName.emplace(folded(e.name), static_cast<int>(m_entries.size()));
            m_entries.push_back(std::move(e));
        }
        m_taken.assign(m_entries.size(), false);
    }

    // Takes the set entry called name (ignoring letter case) when it is free and its code is not
    // carried by another channel; nothing otherwise.
    std::optional<SetEntry> take(std::string_view name)
    {
        const auto it = m_byName.find(folded(name));
        if (it == m_byName.end() || m_taken[it->second])
            return std::nullopt;
        const SetEntry& e = m_entries[it->second];
        if (e.code != 0 && m_codeUsed[e.code])
            return std::nullopt;
        m_taken[it->second] = true;
        m_codeUsed[e.code] = e.code != 0;
        return e;
    }

    bool holds(std::string_view name) const { return m_byName.count(folded(name)) != 0; }

private:
    std::vector<SetEntry> m_entries;
    std::unordered_map<std::string, int> m_byName;
    std::vector<bool> m_taken;
    std::array<bool, 256> m_codeUsed{};
};

struct Slot {
    const QxfChannel* ch = nullptr;
    std::string name; // Latin-1, cleaned, not cut
    bool replaced = false;
    bool ownName = false; // keeps its own name (no entry of the name set)
    int caps = 0;
    bool assigned = false;
    std::string finalName; // Latin-1, at most 12
    std::uint8_t code = 0;
    int partner = -1;
    bool fine = false;
};

struct PresetRule {
    bool (*matches)(std::string_view preset);
    const char* target;
};

const PresetRule presetRules[] = {
    {[](std::string_view p) { return p == "IntensityMasterDimmer"; }, "Dimmer"},
    {[](std::string_view p) { return p == "IntensityDimmer"; }, "Dimmer"},
    {[](std::string_view p) { return p == "PositionPan"; }, "Pan"},
    {[](std::string_view p) { return p == "PositionTilt"; }, "Tilt"},
    {[](std::string_view p) { return p == "IntensityCyan"; }, "Cyan"},
    {[](std::string_view p) { return p == "IntensityMagenta"; }, "Magenta"},
    {[](std::string_view p) { return p == "IntensityYellow"; }, "Yellow"},
    {[](std::string_view p) { return p == "IntensityRed"; }, "Red"},
    {[](std::string_view p) { return p == "IntensityBlue"; }, "Blue"},
    {[](std::string_view p) { return startsWith(p, "BeamFocus") && !endsWith(p, "Fine"); },
     "Focus"},
    {[](std::string_view p) { return startsWith(p, "BeamZoom") && !endsWith(p, "Fine"); }, "Zoom"},
    {[](std::string_view p) { return startsWith(p, "ShutterIris") && !endsWith(p, "Fine"); },
     "Iris"},
    {[](std::string_view p) { return startsWith(p, "SpeedPanTilt") && !endsWith(p, "Fine"); },
     "P/T Speed"},
};

bool mentions(std::string_view latin1, std::string_view word)
{
    return folded(latin1).find(word) != std::string::npos;
}

// The names a channel of a known group may take, in order of preference (byte 0 only).
std::vector<const char*> groupTargets(const Slot& s)
{
    const QxfChannel& ch = *s.ch;
    if (ch.byte != 0)
        return {};
    const std::string& g = ch.group;
    if (g == "Pan")
        return {"Pan"};
    if (g == "Tilt")
        return {"Tilt"};
    if (g == "Shutter")
        return {"Shutter"};
    if (g == "Colour" && s.caps >= 2)
        return {"Colour", "Colour1"};
    if (g == "Gobo" && s.caps >= 2)
        return {"Gobo", "Gobo1"};
    if (g == "Prism")
        return {"Prism"};
    if (g == "Speed")
        return {mentions(s.name, "pan") || mentions(s.name, "tilt") ? "P/T Speed" : "Speed"};
    if (g == "Effect")
        return {"Effect"};
    // A custom intensity channel (fog output, volume) is a dimmer only when its name says so.
    if (g == "Intensity" && ch.colour.empty() && mentions(s.name, "dimmer"))
        return {"Dimmer"};
    return {};
}

// The kind of 16-bit pair a channel belongs to, empty when its pairing is never certain.
std::string pairKind(const QxfChannel& ch)
{
    if (ch.group == "Pan" || ch.group == "Tilt")
        return ch.group;
    if (ch.group == "Intensity")
        return startsWith(ch.preset, "IntensityMasterDimmer") ? "Intensity master"
                                                              : "Intensity " + folded(ch.colour);
    for (const std::string_view family :
         {"BeamZoom", "BeamFocus", "ColorWheel", "GoboWheel", "GoboIndex", "ShutterIris"}) {
        if (startsWith(ch.preset, family))
            return std::string(family);
    }
    return {};
}

bool isWheel(const Slot& s, std::string_view group)
{
    const QxfChannel& ch = *s.ch;
    if (ch.group != group || ch.byte != 0 || s.caps < 2)
        return false;
    if (ch.preset.empty())
        return true;
    return group == "Colour" ? (ch.preset == "ColorWheel" || ch.preset == "ColorMacro")
                             : ch.preset == "GoboWheel";
}

std::string channelLabel(int i, const Slot& s)
{
    return "channel " + std::to_string(i + 1) + " " + quotedLatin1(s.finalName);
}

struct CorrectedRange {
    int from = 0, to = 0;
    bool changed = false;
};

CorrectedRange corrected(const QxfCapability& cap)
{
    CorrectedRange r;
    r.changed = !cap.min || !cap.max;
    const int lo = cap.min.value_or(0);
    const int hi = cap.max.value_or(255);
    r.from = std::clamp(lo, 0, 255);
    r.to = std::clamp(hi, 0, 255);
    r.changed = r.changed || r.from != lo || r.to != hi;
    if (r.from > r.to) {
        std::swap(r.from, r.to);
        r.changed = true;
    }
    return r;
}

} // namespace

std::string importQxfMode(const QxfDefinition& def, int modeIndex, const ChNameSet& names,
                          QxfImport& out)
{
    if (modeIndex < 0 || modeIndex >= static_cast<int>(def.modes.size()))
        return "there is no such mode";
    const QxfMode& mode = def.modes[modeIndex];
    const int n = mode.channelCount();
    if (n == 0)
        return "mode " + shown(mode.name) + " has no channels";
    if (n > MaxChannels)
        return "mode " + shown(mode.name) + " has " + std::to_string(n) +
               " channels; a fixture setup file holds at most 40";

    auto rec = std::make_unique<FixtureRecord>();
    ResetFixtureRecord(*rec, n);
    rec->PalChannels = static_cast<std::uint8_t>(n);
    std::vector<std::string> report = mode.notes;

    const Latin1Conversion model = utf8ToLatin1Text(def.model);
    rec->FixHeader.FixtureName.assign(model.text);
    if (model.text.empty())
        report.push_back("the file gives no model; the fixture name is left empty");
    else if (model.text.size() > 11)
        report.push_back("fixture name " + quotedLatin1(model.text) + " cut to " +
                         quotedLatin1(rec->FixHeader.FixtureName.trimmed()));

    std::vector<Slot> slots(n);
    for (int i = 0; i < n; ++i) {
        Slot& s = slots[i];
        s.ch = &def.channels[mode.channels[i]];
        const Latin1Conversion name = utf8ToLatin1Text(s.ch->name);
        s.name = name.text;
        s.replaced = name.replaced;
        s.caps = static_cast<int>(s.ch->capabilities.size());
    }

    // Names and function codes, each entry of the name set taken at most once.
    NameAssigner set(names);
    const auto give = [&](Slot& s, std::string_view name) {
        if (const std::optional<SetEntry> e = set.take(name)) {
            s.assigned = true;
            s.finalName = e->name.substr(0, 12);
            s.code = e->code;
            return true;
        }
        return false;
    };
    for (Slot& s : slots) // 1. the channel's own name
        if (!s.name.empty())
            give(s, s.name);
    for (const PresetRule& rule : presetRules) // 2. by preset
        for (Slot& s : slots)
            if (!s.assigned && rule.matches(s.ch->preset))
                give(s, rule.target);
    for (Slot& s : slots) // 3. by group
        if (!s.assigned)
            for (const char* target : groupTargets(s))
                if (give(s, target))
                    break;
    const auto held = [&](std::string_view name, int self) {
        for (int j = 0; j < n; ++j)
            if (j != self && slots[j].assigned && folded(slots[j].finalName) == folded(name))
                return true;
        return false;
    };
    for (int i = 0; i < n; ++i) { // 4. the channel keeps its own name, code 0
        Slot& s = slots[i];
        if (s.assigned)
            continue;
        std::string base = s.name;
        if (base.empty()) {
            base = "Chan " + std::to_string(i + 1);
            report.push_back("channel " + std::to_string(i + 1) + " has no name; it is called " +
                             quotedLatin1(base));
        }
        std::string name = base.substr(0, 12);
        while (!name.empty() && name.back() == ' ')
            name.pop_back();
        const auto forced = [](std::string_view t) {
            return t == "Pan" || t == "Tilt" || t == "Dimmer" || t == "Colour";
        };
        if (forced(name) || held(name, i)) {
            const std::string taken = name;
            for (int k = 2;; ++k) {
                const std::string suffix = " " + std::to_string(k);
                std::string stem = base.substr(0, 12 - suffix.size());
                while (!stem.empty() && stem.back() == ' ')
                    stem.pop_back();
                name = stem + suffix;
                if (!held(name, i) && !forced(name))
                    break;
            }
            report.push_back("channel " + std::to_string(i + 1) + ": the name " +
                             quotedLatin1(taken) +
                             (forced(taken) ? " belongs to another channel's function"
                                            : " is taken by another channel") +
                             "; it is called " + quotedLatin1(name));
        } else if (base.size() > 12) {
            report.push_back("channel " + std::to_string(i + 1) + ": name " + quotedLatin1(base) +
                             " cut to " + quotedLatin1(name));
        }
        s.finalName = name;
        s.code = 0;
        s.assigned = true;
        s.ownName = true;
        give(s, name); // a kept name that the set holds unused brings its code
    }
    std::vector<std::string> missing;
    for (int i = 0; i < n; ++i) {
        const Slot& s = slots[i];
        if (s.replaced && s.ownName)
            report.push_back(channelLabel(i, s) +
                             ": characters with no Latin-1 form were replaced by \"?\"");
        if (s.code == 0 && !set.holds(s.finalName))
            missing.push_back(s.finalName);
    }

    // 16-bit pairs: per kind, the k-th coarse channel with the k-th fine one when the numbers
    // agree; otherwise a fine channel pairs with a coarse neighbour of its kind.
    {
        std::unordered_map<std::string, std::pair<std::vector<int>, std::vector<int>>> kinds;
        std::vector<std::string> kindOrder;
        for (int i = 0; i < n; ++i) {
            const std::string kind = pairKind(*slots[i].ch);
            if (kind.empty())
                continue;
            auto [it, inserted] = kinds.try_emplace(kind);
            if (inserted)
                kindOrder.push_back(kind);
            (slots[i].ch->byte == 1 ? it->second.second : it->second.first).push_back(i);
            slots[i].fine = slots[i].ch->byte == 1;
        }
        const auto pair = [&](int coarse, int fine) {
            slots[coarse].partner = fine;
            slots[fine].partner = coarse;
        };
        for (const std::string& kind : kindOrder) {
            const auto& [coarse, fine] = kinds[kind];
            if (fine.empty() || coarse.empty())
                continue;
            if (coarse.size() == fine.size()) {
                for (std::size_t k = 0; k < coarse.size(); ++k)
                    pair(coarse[k], fine[k]);
                continue;
            }
            for (const int f : fine) {
                for (const int c : {f - 1, f + 1}) {
                    if (c >= 0 && c < n && slots[c].partner < 0 && !slots[c].fine &&
                        pairKind(*slots[c].ch) == kind) {
                        pair(c, f);
                        break;
                    }
                }
                if (slots[f].partner < 0)
                    report.push_back(channelLabel(f, slots[f]) +
                                     ": a fine channel whose coarse channel is not certain; "
                                     "it stays a single channel");
            }
        }
    }

    std::vector<std::string> cutNames;
    for (int i = 0; i < n; ++i) {
        const Slot& s = slots[i];
        const QxfChannel& ch = *s.ch;
        ChannelInfo& info = rec->Channels[i];
        info.ChName.assign(s.finalName);
        info.FuncCode = s.code;
        info.ChNumber = static_cast<std::uint8_t>(i + 1);
        if (s.partner >= 0) {
            info.ChType = s.fine ? TypeFadeable16L : TypeFadeable16H;
            info.PairChannel = static_cast<std::uint8_t>(s.partner + 1);
        } else if (ch.group == "Intensity") {
            info.ChType = TypeHtp;
        } else if (s.caps >= 2) {
            info.ChType = TypeInstantLtp;
        } else {
            info.ChType = TypeLtp;
        }
        if (ch.defaultValue) {
            const int v = std::clamp(*ch.defaultValue, 0, 255);
            if (v != *ch.defaultValue)
                report.push_back(channelLabel(i, s) + ": default value " +
                                 std::to_string(*ch.defaultValue) + " is not 0 to 255; " +
                                 std::to_string(v) + " is used");
            info.ChValue = static_cast<std::uint8_t>(v);
        }

        if (s.caps < 2)
            continue;
        const int steps = std::min(s.caps, MaxEditableSteps);
        if (ch.capabilityCount > steps)
            report.push_back(channelLabel(i, s) + ": " + std::to_string(ch.capabilityCount) +
                             " capabilities; a channel holds 255 steps, the rest are left out");
        int corrections = 0, namesCut = 0, replaced = 0;
        bool unordered = false;
        int previousTo = -1;
        for (int k = 0; k < steps; ++k) {
            const QxfCapability& cap = ch.capabilities[k];
            const CorrectedRange r = corrected(cap);
            corrections += r.changed;
            unordered = unordered || r.from <= previousTo;
            previousTo = r.to;
            const Latin1Conversion text = utf8ToLatin1Text(cap.name);
            namesCut += text.text.size() > 8;
            replaced += text.replaced;
            StepInfo& step = rec->Steps[i][k];
            step.FromDmx = static_cast<std::uint8_t>(r.from);
            step.ToDmx = static_cast<std::uint8_t>(r.to);
            step.StepName.assign(text.text);
        }
        rec->StepCount[i] = static_cast<std::uint8_t>(steps);
        if (corrections)
            report.push_back(channelLabel(i, s) + ": " + std::to_string(corrections) +
                             " range(s) missing, outside 0 to 255 or with Min above Max; "
                             "corrected");
        if (unordered)
            report.push_back(channelLabel(i, s) +
                             ": ranges overlap or are out of order; kept in the file's order");
        if (replaced)
            report.push_back(channelLabel(i, s) + ": " + std::to_string(replaced) +
                             " step name(s) had characters with no Latin-1 form, shown as \"?\"");
        if (namesCut)
            cutNames.push_back(std::to_string(i + 1) + " (" + std::to_string(namesCut) + ")");
    }
    if (!cutNames.empty()) {
        std::string line = "step names cut to 8 characters on channel(s)";
        for (std::size_t k = 0; k < cutNames.size(); ++k)
            line += (k ? ", " : " ") + cutNames[k];
        report.push_back(line);
    }

    // Degrees: the mode's own Physical, else the fixture's, else 0; the editor offers 0 to 720.
    const std::optional<QxfPhysical> physical = mode.physical ? mode.physical : def.physical;
    const auto degree = [&](int value, const char* what) {
        const int kept = std::clamp(value, 0, 720);
        if (kept != value)
            report.push_back(std::string(what) + " " + std::to_string(value) +
                             " is outside 0 to 720; " + std::to_string(kept) + " is stored");
        return static_cast<std::int16_t>(kept);
    };
    rec->MaxPanDegree = physical ? degree(physical->panMax, "maximum pan degree") : 0;
    rec->MaxTiltDegree = physical ? degree(physical->tiltMax, "maximum tilt degree") : 0;

    // Palettes 1 "Colour" and 2 "Gobo": the first colour and gobo wheel, one entry per slot.
    const auto wheelPalette = [&](int p, const char* name, std::string_view group) {
        const auto it = std::find_if(slots.begin(), slots.end(),
                                     [&](const Slot& s) { return isWheel(s, group); });
        if (it == slots.end())
            return;
        const int c = static_cast<int>(it - slots.begin());
        rec->PalName[p] = paletteNameFromText(name);
        rec->PalChannelUsed[p][c] = 1;
        const auto& caps = it->ch->capabilities;
        const int entries = std::min<int>(static_cast<int>(caps.size()), PaletteEntryCount);
        for (int e = 0; e < entries; ++e) {
            const CorrectedRange r = corrected(caps[e]);
            const int middle = (r.from + r.to) / 2;
            std::string entryName = utf8ToLatin1Text(caps[e].name).text;
            if (entryName.empty())
                entryName = std::to_string(middle);
            rec->PalEntryName[p][e] = paletteNameFromText(entryName);
            rec->PalValue[p][e][c] = static_cast<std::uint8_t>(middle);
        }
        if (it->ch->capabilityCount > entries)
            report.push_back("palette " + quotedLatin1(name) + " holds the first 10 of the " +
                             std::to_string(it->ch->capabilityCount) + " slots of " +
                             channelLabel(c, *it));
    };
    wheelPalette(0, "Colour", "Colour");
    wheelPalette(1, "Gobo", "Gobo");
    UpdatePaletteUse(*rec);

    // What a file cannot hold of the record.
    const FileCapacityReport capacity = checkFileCapacity(*rec);
    std::vector<int> loss(n, 0);
    for (const auto& l : capacity.lostSteps)
        if (l.channel < n)
            loss[l.channel] = l.lost;
    if (!capacity.lostSteps.empty()) {
        std::string line = "the file holds 204 of the " + std::to_string(capacity.totalSteps) +
                           " steps; not stored:";
        for (std::size_t k = 0; k < capacity.lostSteps.size(); ++k) {
            const auto& l = capacity.lostSteps[k];
            line += (k ? ", " : " ") + std::to_string(l.lost) + " of " +
                    channelLabel(l.channel, slots[l.channel]);
        }
        report.push_back(line);
    }

    out.record = std::move(rec);
    out.report = std::move(report);
    out.missingNames = std::move(missing);
    out.stepTotal = capacity.totalSteps;
    out.stepLoss = std::move(loss);
    return {};
}

int takeAddedNameCodes(FixtureRecord& record, const ChNameSet& names)
{
    const int n = std::min<int>(record.FixHeader.NumChannels, MaxChannels);
    std::array<bool, 256> used{};
    for (int i = 0; i < n; ++i)
        used[record.Channels[i].FuncCode] = true;
    int taken = 0;
    for (int i = 0; i < n; ++i) {
        ChannelInfo& ch = record.Channels[i];
        if (ch.FuncCode != 0)
            continue;
        const std::string name = folded(ch.ChName.trimmed());
        for (const ChNameRec& rec : names) {
            if (rec.ChCode == 0 || used[rec.ChCode] || rec.SetName.bytes[0] == 0 ||
                folded(rec.SetName.trimmed()) != name)
                continue;
            ch.FuncCode = rec.ChCode;
            used[rec.ChCode] = true;
            ++taken;
            break;
        }
    }
    return taken;
}

} // namespace fx
