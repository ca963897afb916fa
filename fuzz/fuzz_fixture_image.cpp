// Fuzz target for the fixture setup file reader: any bytes of any length, as a user may open
// any file. Beyond "no crash, no undefined behaviour", it checks what the editor relies on:
//  - a failed read leaves the record exactly as it was and explains why;
//  - a file the writer produced always opens, showing what the editor showed after the save,
//    and saving it again gives the same bytes (open and save are stable).
#include "FuzzCheck.h"
#include "SampleFixtures.h"
#include "core/FixtureCheck.h"
#include "core/FixtureFile.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace {

// The record the file is read over: a fixture with content everywhere, so that a read that
// changes something before failing shows up.
const fx::FixtureRecord& priorRecord()
{
    static const auto prior = [] {
        auto r = samples::fullFixture();
        for (int c = 0; c < fx::MaxChannels; ++c)
            for (int s = 0; s < fx::MaxStepsPerChannel; ++s)
                r->Steps[c][s].StepName.assign("old" + std::to_string(s));
        return r;
    }();
    return *prior;
}

// Opening gives "Pan", "Tilt", "Dimmer" and "Colour" their fixed function codes.
bool isFixedFunctionName(const fx::ChannelInfo& ch)
{
    const std::string name = ch.ChName.str();
    return name == "Pan         " || name == "Tilt        " || name == "Dimmer      " ||
           name == "Colour      ";
}

// What the editor shows after a save against what opening the saved file gives.
void checkReopened(const fx::FixtureRecord& saved, const fx::FixtureRecord& reopened)
{
    FUZZ_CHECK(saved.FixHeader.FixtureName == reopened.FixHeader.FixtureName &&
                   saved.FixHeader.NumChannels == reopened.FixHeader.NumChannels &&
                   saved.FixHeader.Reserved == reopened.FixHeader.Reserved &&
                   saved.MaxPanDegree == reopened.MaxPanDegree &&
                   saved.MaxTiltDegree == reopened.MaxTiltDegree &&
                   saved.StepCount == reopened.StepCount,
               "the header came back changed");
    for (int c = 0; c < saved.FixHeader.NumChannels; ++c) {
        fx::ChannelInfo expected = saved.Channels[c];
        if (isFixedFunctionName(expected))
            expected.FuncCode = reopened.Channels[c].FuncCode;
        FUZZ_CHECK(fuzz::sameChannel(expected, reopened.Channels[c]),
                   "a channel came back changed");
    }
    int slot = 0;
    for (int c = 0; c < fx::MaxChannels; ++c)
        for (int s = 0; s < saved.StepCount[c] && slot < fx::StepSlotCount; ++s, ++slot)
            FUZZ_CHECK(fuzz::sameStep(saved.Steps[c][s], reopened.Steps[c][s]),
                       "a stored step came back changed");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static auto record = std::make_unique<fx::FixtureRecord>();
    static auto again = std::make_unique<fx::FixtureRecord>();
    const fx::FixtureRecord& prior = priorRecord();

    *record = prior;
    std::vector<std::string> notes;
    const std::string error = fx::ReadFixtureImage(std::span(data, size), *record, &notes);
    if (!error.empty()) {
        FUZZ_CHECK(notes.empty(), "a failed read left notes");
        FUZZ_CHECK(fuzz::sameRecord(*record, prior), "a failed read left the record changed");
        return 0;
    }
    FUZZ_CHECK(size > 0, "an empty file was read as a fixture");

    // The capacity report the save shows must cope with whatever the file held.
    (void)fx::checkFileCapacity(*record).describe();
    // So must the check the editor runs after every edit.
    for (const fx::Problem& problem : fx::CheckFixture(*record))
        FUZZ_CHECK(fx::describeProblem(problem).find('\n') == std::string::npos,
                   "a problem is not one line");

    // Save as the editor does (the image, then the in-memory normalisation) and open the saved
    // file over the same record: the header, the channels and the stored steps come back as the
    // editor shows them after the save.
    const fx::FixtureImage first = fx::WriteFixtureImage(*record);
    fx::NormaliseChannelTypes(*record);
    *again = *record;
    FUZZ_CHECK(fx::ReadFixtureImage(first, *again).empty(), "a file the editor wrote did not open");
    checkReopened(*record, *again);

    // The saved file, opened and saved again, is the same file.
    const fx::FixtureImage second = fx::WriteFixtureImage(*again);
    if (first != second) {
        for (std::size_t i = 0; i < first.size(); ++i)
            if (first[i] != second[i])
                std::fprintf(stderr, "offset %zu: %u then %u\n", i, first[i], second[i]);
    }
    FUZZ_CHECK(first == second, "open and save of a saved file changed it");
    return 0;
}
