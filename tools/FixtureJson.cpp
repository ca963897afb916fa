#include "tools/FixtureJson.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

namespace fx {

namespace {

using Json = nlohmann::ordered_json;

// ---- writing ----

template <std::size_t N> Json textJson(const FixedText<N>& text)
{
    return latin1ToUtf8(text.str());
}

template <typename Array> Json numbersJson(const Array& values)
{
    Json list = Json::array();
    for (auto v : values)
        list.push_back(static_cast<int>(v));
    return list;
}

bool isFlat(const Json& v)
{
    for (const auto& child : v)
        if (child.is_structured())
            return false;
    return true;
}

// Like Json::dump(2), but a container of numbers and texts only stands on one line.
void printJson(const Json& v, int indent, std::string& out)
{
    if (!v.is_structured()) {
        out += v.is_number_unsigned() ? std::to_string(v.get<std::uint64_t>()) : v.dump();
        return;
    }
    const bool object = v.is_object();
    const char open = object ? '{' : '[';
    const char close = object ? '}' : ']';
    if (v.empty() || isFlat(v)) {
        out += open;
        bool first = true;
        for (auto it = v.begin(); it != v.end(); ++it) {
            out += first ? "" : ", ";
            first = false;
            if (object)
                out += Json(it.key()).dump() + ": ";
            printJson(it.value(), indent, out);
        }
        out += close;
        return;
    }
    const std::string inner(static_cast<std::size_t>(indent + 2), ' ');
    out += open;
    out += '\n';
    bool first = true;
    for (auto it = v.begin(); it != v.end(); ++it) {
        if (!first)
            out += ",\n";
        first = false;
        out += inner;
        if (object)
            out += Json(it.key()).dump() + ": ";
        printJson(it.value(), indent + 2, out);
    }
    out += '\n';
    out += std::string(static_cast<std::size_t>(indent), ' ');
    out += close;
}

// ---- reading ----

// Reads one field after the other into a record, stopping at the first fault; path names the
// field being read ("Channels[3].ChName") for the message.
class RecordReader {
public:
    std::string error;

    bool fail(const std::string& path, const std::string& what)
    {
        if (error.empty())
            error = path + " " + what;
        return false;
    }

    // An object with exactly these keys.
    bool object(const Json& v, const std::string& path, std::initializer_list<const char*> keys)
    {
        const std::string where = path.empty() ? "the JSON text" : path;
        if (!v.is_object())
            return fail(where, "is not an object");
        for (const char* key : keys)
            if (!v.contains(key))
                return fail(where, std::string("lacks the key \"") + key + "\"");
        for (auto it = v.begin(); it != v.end(); ++it) {
            bool known = false;
            for (const char* key : keys)
                known = known || it.key() == key;
            if (!known)
                return fail(where, "holds the unknown key " + Json(it.key()).dump());
        }
        return true;
    }

    bool array(const Json& v, const std::string& path, std::size_t size)
    {
        if (!v.is_array())
            return fail(path, "is not a list");
        if (v.size() != size)
            return fail(path, "has " + std::to_string(v.size()) + " elements instead of " +
                                  std::to_string(size));
        return true;
    }

    bool integer(const Json& v, const std::string& path, long min, long max, long& out)
    {
        if (!v.is_number_integer())
            return fail(path, "is not a whole number");
        if (v.is_number_unsigned() && v.get<std::uint64_t>() > static_cast<std::uint64_t>(max))
            return fail(path, v.dump() + " is out of range " + std::to_string(min) + " to " +
                                  std::to_string(max));
        const std::int64_t n = v.get<std::int64_t>();
        if (n < min || n > max)
            return fail(path, std::to_string(n) + " is out of range " + std::to_string(min) +
                                  " to " + std::to_string(max));
        out = static_cast<long>(n);
        return true;
    }

    bool byte(const Json& v, const std::string& path, std::uint8_t& out)
    {
        long n = 0;
        if (!integer(v, path, 0, 255, n))
            return false;
        out = static_cast<std::uint8_t>(n);
        return true;
    }

    template <typename Array> bool bytes(const Json& v, const std::string& path, Array& out)
    {
        if (!array(v, path, out.size()))
            return false;
        for (std::size_t i = 0; i < out.size(); ++i) {
            const Json& element = v[i];
            if (element.is_number_unsigned() && element.get<std::uint64_t>() <= 255) {
                out[i] = static_cast<std::uint8_t>(element.get<std::uint64_t>());
                continue;
            }
            // The path is spelt out only for a value at fault.
            if (!byte(element, path + "[" + std::to_string(i) + "]", out[i]))
                return false;
        }
        return true;
    }

