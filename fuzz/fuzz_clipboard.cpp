// Fuzz target for clipboard text, as any program may put any text there: the tab-separated
// reader, the manual-line reader and the paste of either into the steps and channel grids.
// Beyond "no crash, no undefined behaviour", it checks what the editors rely on:
//  - a block that is read is written and read back as the same cells;
//  - a paste is all or nothing: a refusal changes nothing and says why in one line, and an edit
//    taken back by its before side leaves the fixture exactly as it was.
#include "FuzzCheck.h"
#include "SampleFixtures.h"
#include "core/ClipText.h"
#include "core/GridPaste.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

namespace {

// channel: the one whose steps the paste may add to.
void checkPaste(fx::FixtureDocument& document, const fx::FixturePaste& paste, int channel = 0)
{
    FUZZ_CHECK(paste.problem.find('\n') == std::string::npos, "the message is not one line");
    if (!paste.problem.empty() || !paste.missingNames.empty()) {
        FUZZ_CHECK(paste.edit.empty(), "a refused paste has an edit");
        return;
    }
    const auto start = std::make_unique<fx::FixtureRecord>(document.record());
    document.apply(paste.edit.after);
    // A step count that wrapped past 255 would not be the old one plus the added steps.
    FUZZ_CHECK(document.record().StepCount[channel] == start->StepCount[channel] + paste.added,
               "the step count is not the old one plus the steps added");
    document.apply(paste.edit.before);
    FUZZ_CHECK(fuzz::sameRecord(document.record(), *start), "undo of a paste differs");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    static fx::FixtureDocument document = [] {
        fx::FixtureDocument d;
        d.replace(*samples::fullFixture());
        return d;
    }();
    static const fx::ChNameSet names = [] {
        fx::ChNameSet set;
        fx::InitChNameSet(set);
        return set;
    }();

    const fx::ReadBlock block = fx::readTextBlock(text);
    FUZZ_CHECK(block.problem.empty() || block.rows.empty(), "a refused text kept rows");
    FUZZ_CHECK(fx::readTextBlock(fx::writeTextBlock(block.rows)).rows == block.rows,
               "written cells read back differently");
    const int at = size > 0 ? data[0] % 4 : 0;
    checkPaste(document, fx::pasteSteps(document, 0, at, at % 3, block.rows));
    checkPaste(document, fx::pasteChannels(document, names, at, at + 1, block.rows));

    const fx::ManualSteps manual = fx::readManualLines(text);
    checkPaste(document, fx::pasteSteps(document, 1, 0, 1, fx::manualStepsAsBlock(manual.steps)),
               1);
    return 0;
}
