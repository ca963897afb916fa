#include "core/QxfExport.h"

#include "core/Latin1Text.h"

#include <pugixml.hpp>

#include <algorithm>
#include <optional>
#include <sstream>

namespace fx {

namespace {

constexpr const char* QxfNamespace = "http://www.qlcplus.org/FixtureDefinition";

// Function codes of the default channel names.
enum Code : int {
    CodeDimmer = 3,
    CodeShutter = 4,
    CodeIris = 5,
    CodePan = 6,
    CodeTilt = 7,
    CodeColour1 = 8,
    CodeColour = 9,
    CodeFocus = 10,
    CodeZoom = 11,
    CodeGobo = 12,
    CodeGobo1 = 13,
    CodeGoboRot = 14,
    CodeGoboSpin = 15,
    CodePtSpeed = 16,
    CodeSpeed = 17,
    CodeEffect = 18,
    CodeYellow = 19,
    CodeMagenta = 20,
    CodeCyan = 21,
    CodeRed = 22,
    CodeBlue = 23,
    CodeRotation = 24,
    CodeRotGobo = 25,
    CodePrism = 26,
    CodePrismRot = 27,
    CodeFanSpeed = 30,
    CodeHeadSpeed = 34,
    CodeMirrorSpeed = 37,
    CodeMovement = 38,
    CodeStrobe = 41,
    CodeDimSpeed = 43,
};

// What a function code stands for in a definition: the channel's preset (empty: a Group only),
// its group, the preset of its fine byte (empty: the fine byte is the Group with Byte 1) and, for
// an intensity channel, its colour. The import reads these back: the presets with a fine form
// are the 16-bit pairs it is certain of.
struct Meaning {
    const char* preset;
    const char* group;
    const char* finePreset;
    const char* colour = "";
};

Meaning meaningOf(int code)
{
    switch (code) {
    case CodeDimmer: return {"IntensityDimmer", "Intensity", "IntensityDimmerFine"};
    case CodeYellow: return {"IntensityYellow", "Intensity", "IntensityYellowFine", "Yellow"};
    case CodeMagenta: return {"IntensityMagenta", "Intensity", "IntensityMagentaFine", "Magenta"};
    case CodeCyan: return {"IntensityCyan", "Intensity", "IntensityCyanFine", "Cyan"};
    case CodeRed: return {"IntensityRed", "Intensity", "IntensityRedFine", "Red"};
    case CodeBlue: return {"IntensityBlue", "Intensity", "IntensityBlueFine", "Blue"};
    case CodePan: return {"PositionPan", "Pan", "PositionPanFine"};
    case CodeTilt: return {"PositionTilt", "Tilt", "PositionTiltFine"};
    case CodeFocus: return {"BeamFocusNearFar", "Beam", "BeamFocusFine"};
    case CodeZoom: return {"BeamZoomSmallBig", "Beam", "BeamZoomFine"};
    case CodeIris: return {"ShutterIrisMinToMax", "Shutter", "ShutterIrisFine"};
    case CodeColour: return {"ColorWheel", "Colour", "ColorWheelFine"};
    case CodeGobo: return {"GoboWheel", "Gobo", "GoboWheelFine"};
    case CodeGoboRot: return {"GoboIndex", "Gobo", "GoboIndexFine"};
    case CodePtSpeed: return {"SpeedPanTiltSlowFast", "Speed", ""};
    case CodeColour1: return {"", "Colour", ""};
    case CodeGobo1:
    case CodeGoboSpin:
    case CodeRotGobo: return {"", "Gobo", ""};
    case CodeShutter:
    case CodeStrobe: return {"", "Shutter", ""};
    case CodePrism:
    case CodePrismRot: return {"", "Prism", ""};
    case CodeSpeed:
    case CodeFanSpeed:
    case CodeHeadSpeed:
    case CodeMirrorSpeed:
    case CodeDimSpeed: return {"", "Speed", ""};
    case CodeEffect:
    case CodeRotation:
    case CodeMovement: return {"", "Effect", ""};
    // Every other channel (macros, functions, typed names) is one the import never renames.
    default: return {"", "Maintenance", ""};
    }
}

bool isColourIntensity(int code)
{
    return code >= CodeYellow && code <= CodeBlue;
}

// A Latin-1 text of the record as a definition holds it: control characters and never-written
// zero bytes dropped, whitespace runs one blank, ends trimmed.
std::string cleanText(std::string_view latin1)
{
    std::string out;
    bool blank = false;
    for (const char c : latin1) {
        const auto b = static_cast<unsigned char>(c);
        if (b == ' ' || b == 0xA0 || b == '\t') {
            blank = !out.empty();
            continue;
        }
        if (b < 0x20 || (b >= 0x7F && b < 0xA0))
            continue;
        if (blank)
            out += ' ';
        blank = false;
        out += c;
    }
    return out;
}

int channelsInUse(const FixtureRecord& record)
{
    return std::min<int>(record.FixHeader.NumChannels, MaxChannels);
}

// The 16-bit pairs a definition can carry: a high channel naming a low one in use (not itself,
// not a low channel already taken). Index: channel, value: its partner, -1 for none.
std::vector<int> sixteenBitPartners(const FixtureRecord& record)
{
    const int n = channelsInUse(record);
    std::vector<int> partner(static_cast<std::size_t>(n), -1);
    for (int i = 0; i < n; ++i) {
        const ChannelInfo& high = record.Channels[i];
        const int low = high.PairChannel - 1;
        if ((high.ChType != TypeFadeable16H && high.ChType != TypeInstant16H) || low < 0 ||
            low >= n || low == i || partner[i] >= 0 || partner[low] >= 0)
            continue;
        const int lowType = record.Channels[low].ChType;
        if (lowType != TypeFadeable16L && lowType != TypeInstant16L)
            continue;
        partner[i] = low;
        partner[low] = i;
    }
    return partner;
}

bool isLow(const FixtureRecord& record, const std::vector<int>& partner, int i)
{
    const int type = record.Channels[i].ChType;
    return partner[i] >= 0 && (type == TypeFadeable16L || type == TypeInstant16L);
}

// The meaning a channel is written with: its own code's, a low channel its partner's.
Meaning writtenMeaning(const FixtureRecord& record, const std::vector<int>& partner, int i)
{
    return meaningOf(record.Channels[isLow(record, partner, i) ? partner[i] : i].FuncCode);
}

// The preset a channel is written with, empty for a Group. A preset stands for the channel's
// ranges as well, so a channel with steps of its own is written as its group (an intensity channel
// with its colour), as definitions do.
std::string writtenPreset(const FixtureRecord& record, const std::vector<int>& partner, int i)
{
    const Meaning m = writtenMeaning(record, partner, i);
    const char* preset = isLow(record, partner, i) ? m.finePreset : m.preset;
    return record.StepCount[i] == 0 ? preset : "";
}

bool hasWordFine(std::string_view name)
{
    for (std::size_t p = 0; p + 4 <= name.size(); ++p) {
        const bool start = p == 0 || name[p - 1] == ' ';
        const bool end = p + 4 == name.size() || name[p + 4] == ' ';
        std::string word(name.substr(p, 4));
        for (char& c : word)
            c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
        if (start && end && word == "fine")
            return true;
    }
    return false;
}

std::string ownName(const FixtureRecord& record, int i)
{
    const std::string name = cleanText(record.Channels[i].ChName.str());
    return name.empty() ? "Chan " + std::to_string(i + 1) : name;
}

} // namespace

const std::vector<std::string_view>& qxfFixtureTypes()
{
    static const std::vector<std::string_view> types = {
        "Color Changer", "Dimmer", "Effect", "Fan",          "Flower",           "Hazer",
        "Laser",         "Moving Head", "Other", "Scanner", "Smoke",            "Strobe",
        "LED Bar (Beams)", "LED Bar (Pixels)"};
    return types;
}

bool isQxfFixtureType(std::string_view type)
{
    const auto& types = qxfFixtureTypes();
    return std::find(types.begin(), types.end(), type) != types.end();
}

std::string guessQxfFixtureType(const FixtureRecord& record)
{
    const int n = channelsInUse(record);
    bool pan = false, tilt = false, colour = false;
    int intensity = 0;
    for (int i = 0; i < n; ++i) {
        const int code = record.Channels[i].FuncCode;
        pan = pan || code == CodePan;
        tilt = tilt || code == CodeTilt;
        colour = colour || isColourIntensity(code);
        intensity += code == CodeDimmer || isColourIntensity(code);
    }
    if (pan && tilt)
        return "Moving Head";
    if (colour && !pan && !tilt)
        return "Color Changer";
    if (n == 1 && intensity == 1)
        return "Dimmer";
    return "Other";
}

std::vector<std::string> qxfChannelNames(const FixtureRecord& record)
{
    const int n = channelsInUse(record);
    const std::vector<int> partner = sixteenBitPartners(record);
    std::vector<std::string> names;
    const auto taken = [&](const std::string& name) {
        return std::find(names.begin(), names.end(), name) != names.end();
    };
    for (int i = 0; i < n; ++i) {
        // A fine byte is named as imports name and pair fine channels: its coarse channel's name
        // with "Fine", unless its own name has that word.
        std::string name = ownName(record, i);
        if (isLow(record, partner, i) && !hasWordFine(name))
            name = ownName(record, partner[i]) + " Fine";
        if (taken(name)) {
            const std::string base = name;
            for (int k = 2; taken(name); ++k)
                name = base + " " + std::to_string(k);
        }
        names.push_back(name);
    }
    return names;
}

std::string exportQxf(const FixtureRecord& record, const QxfExportOptions& options)
{
    const int n = channelsInUse(record);
    const std::vector<std::string> names = qxfChannelNames(record);
    const std::vector<int> partner = sixteenBitPartners(record);

    pugi::xml_document doc;
    pugi::xml_node decl = doc.append_child(pugi::node_declaration);
    decl.append_attribute("version") = "1.0";
    decl.append_attribute("encoding") = "UTF-8";
    doc.append_child(pugi::node_doctype).set_value("FixtureDefinition");
    pugi::xml_node root = doc.append_child("FixtureDefinition");
    root.append_attribute("xmlns") = QxfNamespace;

    const auto textChild = [](pugi::xml_node parent, const char* name, const std::string& text) {
        parent.append_child(name).text().set(text.c_str());
    };
    pugi::xml_node creator = root.append_child("Creator");
    textChild(creator, "Name", options.creatorName);
    textChild(creator, "Version", options.creatorVersion);
    textChild(creator, "Author", options.author);
    const std::string manufacturer =
        utf8ToLatin1Text(options.manufacturer).text.empty() ? "Unknown" : options.manufacturer;
    textChild(root, "Manufacturer", latin1ToUtf8(utf8ToLatin1Text(manufacturer).text));
    std::string model = cleanText(record.FixHeader.FixtureName.str());
    textChild(root, "Model", latin1ToUtf8(model.empty() ? "Unnamed" : model));
    textChild(root, "Type", options.type.empty() ? guessQxfFixtureType(record) : options.type);

    for (int i = 0; i < n; ++i) {
        const ChannelInfo& ch = record.Channels[i];
        pugi::xml_node node = root.append_child("Channel");
        node.append_attribute("Name") = latin1ToUtf8(names[i]).c_str();
        node.append_attribute("Default") = static_cast<int>(ch.ChValue);
        const bool fine = isLow(record, partner, i);
        const Meaning m = writtenMeaning(record, partner, i);
        const std::string preset = writtenPreset(record, partner, i);
        const int steps = std::min<int>(record.StepCount[i], MaxStepsPerChannel);
        if (!preset.empty()) {
            node.append_attribute("Preset") = preset.c_str();
        } else {
            pugi::xml_node group = node.append_child("Group");
            group.append_attribute("Byte") = fine ? 1 : 0;
            group.text().set(m.group);
            if (*m.colour != '\0')
                node.append_child("Colour").text().set(m.colour);
        }
        for (int k = 0; k < steps; ++k) {
            const StepInfo& step = record.Steps[i][k];
            pugi::xml_node cap = node.append_child("Capability");
            cap.append_attribute("Min") = static_cast<int>(std::min(step.FromDmx, step.ToDmx));
            cap.append_attribute("Max") = static_cast<int>(std::max(step.FromDmx, step.ToDmx));
            cap.text().set(latin1ToUtf8(cleanText(step.StepName.str())).c_str());
        }
    }

    pugi::xml_node mode = root.append_child("Mode");
    mode.append_attribute("Name") = (std::to_string(n) + " Channel").c_str();
    pugi::xml_node physical = mode.append_child("Physical");
    pugi::xml_node focus = physical.append_child("Focus");
    focus.append_attribute("Type") = "Head";
    focus.append_attribute("PanMax") = static_cast<int>(record.MaxPanDegree);
    focus.append_attribute("TiltMax") = static_cast<int>(record.MaxTiltDegree);
    for (int i = 0; i < n; ++i) {
        pugi::xml_node ref = mode.append_child("Channel");
        ref.append_attribute("Number") = i;
        ref.text().set(latin1ToUtf8(names[i]).c_str());
    }

    std::ostringstream out;
    doc.save(out, " ", pugi::format_default, pugi::encoding_utf8);
    return out.str();
}

} // namespace fx