    template <std::size_t N> bool text(const Json& v, const std::string& path, FixedText<N>& out)
    {
        if (!v.is_string())
            return fail(path, "is not a text");
        // The parser has checked the UTF-8 already; only the code points are needed here.
        const std::string& utf8 = v.get_ref<const std::string&>();
        std::string latin1;
        for (std::size_t i = 0; i < utf8.size();) {
            const auto lead = static_cast<std::uint8_t>(utf8[i]);
            std::uint32_t cp = lead;
            std::size_t length = 1;
            if (lead >= 0xF0) {
                cp = lead & 0x07;
                length = 4;
            } else if (lead >= 0xE0) {
                cp = lead & 0x0F;
                length = 3;
            } else if (lead >= 0xC0) {
                cp = lead & 0x1F;
                length = 2;
            }
            for (std::size_t k = 1; k < length && i + k < utf8.size(); ++k)
                cp = (cp << 6) | (static_cast<std::uint8_t>(utf8[i + k]) & 0x3F);
            if (cp > 0xFF) {
                char hex[16];
                std::snprintf(hex, sizeof hex, "U+%04X", static_cast<unsigned>(cp));
                return fail(path, std::string("holds the character ") + hex +
                                      "; a fixture file stores only U+0000 to U+00FF");
            }
            latin1 += static_cast<char>(cp);
            i += length;
        }
        if (latin1.size() > N)
            return fail(path, v.dump() + " has " + std::to_string(latin1.size()) +
                                  " characters; it holds at most " + std::to_string(N));
        out.assign(latin1);
        return true;
    }

    template <typename Array> bool texts(const Json& v, const std::string& path, Array& out)
    {
        if (!array(v, path, out.size()))
            return false;
        for (std::size_t i = 0; i < out.size(); ++i)
            if (!text(v[i], path + "[" + std::to_string(i) + "]", out[i]))
                return false;
        return true;
    }

    bool channel(const Json& v, const std::string& path, ChannelInfo& ch)
    {
        return object(v, path,
                      {"FuncCode", "ChType", "ChNumber", "PairChannel", "Spare1", "Spare2",
                       "ChName", "ChValue"}) &&
               byte(v["FuncCode"], path + ".FuncCode", ch.FuncCode) &&
               byte(v["ChType"], path + ".ChType", ch.ChType) &&
               byte(v["ChNumber"], path + ".ChNumber", ch.ChNumber) &&
               byte(v["PairChannel"], path + ".PairChannel", ch.PairChannel) &&
               byte(v["Spare1"], path + ".Spare1", ch.Spare1) &&
               byte(v["Spare2"], path + ".Spare2", ch.Spare2) &&
               text(v["ChName"], path + ".ChName", ch.ChName) &&
               byte(v["ChValue"], path + ".ChValue", ch.ChValue);
    }

    bool step(const Json& v, const std::string& path, StepInfo& s)
    {
        return object(v, path, {"FromDmx", "ToDmx", "StepName"}) &&
               byte(v["FromDmx"], path + ".FromDmx", s.FromDmx) &&
               byte(v["ToDmx"], path + ".ToDmx", s.ToDmx) &&
               text(v["StepName"], path + ".StepName", s.StepName);
    }

    bool degree(const Json& v, const std::string& path, std::int16_t& out)
    {
        // The file keeps a degree as high and low byte; a reader takes a high byte of 128 or
        // more for a broken file, so only 0..32767 comes back.
        long n = 0;
        if (!integer(v, path, 0, 32767, n))
            return false;
        out = static_cast<std::int16_t>(n);
        return true;
    }

