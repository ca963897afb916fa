// Fuzz target for the JSON reader of `fixture-tool build`: any text, as a user may edit or
// generate the JSON by hand. Checks that a refused text leaves the record as it was, that an
// accepted one survives a second trip through JSON unchanged, and that an image the tool builds
// always opens in the editor.
#include "FuzzCheck.h"
#include "SampleFixtures.h"
#include "core/FixtureFile.h"
#include "tools/FixtureJson.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const auto prior = samples::fullFixture();
    static auto record = std::make_unique<fx::FixtureRecord>();
    static auto again = std::make_unique<fx::FixtureRecord>();
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    *record = *prior;
    const std::string error = fx::fixtureFromJson(text, *record);
    if (!error.empty()) {
        FUZZ_CHECK(fuzz::sameRecord(*record, *prior), "a refused text changed the record");
    } else {
        const std::string json = fx::fixtureToJson(*record);
        *again = *prior;
        FUZZ_CHECK(fx::fixtureFromJson(json, *again).empty(), "written JSON was refused");
        FUZZ_CHECK(fuzz::sameRecord(*again, *record), "JSON round trip changed the record");
    }

    fx::FixtureImage image{};
    if (fx::fixtureImageFromJson(text, image).empty()) {
        *again = *prior;
        FUZZ_CHECK(fx::ReadFixtureImage(image, *again).empty(), "a built image does not open");
    }
    return 0;
}
