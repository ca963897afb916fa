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

} // namespace fx