    bool record(const Json& v, FixtureRecord& r)
    {
        if (!object(v, "",
                    {"Reserved", "FixtureName", "NumChannels", "MaxPanDegree", "MaxTiltDegree",
                     "FuncMap", "Channels", "StepCount", "Steps", "PalUsed", "PalName",
                     "PalEntryName", "PalEntrySize", "PalChannelUsed", "PalValue"}))
            return false;
        if (!byte(v["Reserved"], "Reserved", r.FixHeader.Reserved) ||
            !text(v["FixtureName"], "FixtureName", r.FixHeader.FixtureName))
            return false;
        long numChannels = 0;
        if (!integer(v["NumChannels"], "NumChannels", 1, MaxChannels, numChannels))
            return false;
        r.FixHeader.NumChannels = static_cast<std::uint8_t>(numChannels);
        if (!degree(v["MaxPanDegree"], "MaxPanDegree", r.MaxPanDegree) ||
            !degree(v["MaxTiltDegree"], "MaxTiltDegree", r.MaxTiltDegree) ||
            !bytes(v["FuncMap"], "FuncMap", r.FuncMap))
            return false;

        const Json& channels = v["Channels"];
        if (!array(channels, "Channels", MaxChannels))
            return false;
        for (int c = 0; c < MaxChannels; ++c) {
            const std::string path = "Channels[" + std::to_string(c) + "]";
            if (!channel(channels[c], path, r.Channels[c]))
                return false;
            // Channels in use hold a type code; those beyond NumChannels keep any byte.
            if (c < numChannels && r.Channels[c].ChType >= ChannelTypeCount)
                return fail(path + ".ChType",
                            std::to_string(r.Channels[c].ChType) + " is not a channel type 0 to 6");
        }

        if (!bytes(v["StepCount"], "StepCount", r.StepCount))
            return false;
        const Json& steps = v["Steps"];
        if (!array(steps, "Steps", MaxChannels))
            return false;
        for (int c = 0; c < MaxChannels; ++c) {
            const std::string path = "Steps[" + std::to_string(c) + "]";
            if (!steps[c].is_array())
                return fail(path, "is not a list");
            if (steps[c].size() != r.StepCount[c])
                return fail(path, "has " + std::to_string(steps[c].size()) +
                                      " steps but StepCount[" + std::to_string(c) + "] is " +
                                      std::to_string(r.StepCount[c]));
            for (int s = 0; s < r.StepCount[c]; ++s)
                if (!step(steps[c][s], path + "[" + std::to_string(s) + "]", r.Steps[c][s]))
                    return false;
        }

        if (!bytes(v["PalUsed"], "PalUsed", r.PalUsed) ||
            !texts(v["PalName"], "PalName", r.PalName) ||
            !array(v["PalEntryName"], "PalEntryName", PaletteCount) ||
            !array(v["PalEntrySize"], "PalEntrySize", PaletteCount) ||
            !array(v["PalChannelUsed"], "PalChannelUsed", PaletteCount) ||
            !array(v["PalValue"], "PalValue", PaletteCount))
            return false;
        for (int p = 0; p < PaletteCount; ++p) {
            const std::string index = "[" + std::to_string(p) + "]";
            if (!texts(v["PalEntryName"][p], "PalEntryName" + index, r.PalEntryName[p]) ||
                !bytes(v["PalEntrySize"][p], "PalEntrySize" + index, r.PalEntrySize[p]) ||
                !bytes(v["PalChannelUsed"][p], "PalChannelUsed" + index, r.PalChannelUsed[p]) ||
                !array(v["PalValue"][p], "PalValue" + index, PaletteEntryCount))
                return false;
            for (int e = 0; e < PaletteEntryCount; ++e)
                if (!bytes(v["PalValue"][p][e], "PalValue" + index + "[" + std::to_string(e) + "]",
                           r.PalValue[p][e]))
                    return false;
        }
        return true;
    }
};

std::string oneLine(std::string text)
{
    for (char& c : text)
        if (c == '\n' || c == '\r')
            c = ' ';
    return text;
}

} // namespace

std::string fixtureToJson(const FixtureRecord& r)
{
    Json j;
    j["Reserved"] = r.FixHeader.Reserved;
    j["FixtureName"] = textJson(r.FixHeader.FixtureName);
    j["NumChannels"] = r.FixHeader.NumChannels;
    j["MaxPanDegree"] = r.MaxPanDegree;
    j["MaxTiltDegree"] = r.MaxTiltDegree;
    j["FuncMap"] = numbersJson(r.FuncMap);

    Json channels = Json::array();
    for (const ChannelInfo& ch : r.Channels) {
        Json c;
        c["FuncCode"] = ch.FuncCode;
        c["ChType"] = ch.ChType;
        c["ChNumber"] = ch.ChNumber;
        c["PairChannel"] = ch.PairChannel;
        c["Spare1"] = ch.Spare1;
        c["Spare2"] = ch.Spare2;
        c["ChName"] = textJson(ch.ChName);
        c["ChValue"] = ch.ChValue;
        channels.push_back(c);
    }
    j["Channels"] = channels;
    j["StepCount"] = numbersJson(r.StepCount);

    Json steps = Json::array();
    for (int c = 0; c < MaxChannels; ++c) {
        Json list = Json::array();
        for (int s = 0; s < r.StepCount[c]; ++s) {
            const StepInfo& step = r.Steps[c][s];
            Json o;
            o["FromDmx"] = step.FromDmx;
            o["ToDmx"] = step.ToDmx;
            o["StepName"] = textJson(step.StepName);
            list.push_back(o);
        }
        steps.push_back(list);
    }
    j["Steps"] = steps;

    j["PalUsed"] = numbersJson(r.PalUsed);
    Json palNames = Json::array();
    Json entryNames = Json::array();
    Json entrySizes = Json::array();
    Json channelUsed = Json::array();
    Json values = Json::array();
    for (int p = 0; p < PaletteCount; ++p) {
        palNames.push_back(textJson(r.PalName[p]));
        Json names = Json::array();
        for (const PaletteName& name : r.PalEntryName[p])
            names.push_back(textJson(name));
        entryNames.push_back(names);
        entrySizes.push_back(numbersJson(r.PalEntrySize[p]));
        channelUsed.push_back(numbersJson(r.PalChannelUsed[p]));
        Json entries = Json::array();
        for (const auto& entry : r.PalValue[p])
            entries.push_back(numbersJson(entry));
        values.push_back(entries);
    }
    j["PalName"] = palNames;
    j["PalEntryName"] = entryNames;
    j["PalEntrySize"] = entrySizes;
    j["PalChannelUsed"] = channelUsed;
    j["PalValue"] = values;

    std::string out;
    printJson(j, 0, out);
    out += '\n';
    return out;
}

std::string fixtureFromJson(std::string_view jsonText, FixtureRecord& record)
{
    Json j;
    try {
        j = Json::parse(jsonText.begin(), jsonText.end());
    } catch (const Json::exception& e) {
        // A syntax error, or a number too large for any field ("number overflow parsing"). what()
        // starts with "[json.exception.parse_error.101] "; the rest is the message.
        std::string what = e.what();
        const auto bracket = what.find("] ");
        if (bracket != std::string::npos)
            what.erase(0, bracket + 2);
        return oneLine("malformed JSON: " + what);
    }

    RecordReader reader;
    auto parsed = std::make_unique<FixtureRecord>(record);
    if (!reader.record(j, *parsed))
        return oneLine(reader.error);
    record = *parsed;
    return {};
}

std::string fixtureJsonFromImage(std::span<const std::uint8_t> bytes, std::string& json)
{
    auto record = std::make_unique<FixtureRecord>();
    ResetFixtureRecord(*record, 8);
    if (std::string error = ReadFixtureImage(bytes, *record); !error.empty())
        return error;
    json = fixtureToJson(*record);
    return {};
}

std::string fixtureImageFromJson(std::string_view jsonText, FixtureImage& image)
{
    auto record = std::make_unique<FixtureRecord>();
    if (std::string error = fixtureFromJson(jsonText, *record); !error.empty())
        return error;
    return savedFixtureImage(*record, image);
}

std::string savedFixtureImage(FixtureRecord& record, FixtureImage& image)
{
    ApplyFixedFunctionCodes(record);
    BuildFuncMap(record);
    const FixtureImage written = WriteFixtureImage(record);
    // A safety net: never hand out a file that the editor would refuse to open.
    auto check = std::make_unique<FixtureRecord>();
    if (std::string error = ReadFixtureImage(written, *check); !error.empty())
        return "the fixture would not read back: " + error;
    image = written;
    return {};
}

std::string ledFixtureJsonFromImage(std::span<const std::uint8_t> bytes, std::string& json)
{
    LedFixtureRecord r;
    if (std::string error = ReadLedFixtureImage(bytes, r); !error.empty())
        return error;
    Json j;
    j["LedFixtureName"] = textJson(r.LedFixtureName);
    j["LedChannelCount"] = r.LedChannelCount;
    j["ColourChannelMap"] = numbersJson(r.ColourChannelMap);
    Json channels = Json::array();
    for (const LedChannelRec& ch : r.LedChannels) {
        Json c;
        c["ColourCode"] = ch.ColourCode;
        c["TypeCode"] = ch.TypeCode;
        c["PairChannel"] = ch.PairChannel;
        c["Name"] = textJson(ch.Name);
        channels.push_back(c);
    }
    j["LedChannels"] = channels;
    json.clear();
    printJson(j, 0, json);
    json += '\n';
    return {};
}

} // namespace fx
