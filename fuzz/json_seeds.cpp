// Seeds of the JSON reader: the JSON that `fixture-tool dump` writes for the sample fixtures.
#include "SampleFixtures.h"
#include "tools/FixtureJson.h"

#include <filesystem>
#include <fstream>

void jsonSeeds(const std::filesystem::path& dir)
{
    std::filesystem::create_directories(dir);
    const auto write = [&](const char* name, const fx::FixtureRecord& record) {
        std::ofstream(dir / name, std::ios::binary | std::ios::trunc) << fx::fixtureToJson(record);
    };
    write("new.json", *samples::newFixture());
    write("full.json", *samples::fullFixture());
    write("edge.json", *samples::edgeFixture());
    write("one-channel.json", *samples::newFixture(1));
}
