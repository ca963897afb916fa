#pragma once

// Small ".qxf" fixture definitions written inline for the import's tests: channels given as XML,
// one mode listing them in order.

#include "core/QxfImport.h"

#include <string>

namespace support {

// n capabilities "<what> k" splitting 0 to 255 evenly.
inline std::string capabilities(int n, const std::string& what = "Slot")
{
    std::string x;
    for (int k = 0; k < n; ++k)
        x += "<Capability Min=\"" + std::to_string(k * 256 / n) + "\" Max=\"" +
             std::to_string((k + 1) * 256 / n - 1) + "\">" + what + " " + std::to_string(k + 1) +
             "</Capability>";
    return x;
}

// A channel of a group (empty: none) with n capabilities.
inline std::string channel(const std::string& name, const std::string& group, int n = 0,
                           const std::string& extra = {})
{
    return "<Channel Name=\"" + name + "\">" +
           (group.empty() ? "" : "<Group Byte=\"0\">" + group + "</Group>") + extra +
           capabilities(n, name) + "</Channel>";
}

// A definition of the channels and one mode "Mode" holding every channel defined, in order.
inline std::string definitionXml(const std::string& channels)
{
    std::string mode;
    int number = 0;
    for (std::size_t p = 0; (p = channels.find("<Channel Name=\"", p)) != std::string::npos;) {
        p += 15;
        const std::string name = channels.substr(p, channels.find('"', p) - p);
        mode += "<Channel Number=\"" + std::to_string(number++) + "\">" + name + "</Channel>";
    }
    return "<FixtureDefinition><Manufacturer>Testing Works</Manufacturer><Model>Sample</Model>" +
           channels + "<Mode Name=\"Mode\">" + mode + "</Mode></FixtureDefinition>";
}

inline fx::QxfDefinition definition(const std::string& channels)
{
    const std::string xml = definitionXml(channels);
    fx::QxfDefinition def;
    fx::parseQxf({reinterpret_cast<const std::uint8_t*>(xml.data()), xml.size()}, def);
    return def;
}

// The shape of a projector of digital effects: one colour channel of 170 capabilities, then a
// shutter and two gobo channels that would not fit beside it all (170 + 9 + 12 + 14 = 205).
inline std::string effectsProjector()
{
    return channel("Colour Effects", "Colour", 170) + channel("Shutter", "Shutter", 9) +
           channel("Gobo", "Gobo", 12) + channel("Gobo 2", "Gobo", 14) +
           "<Channel Name=\"Dimmer\" Preset=\"IntensityDimmer\"/>";
}

} // namespace support
