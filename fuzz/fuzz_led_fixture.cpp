// Fuzz target for the LED fixture setup file reader: any bytes of any length, as a user may open
// any file in the LED fixture editor. Beyond "no crash, no undefined behaviour", it checks what
// the editor relies on:
//  - a refused file leaves the LED fixture exactly as it was and says why in one line;
//  - a file that is taken is saved again byte for byte as it was read.
#include "FuzzCheck.h"
#include "core/LedFixtureFile.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // A fixture with content in every position, so that a read that changes something before
    // refusing the file shows up.
    fx::LedFixtureRecord prior;
    prior.LedFixtureName.assign("Before");
    prior.LedChannelCount = 10;
    for (int p = 0; p < fx::LedMaxChannels; ++p) {
        fx::LedChannelRec& ch = prior.LedChannels[p];
        ch.ColourCode = static_cast<std::uint8_t>(p % 9 + 1);
        ch.TypeCode = static_cast<std::uint8_t>(p % 7);
        ch.PairChannel = static_cast<std::uint8_t>(10 - p);
        ch.Name.assign(fx::ledColourName(ch.ColourCode));
    }

    fx::LedFixtureRecord record = prior;
    const std::string error = fx::ReadLedFixtureImage(std::span(data, size), record);
    if (!error.empty()) {
        FUZZ_CHECK(record == prior, "a refused file left the LED fixture changed");
        FUZZ_CHECK(error.find('\n') == std::string::npos, "the message is not one line");
        return 0;
    }
    FUZZ_CHECK(size == fx::LedFixtureFileSize, "a file that is not 512 bytes was taken");
    for (int p = 0; p < record.LedChannelCount; ++p)
        FUZZ_CHECK(record.LedChannels[p].TypeCode <= 6, "a channel was left without a type code");

    const std::string name(record.LedFixtureName.bytes.begin(), record.LedFixtureName.bytes.end());
    const auto saved = fx::SaveLedFixtureImage(record, name);
    FUZZ_CHECK(std::equal(saved.begin(), saved.end(), data), "open and save changed the file");
    return 0;
}
