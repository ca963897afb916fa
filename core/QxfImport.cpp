#include "core/QxfImport.h"

#include "core/ByteFile.h"
#include "core/FixtureFile.h"
#include "core/Latin1Text.h"
#include "core/PaletteStore.h"
#include "core/QxfConvert.h"

#include <pugixml.hpp>

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cstring>
#include <filesystem>
#include <unordered_map>

namespace fx {

std::optional<int> qxfNumber(const char* text)
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

namespace {

using qxf::endsWith;
using qxf::folded;
using qxf::shown;
using qxf::startsWith;

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

std::optional<int> numberAttribute(const pugi::xml_node& node, const char* name)
{
    const pugi::xml_attribute a = node.attribute(name);
    if (!a)
        return std::nullopt;
    return qxfNumber(a.value());
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
        ch.defaultValue = qxfNumber(d.value()).value_or(-1);
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
        mode.channels.push_back(found->second);
    }
    // One line a channel, for the modes an import can take.
    for (std::size_t i = 0; mode.fits() && i < mode.channels.size(); ++i)
        if (!def.channels[mode.channels[i]].defined)
            mode.notes.push_back("channel " + std::to_string(i + 1) + " " +
                                 shown(def.channels[mode.channels[i]].name, 120) +
                                 ": the file does not define it; it is kept as a plain channel");
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
    name = trimBlanks(name);
    for (int m = 0; m < static_cast<int>(def.modes.size()); ++m)
        if (def.modes[m].name == name)
            return m;
    return std::nullopt;
}

namespace qxf {

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

std::vector<std::string> words(std::string_view text)
{
    std::vector<std::string> out;
    std::string w;
    for (const char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if ((b >= '0' && b <= '9') || (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') ||
            b >= 0xC0) {
            w += c;
        } else if (!w.empty()) {
            out.push_back(std::move(w));
            w.clear();
        }
    }
    if (!w.empty())
        out.push_back(std::move(w));
    return out;
}

std::string shown(std::string_view utf8, std::size_t width)
{
    std::string latin1 = utf8ToLatin1Text(utf8).text;
    if (latin1.size() > width)
        latin1 = latin1.substr(0, width - 3) + "...";
    return "\"" + latin1ToUtf8(latin1) + "\"";
}

std::string quotedLatin1(std::string_view latin1)
{
    return "\"" + latin1ToUtf8(latin1) + "\"";
}

std::string Slot::label() const
{
    // Real names run to some 70 characters; the width only guards against hostile files.
    return "channel " + std::to_string(index + 1) + " " + shown(ch->name, 120);
}

std::vector<Slot> makeSlots(const QxfDefinition& def, const QxfMode& mode)
{
    std::vector<Slot> slots(mode.channels.size());
    for (std::size_t i = 0; i < slots.size(); ++i) {
        Slot& s = slots[i];
        s.ch = &def.channels[mode.channels[i]];
        s.index = static_cast<int>(i);
        s.fine = s.ch->byte == 1;
        s.preset = s.ch->preset;
        if (s.preset.empty() && s.ch->group == "Intensity" && !s.ch->colour.empty()) {
            // An intensity colour without a preset is its preset: Colour "red" is IntensityRed.
            std::string colour = folded(s.ch->colour);
            colour[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(colour[0])));
            s.preset = "Intensity" + colour + (s.fine ? "Fine" : "");
        }
        const Latin1Conversion name = utf8ToLatin1Text(s.ch->name);
        s.name = qxf::readableText(name.text, s.fine);
        s.replaced = name.replaced;
        s.caps = static_cast<int>(s.ch->capabilities.size());
        s.offer = s.caps >= 2 ? std::min(s.caps, MaxEditableSteps) : 0;
    }
    return slots;
}

} // namespace qxf

std::string importQxfMode(const QxfDefinition& def, int modeIndex, const ChNameSet& names,
                          QxfImport& out, const QxfImportOptions& options)
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
    std::vector<qxf::Slot> slots = qxf::makeSlots(def, mode);
    std::vector<bool> chosen;
    if (std::string error = qxf::chooseSteps(slots, options, chosen); !error.empty())
        return error;

    auto rec = std::make_unique<FixtureRecord>();
    ResetFixtureRecord(*rec, n);
    rec->PalChannels = static_cast<std::uint8_t>(n);
    std::vector<std::string> report = mode.notes;

    const Latin1Conversion model = utf8ToLatin1Text(def.model);
    rec->FixHeader.FixtureName.assign(model.text);
    if (model.text.empty())
        report.push_back("the file gives no model; the fixture name is left empty");
    else if (model.text.size() > 11)
        report.push_back("fixture name " + qxf::quotedLatin1(model.text) + " cut to " +
                         qxf::quotedLatin1(rec->FixHeader.FixtureName.trimmed()));

    std::vector<std::string> missing;
    std::vector<int> missingChannels;
    qxf::assignNames(slots, names, report, missing, missingChannels);
    qxf::pairChannels(slots, report);

    for (const qxf::Slot& s : slots) {
        const QxfChannel& ch = *s.ch;
        ChannelInfo& info = rec->Channels[s.index];
        info.ChName.assign(s.finalName);
        info.FuncCode = s.code;
        info.ChNumber = static_cast<std::uint8_t>(s.index + 1);
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
                report.push_back(s.label() + ": default value " + std::to_string(*ch.defaultValue) +
                                 " is not 0 to 255; " + std::to_string(v) + " is used");
            info.ChValue = static_cast<std::uint8_t>(v);
        }
    }
    qxf::fillSteps(*rec, slots, chosen, report);

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

    qxf::fillPalettes(*rec, slots, report);

    // What a file cannot hold of the record: with the steps of every channel or of the listed
    // ones, the file keeps the first 204 in channel order.
    const FileCapacityReport capacity = checkFileCapacity(*rec);
    std::vector<int> loss(n, 0);
    for (const auto& l : capacity.lostSteps) {
        if (l.channel >= n)
            continue;
        loss[l.channel] = l.lost;
        report.push_back(slots[l.channel].label() + ": " + std::to_string(l.lost) + " of its " +
                         std::to_string(rec->StepCount[l.channel]) +
                         " steps lie beyond the file's 204 (of " +
                         std::to_string(capacity.totalSteps) + " in all) and are not stored");
    }

    out.record = std::move(rec);
    out.report = std::move(report);
    out.missingNames = std::move(missing);
    out.missingChannels = std::move(missingChannels);
    out.stepTotal = capacity.totalSteps;
    out.stepLoss = std::move(loss);
    out.stepOffer.clear();
    for (const qxf::Slot& s : slots)
        out.stepOffer.push_back(s.offer);
    return {};
}

std::string qxfChannelLabel(const QxfDefinition& def, int mode, int channel)
{
    qxf::Slot s;
    s.ch = &def.channels[def.modes[mode].channels[channel]];
    s.index = channel;
    return s.label();
}

std::vector<std::string> qxfNameRemarks(const QxfDefinition& def, int mode, const QxfImport& imp)
{
    std::vector<std::string> lines;
    for (std::size_t k = 0; k < imp.missingChannels.size() && k < imp.missingNames.size(); ++k)
        lines.push_back(qxfChannelLabel(def, mode, imp.missingChannels[k]) + ": " +
                        qxf::quotedLatin1(imp.missingNames[k]) +
                        " is not in the channel name set (code none)");
    return lines;
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
