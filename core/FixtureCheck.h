#pragma once

#include "core/FixtureRecord.h"

#include <string>
#include <vector>

namespace fx {

// What the console would get wrong, or what a save would lose, found in a fixture record before
// it is written. The console loads the file byte for byte and complains about nothing, so these
// are the faults a technician would otherwise meet on stage.
struct Problem {
    enum class Severity {
        Error,   // the console will misbehave or data will be lost
        Warning, // probably unintended
    };
    enum class Kind {
        Fixture,      // the header, the degrees or the fixture as a whole
        Channel,      // channel `channel`
        Step,         // step `step` of channel `channel`
        PaletteEntry, // palette `palette`; entry `entry`, or -1 for the palette as a whole
    };

    Severity severity = Severity::Warning;
    Kind kind = Kind::Fixture;
    int channel = -1;      // 0-based, -1 when none
    int step = -1;         // 0-based
    int palette = -1;      // 0-based
    int entry = -1;        // 0-based
    std::string message;   // one line, Latin-1 names as the record holds them
    bool capacity = false; // what the file cannot hold (the save asks about it on its own)

    bool isError() const { return severity == Severity::Error; }
    bool operator==(const Problem&) const = default;
};

// Which blank channel names are problems. A fixture being filled in has channels nobody has
// touched yet: their blank names are no problem until the channel has other content (a type
// other than LTP, a function code, a partner, a value or steps), or until the fixture is saved.
enum class BlankNames {
    All,         // a saved fixture, a file
    WithContent, // a fixture being filled in that was never saved
};

// Every problem of the record, fixture-level first, then by channel, step and palette. Looks at
// the channels in use (below NumChannels) only. Cheap enough to run after every edit.
std::vector<Problem> CheckFixture(const FixtureRecord& record,
                                  BlankNames blankNames = BlankNames::All);

// Where the problem is, as the editor numbers it: "channel 3", "channel 3, step 2",
// "Palette4 entry 1", "Palette4", or the empty text for the fixture as a whole.
std::string problemLocation(const Problem& problem);

// "channel 3, step 2: message", "Palette4 entry 1: message", "channel 5: message" or the message
// alone for the fixture; numbers are 1-based as the editor shows them.
std::string describeProblem(const Problem& problem);

bool hasErrors(const std::vector<Problem>& problems);

} // namespace fx
