// Channel names of an imported mode: readable names, then names and function codes from the
// channel name set, each entry used once.

#include "core/Latin1Text.h"
#include "core/QxfConvert.h"

#include <algorithm>
#include <array>
#include <optional>
#include <unordered_map>

namespace fx::qxf {

namespace {

bool isIn(std::string_view word, std::initializer_list<std::string_view> list)
{
    return std::find(list.begin(), list.end(), word) != list.end();
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// "2", "12", "Z3", "H2", "#4": a number that tells heads, zones or segments apart.
bool isTagNumber(std::string_view w)
{
    std::size_t k = 0;
    while (k < w.size() && k < 2 && !isDigit(w[k]))
        ++k;
    if (k == w.size())
        return false;
    return std::all_of(w.begin() + k, w.end(), isDigit);
}

bool isUnitWord(std::string_view folded)
{
    return isIn(folded, {"head", "zone", "segment", "seg", "cell", "pixel", "part", "section",
                         "ring", "bar", "led", "lamp", "beam"});
}

} // namespace

std::string ReadableName::text() const
{
    std::string out;
    for (const auto* list : {&words, &tag})
        for (const std::string& w : *list)
            out += (out.empty() ? "" : " ") + w;
    return out;
}

ReadableName readableName(std::string_view latin1, bool fine)
{
    std::string text(latin1);
    for (char& c : text)
        if (c == ',' || c == '(' || c == ')' || c == '[' || c == ']' || c == '{' || c == '}')
            c = ' ';
    std::vector<std::string> raw;
    for (std::size_t p = 0; p < text.size();) {
        const std::size_t end = std::min(text.find(' ', p), text.size());
        if (end > p)
            raw.push_back(text.substr(p, end - p));
        p = end + 1;
    }
    ReadableName rn;
    bool hadFine = false;
    for (std::size_t k = 0; k < raw.size(); ++k) {
        const std::string f = folded(raw[k]);
        const auto next = [&](std::size_t d) {
            return k + d < raw.size() ? folded(raw[k + d]) : std::string();
        };
        if (isIn(f, {"msb", "lsb", "coarse", "16-bit", "16bit"}))
            continue;
        if (f == "16" && next(1) == "bit") {
            ++k;
            continue;
        }
        if ((f == "least" || f == "most") && next(1) == "significant" && next(2) == "byte") {
            k += 2;
            continue;
        }
        if (fine && f == "fine") {
            if (!hadFine)
                rn.words.push_back("Fine");
            hadFine = true;
            continue;
        }
        rn.words.push_back(raw[k]);
    }
    // Idle punctuation at the ends: "Zoom -", "Gobo:".
    const auto idle = [](char c) { return c == '-' || c == ':' || c == '/'; };
    while (!rn.words.empty()) {
        std::string& last = rn.words.back();
        while (!last.empty() && idle(last.back()))
            last.pop_back();
        if (!last.empty())
            break;
        rn.words.pop_back();
    }
    while (!rn.words.empty() && std::all_of(rn.words.front().begin(), rn.words.front().end(), idle))
        rn.words.erase(rn.words.begin());
    // The tag: the last word when it is a number, with a unit word before it.
    if (rn.words.size() >= 2 && isTagNumber(rn.words.back())) {
        const std::size_t unit =
            rn.words.size() >= 3 && isUnitWord(folded(rn.words[rn.words.size() - 2])) ? 2 : 1;
        rn.tag.assign(rn.words.end() - unit, rn.words.end());
        rn.words.erase(rn.words.end() - unit, rn.words.end());
    }
    if (fine && !hadFine)
        rn.words.push_back("Fine");
    return rn;
}

std::string readableText(std::string_view latin1, bool fine)
{
    // Most names hold nothing to take off: they stay as they are.
    static constexpr std::string_view marks[] = {"msb", "lsb",  "coarse",
                                                 "16",  "fine", "significant"};
    const std::string f = folded(latin1);
    const bool plain = !fine && f.find_first_of(",()[]{}") == std::string::npos &&
                       (f.empty() || (f.back() != ':' && f.back() != '-')) &&
                       std::none_of(std::begin(marks), std::end(marks), [&](std::string_view w) {
                           return f.find(w) != std::string::npos;
                       });
    if (plain)
        return std::string(latin1);
    const std::vector<std::string> w = words(f);
    const bool fineName = fine || std::find(w.begin(), w.end(), "lsb") != w.end() ||
                          std::find(w.begin(), w.end(), "fine") != w.end();
    return readableName(latin1, fineName).text();
}

std::string fitName(const ReadableName& name, std::size_t width)
{
    std::string full = name.text();
    if (full.size() <= width)
        return full;
    // "Fine" stays with the tag at the end; the other words go while they fit.
    std::vector<std::string> head = name.words;
    std::string tail;
    if (!head.empty() && head.back() == "Fine" && head.size() > 1) {
        tail = "Fine";
        head.pop_back();
    } else if (const auto f = std::find(head.begin(), head.end(), "Fine");
               f != head.end() && head.size() > 1) {
        tail = "Fine";
        head.erase(f);
    }
    // Words of punctuation alone ("-") mean nothing once cut.
    head.erase(std::remove_if(head.begin(), head.end(),
                              [](const std::string& w) { return words(w).empty(); }),
               head.end());
    // A number inside the name ("Colour Wheel 1 - Fine Positioning") is the tag when none ends it.
    std::vector<std::string> tag = name.tag;
    for (std::size_t k = head.size(); tag.empty() && k-- > 1;) {
        if (isTagNumber(head[k])) {
            const std::size_t from = k >= 2 && isUnitWord(folded(head[k - 1])) ? k - 1 : k;
            tag.assign(head.begin() + from, head.begin() + k + 1);
            head.erase(head.begin() + from, head.begin() + k + 1);
        }
    }
    std::vector<std::string> tags;
    if (!tag.empty()) {
        std::string longTag;
        for (const std::string& t : tag)
            longTag += (longTag.empty() ? "" : " ") + t;
        tags.push_back(longTag);
        if (tag.size() == 2)
            tags.push_back(std::string(1, tag[0][0]) + tag[1]); // "Head 2" -> "H2"
    } else {
        tags.push_back({});
    }
    std::string best;
    std::size_t bestWords = 0;
    for (const std::string& tag : tags) {
        std::string end = tail;
        if (!tag.empty())
            end += (end.empty() ? "" : " ") + tag;
        if (end.size() + 1 >= width && !end.empty())
            end = end.substr(0, width - 1);
        const std::size_t room = end.empty() ? width : width - end.size() - 1;
        std::string out;
        std::size_t kept = 0;
        for (const std::string& w : head) {
            if (out.size() + (out.empty() ? 0 : 1) + w.size() > room)
                break;
            out += (out.empty() ? "" : " ") + w;
            ++kept;
        }
        if (out.empty() && !head.empty())
            out = head.front().substr(0, room);
        if (!end.empty())
            out += (out.empty() ? "" : " ") + end;
        if (best.empty() || kept > bestWords) {
            best = out;
            bestWords = kept;
        }
    }
    return best.substr(0, width);
}

std::vector<std::string> pairStem(std::string_view latin1)
{
    std::vector<std::string> stem;
    const ReadableName rn = readableName(latin1, false);
    for (const auto* list : {&rn.words, &rn.tag}) {
        for (const std::string& w : *list) {
            for (std::string part : words(w)) {
                part = folded(part);
                if (part == "fine")
                    continue;
                if (part == "colour")
                    part = "color";
                if (part.size() > 3 && part.back() == 's')
                    part.pop_back();
                stem.push_back(part);
            }
        }
    }
    return stem;
}

namespace {

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

struct PresetRule {
    std::string_view preset; // a preset, or a family of presets ending in '*'
    const char* target;
};

// In this order: a master dimmer before a plain dimmer, and so on.
constexpr PresetRule presetRules[] = {
    {"IntensityMasterDimmer", "Dimmer"},
    {"IntensityDimmer", "Dimmer"},
    {"PositionPan", "Pan"},
    {"PositionTilt", "Tilt"},
    {"IntensityCyan", "Cyan"},
    {"IntensityMagenta", "Magenta"},
    {"IntensityYellow", "Yellow"},
    {"IntensityRed", "Red"},
    {"IntensityBlue", "Blue"},
    {"BeamFocus*", "Focus"},
    {"BeamZoom*", "Zoom"},
    {"ShutterIris*", "Iris"},
    {"SpeedPanTilt*", "P/T Speed"},
};

bool matches(const PresetRule& rule, std::string_view preset)
{
    if (rule.preset.back() != '*')
        return preset == rule.preset;
    return startsWith(preset, rule.preset.substr(0, rule.preset.size() - 1)) &&
           !endsWith(preset, "Fine");
}

bool mentions(std::string_view latin1, std::string_view word)
{
    return folded(latin1).find(word) != std::string::npos;
}

// The names a channel of a known group may take, in order of preference (coarse byte only).
std::vector<const char*> groupTargets(const Slot& s)
{
    const QxfChannel& ch = *s.ch;
    if (s.fine)
        return {};
    const std::string& g = ch.group;
    if (g == "Pan" || g == "Tilt" || g == "Shutter" || g == "Prism" || g == "Effect")
        return {g.c_str()};
    if (g == "Colour" && s.caps >= 2)
        return {"Colour", "Colour1"};
    if (g == "Gobo" && s.caps >= 2)
        return {"Gobo", "Gobo1"};
    if (g == "Speed")
        return {mentions(s.name, "pan") || mentions(s.name, "tilt") ? "P/T Speed" : "Speed"};
    // A custom intensity channel (fog output, volume) is a dimmer only when its name says so.
    if (g == "Intensity" && ch.colour.empty() && mentions(s.name, "dimmer"))
        return {"Dimmer"};
    return {};
}

// Names the console's file reader gives a fixed function code; another channel must not carry
// them exactly.
bool forced(std::string_view t)
{
    return t == "Pan" || t == "Tilt" || t == "Dimmer" || t == "Colour";
}

} // namespace

void assignNames(std::vector<Slot>& slots, const ChNameSet& names, std::vector<std::string>& report,
                 std::vector<std::string>& missing, std::vector<int>& missingChannels)
{
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
    for (Slot& s : slots) // 1. the channel's own readable name
        if (!s.name.empty())
            give(s, s.name);
    for (const PresetRule& rule : presetRules) // 2. by preset
        for (Slot& s : slots)
            if (!s.assigned && matches(rule, s.preset))
                give(s, rule.target);
    for (Slot& s : slots) // 3. by group
        if (!s.assigned)
            for (const char* target : groupTargets(s))
                if (give(s, target))
                    break;
    std::vector<std::string> given(slots.size()); // the names given so far, in lower case
    for (const Slot& s : slots)
        if (s.assigned)
            given[s.index] = folded(s.finalName);
    const auto held = [&](std::string_view name, const Slot& self) {
        const std::string key = folded(name);
        for (const Slot& o : slots)
            if (&o != &self && o.assigned && given[o.index] == key)
                return true;
        return false;
    };
    for (Slot& s : slots) { // 4. the channel keeps its own name, code 0
        if (s.assigned)
            continue;
        ReadableName rn;
        if (s.name.empty()) {
            rn.words = {"Chan", std::to_string(s.index + 1)};
            report.push_back(s.label() + ": no name; it is called " + quotedLatin1(rn.text()));
        } else if (s.name.size() > 12) {
            rn = readableName(s.name, false);
        } else {
            rn.words = {s.name}; // fits as it is
        }
        std::string name = fitName(rn, 12);
        if (forced(name) || held(name, s)) {
            if (!s.name.empty())
                rn = readableName(s.name, false);
            const std::string taken = name;
            for (int k = 2;; ++k) {
                const std::string suffix = " " + std::to_string(k);
                name = fitName(rn, 12 - suffix.size()) + suffix;
                if (!held(name, s) && !forced(name))
                    break;
            }
            report.push_back(s.label() + ": the name " + quotedLatin1(taken) +
                             (forced(taken) ? " belongs to another channel's function"
                                            : " is taken by another channel") +
                             "; it is called " + quotedLatin1(name));
        } else if (s.name.size() > 12) {
            report.push_back(s.label() + ": the name is cut to " + quotedLatin1(name));
        }
        s.finalName = name;
        given[s.index] = folded(name);
        s.code = 0;
        s.assigned = true;
        s.ownName = true;
        give(s, name); // a kept name that the set holds unused brings its code
    }
    for (const Slot& s : slots) {
        if (s.replaced && s.ownName)
            report.push_back(s.label() +
                             ": characters with no Latin-1 form were replaced by \"?\"");
        if (s.code == 0 && !set.holds(s.finalName)) {
            missing.push_back(s.finalName);
            missingChannels.push_back(s.index);
        }
    }
}

} // namespace fx::qxf
