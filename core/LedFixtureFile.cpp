#include "core/LedFixtureFile.h"

#include <algorithm>

namespace fx {

namespace {

constexpr std::size_t MapOffset = 13;
constexpr std::size_t RecordsOffset = 23;

constexpr const char* ColourNames[LedColourCount] = {"Red",   "Green",  "Blue",  "Amber",   "CoolW",
                                                     "WarmW", "Dimmer", "Speed", "Duration"};
constexpr std::uint8_t ColourLetters[LedColourCount] = {'R', 'G', 'B', 'A', 'C',
                                                        'W', 'M', 'S', 'D'};
constexpr std::uint8_t TypeLetters[7] = {'L', 'H', 'I', 'S', 'O', 's', 'O'};

std::uint8_t typeFromLetter(std::uint8_t letter)
{
    switch (letter) {
    case 'L': return 0;
    case 'H': return 1;
    case 'I': return 2;
    case 'S': return 3;
    case 's': return 5;
    default: return letter; // "O" is settled by the pairs
    }
}

} // namespace

std::string ledColourName(int colourCode)
{
    if (colourCode < 1 || colourCode > LedColourCount)
        return {};
    return ColourNames[colourCode - 1];
}

std::uint8_t ledColourLetter(int colourCode)
{
    if (colourCode < 1 || colourCode > LedColourCount)
        return 0;
    return ColourLetters[colourCode - 1];
}

std::uint8_t ledTypeLetter(int typeCode)
{
    if (typeCode < 0 || typeCode > 6)
        return static_cast<std::uint8_t>(typeCode);
    return TypeLetters[typeCode];
}

std::array<std::uint8_t, LedFixtureFileSize> SaveLedFixtureImage(LedFixtureRecord& record,
                                                                 std::string_view latin1Name)
{
    const int count = std::clamp<int>(record.LedChannelCount, 0, LedMaxChannels);
    record.LedFixtureName.assign(latin1Name);

    // Entry c names the highest channel in use whose colour code is c (0: no colour chosen).
    record.ColourChannelMap.fill(0);
    for (int p = 0; p < count; ++p) {
        const int code = record.LedChannels[p].ColourCode;
        if (code < LedMaxChannels)
            record.ColourChannelMap[code] = static_cast<std::uint8_t>(p + 1);
    }

    std::array<std::uint8_t, LedFixtureFileSize> image{};
    image[0] = 0;
    std::copy(record.LedFixtureName.bytes.begin(), record.LedFixtureName.bytes.end(),
              image.begin() + 1);
    image[12] = record.LedChannelCount;
    std::copy(record.ColourChannelMap.begin(), record.ColourChannelMap.end(),
              image.begin() + MapOffset);

    for (int p = 0; p < LedMaxChannels; ++p) {
        LedChannelRec& ch = record.LedChannels[p];
        if (p < count) {
            ch.TypeCode = ledTypeLetter(ch.TypeCode);
            ch.ColourLetter = ledColourLetter(ch.ColourCode);
        } else {
            // Unused positions keep only their colour code.
            ch.TypeCode = 0;
            ch.Reserved = 0;
            ch.PairChannel = 0;
            ch.ColourLetter = 0;
            ch.Name = FixedText<12>::blanks();
        }
        const std::size_t at = RecordsOffset + LedChannelRecordSize * p;
        image[at + 0] = ch.ColourCode;
        image[at + 1] = ch.TypeCode;
        image[at + 2] = ch.Reserved;
        image[at + 3] = ch.PairChannel;
        image[at + 4] = ch.ColourLetter;
        std::copy(ch.Name.bytes.begin(), ch.Name.bytes.end(),
                  image.begin() + static_cast<std::ptrdiff_t>(at + 5));
    }
    image[LedFixtureFileSize - 1] = 0x20;

    // Back to type codes: a low 16-bit type only where a high channel names it.
    for (int p = 0; p < count; ++p)
        record.LedChannels[p].TypeCode = typeFromLetter(record.LedChannels[p].TypeCode);
    for (int p = 0; p < count; ++p) {
        LedChannelRec& ch = record.LedChannels[p];
        const int partner = ch.PairChannel;
        const bool partnerValid = partner >= 1 && partner <= LedMaxChannels;
        if (ch.TypeCode == 3 && partnerValid)
            record.LedChannels[partner - 1].TypeCode = 4;
        else if (ch.TypeCode == 5 && partnerValid)
            record.LedChannels[partner - 1].TypeCode = 6;
        else if (ch.TypeCode > 6)
            ch.TypeCode = 0;
    }
    return image;
}

std::string ReadLedFixtureImage(std::span<const std::uint8_t> bytes, LedFixtureRecord& record)
{
    if (bytes.size() != LedFixtureFileSize) {
        return "it is " + std::to_string(bytes.size()) +
               " bytes long; an LED fixture setup file has 512 bytes";
    }
    if (bytes[0] != 0)
        return "its first byte is " + std::to_string(bytes[0]) + ", not 0";
    const int count = bytes[12];
    if (count < 1 || count > LedMaxChannels)
        return "channel count " + std::to_string(count) + " is not 1 to 10";
    for (std::size_t at = 1; at < 12; ++at) {
        if (bytes[at] < 0x20 || (bytes[at] >= 0x7f && bytes[at] < 0xa0))
            return "the fixture name holds the control byte " + std::to_string(bytes[at]);
    }

    LedFixtureRecord read;
    std::copy_n(bytes.begin() + 1, 11, read.LedFixtureName.bytes.begin());
    read.LedChannelCount = static_cast<std::uint8_t>(count);
    std::copy_n(bytes.begin() + MapOffset, LedMaxChannels, read.ColourChannelMap.begin());

    for (int p = 0; p < LedMaxChannels; ++p) {
        const std::size_t at = RecordsOffset + LedChannelRecordSize * p;
        const std::string which = "channel " + std::to_string(p + 1);
        LedChannelRec& ch = read.LedChannels[p];
        ch.ColourCode = bytes[at];
        ch.TypeCode = bytes[at + 1];
        ch.Reserved = bytes[at + 2];
        ch.PairChannel = bytes[at + 3];
        ch.ColourLetter = bytes[at + 4];
        std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(at + 5), 12, ch.Name.bytes.begin());

        if (ch.ColourCode > LedColourCount)
            return which + " has the colour code " + std::to_string(ch.ColourCode) + ", not 0 to 9";
        if (p >= count) {
            // A position beyond the count keeps only its colour code.
            if (ch.TypeCode != 0 || ch.Reserved != 0 || ch.PairChannel != 0 ||
                ch.ColourLetter != 0 || !ch.Name.isBlank())
                return which + " is beyond the channel count but not cleared";
            continue;
        }
        static constexpr std::string_view letters = "LHISOs";
        if (letters.find(static_cast<char>(ch.TypeCode)) == std::string_view::npos)
            return which + " has the type byte " + std::to_string(ch.TypeCode) +
                   ", which is no type letter";
        if (ch.Reserved != 0)
            return which + " has the reserved byte " + std::to_string(ch.Reserved) + ", not 0";
        if (ch.PairChannel > count)
            return which + " names partner " + std::to_string(ch.PairChannel) +
                   ", which is not a channel 1 to " + std::to_string(count);
        if (ch.ColourLetter != ledColourLetter(ch.ColourCode))
            return which + " has the colour letter byte " + std::to_string(ch.ColourLetter) +
                   ", which does not match its colour code " + std::to_string(ch.ColourCode);
    }

