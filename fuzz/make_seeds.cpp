// Writes the seed corpora of the fuzz targets from what the writers themselves produce:
//   make_seeds <dir>   creates <dir>/fixture_image, <dir>/chnameset (and <dir>/fixture_json when
//                      the fixture-tool JSON reader is built).
#include "SampleFixtures.h"
#include "core/ChNameSet.h"
#include "core/ClipText.h"
#include "core/FixtureFile.h"
#include "core/LedFixtureFile.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <span>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

void writeSeed(const fs::path& dir, const std::string& name, std::span<const std::uint8_t> bytes)
{
    fs::create_directories(dir);
    std::ofstream out(dir / name, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out)
        std::fprintf(stderr, "cannot write %s\n", (dir / name).c_str());
}

void fixtureSeeds(const fs::path& dir)
{
    const auto newFixture = samples::newFixture();
    const auto full = samples::fullFixture();
    const auto edge = samples::edgeFixture();
    const fx::FixtureImage fullImage = fx::WriteFixtureImage(*full);
    writeSeed(dir, "new.tff", fx::WriteFixtureImage(*newFixture));
    writeSeed(dir, "full.tff", fullImage);
    writeSeed(dir, "edge.tff", fx::WriteFixtureImage(*edge));
    // Cut files: only the header, up to the channel records, up to the palette block.
    writeSeed(dir, "cut-header.tff", std::span(fullImage).first(13));
    writeSeed(dir, "cut-channels.tff", std::span(fullImage).first(1803));
    writeSeed(dir, "cut-palettes.tff", std::span(fullImage).first(3000));
    // An LED fixture file has the same extension and is the likeliest wrong file to be opened.
    fx::LedFixtureRecord led;
    writeSeed(dir, "led.tff", fx::SaveLedFixtureImage(led, "New Fixture"));
}

void chNameSeeds(const fs::path& dir)
{
    fx::ChNameSet set;
    fx::InitChNameSet(set);
    std::vector<std::uint8_t> image = fx::chNameSetImage(set);
    writeSeed(dir, "defaults.fix", image);
    for (std::size_t cut : {559, 560, 579, 580, 1000})
        writeSeed(dir, "cut" + std::to_string(cut) + ".fix", std::span(image).first(cut));
    fx::StoreChName(set, 42, "Added");
    fx::StoreChName(set, 41, "Kept code");
    for (int p = fx::FirstUserPosition; p < fx::ChNameCount - 1; ++p)
        fx::AppendChName(set, "User" + std::to_string(p));
    fx::clearEmptyUserEntries(set);
    std::vector<std::uint8_t> longer = fx::chNameSetImage(set);
    longer.insert(longer.end(), {'t', 'a', 'i', 'l'});
    writeSeed(dir, "almost-full-with-tail.fix", longer);
}

void ledSeeds(const fs::path& dir)
{
    fx::LedFixtureRecord led;
    writeSeed(dir, "default.tff", fx::SaveLedFixtureImage(led, "New Fixture"));
    // Ten channels, every colour, both kinds of 16-bit pair, then cut down to four channels.
    led.LedChannelCount = 10;
    for (int p = 0; p < fx::LedMaxChannels; ++p) {
        led.LedChannels[p].ColourCode = static_cast<std::uint8_t>(p % 9 + 1);
        led.LedChannels[p].Name.assign(fx::ledColourName(p % 9 + 1));
    }
    led.LedChannels[0].TypeCode = 3;
    led.LedChannels[0].PairChannel = 2;
    led.LedChannels[2].TypeCode = 5;
    led.LedChannels[2].PairChannel = 4;
    led.LedChannels[5].TypeCode = 6; // a low type no high channel names
    writeSeed(dir, "ten.tff", fx::SaveLedFixtureImage(led, "Ten"));
    led.LedChannelCount = 4;
    writeSeed(dir, "four.tff", fx::SaveLedFixtureImage(led, "Four"));
    // The likeliest wrong file: a fixture setup file.
    writeSeed(dir, "fixture.tff", fx::WriteFixtureImage(*samples::newFixture()));
}

// Clipboard text as the editor copies it and as a manual's chart reads.
void clipboardSeeds(const fs::path& dir)
{
    const auto text = [&](const std::string& name, const std::string& content) {
        writeSeed(dir, name,
                  std::span(reinterpret_cast<const std::uint8_t*>(content.data()), content.size()));
    };
    text("steps.txt",
         fx::writeTextBlock({{"Step 1", "Open", "0", "9"}, {"Step 2", "Red", "10", "19"}}));
    text("channels.txt", fx::writeTextBlock({{"Chan 1", "Pan", "instant LTP 16bitH", "2", "0"},
                                             {"Chan 2", "Red, \"deep\"", "HTP", "0", "255"}}));
    text("manual.txt", "000 - 009 Open\r\n10\xE2\x80\x93"
                       "19 Red\n20 ~ 29: Blue (default)\nGobo\n");
}

} // namespace

#ifdef FIXTURE_FUZZ_JSON
void jsonSeeds(const std::filesystem::path& dir);
#endif

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <corpus-dir>\n", argv[0]);
        return 2;
    }
    const fs::path root = argv[1];
    fixtureSeeds(root / "fixture_image");
    chNameSeeds(root / "chnameset");
    ledSeeds(root / "led_fixture");
    clipboardSeeds(root / "clipboard");
#ifdef FIXTURE_FUZZ_JSON
    jsonSeeds(root / "fixture_json");
#endif
    return 0;
}