    std::array<std::uint8_t, LedMaxChannels> map{};
    for (int p = 0; p < count; ++p)
        map[read.LedChannels[p].ColourCode] = static_cast<std::uint8_t>(p + 1);
    if (map != read.ColourChannelMap)
        return "its colour channel map does not match its channels";
    for (std::size_t at = RecordsOffset + LedChannelRecordSize * LedMaxChannels;
         at < LedFixtureFileSize - 1; ++at) {
        if (bytes[at] != 0)
            return "byte " + std::to_string(at) + " is " + std::to_string(bytes[at]) +
                   "; bytes 193 to 510 are 0";
    }
    if (bytes[LedFixtureFileSize - 1] != 0x20)
        return "its last byte is " + std::to_string(bytes[LedFixtureFileSize - 1]) +
               ", not a blank";

    // Letters back to codes. Both low types are "O": the high channel naming it tells which.
    for (int p = 0; p < count; ++p) {
        LedChannelRec& ch = read.LedChannels[p];
        ch.ColourLetter = 0;
        if (ch.TypeCode != 'O')
            ch.TypeCode = typeFromLetter(ch.TypeCode);
    }
    for (int p = 0; p < count; ++p) {
        LedChannelRec& ch = read.LedChannels[p];
        if (ch.TypeCode != 'O')
            continue;
        ch.TypeCode = 4;
        for (int h = 0; h < count; ++h) {
            const LedChannelRec& high = read.LedChannels[h];
            if (high.PairChannel == p + 1 && (high.TypeCode == 3 || high.TypeCode == 5))
                ch.TypeCode = high.TypeCode == 5 ? 6 : 4;
        }
    }
    record = read;
    return {};
}

} // namespace fx
