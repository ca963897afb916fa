#pragma once

#include "core/FixtureRecord.h"

#include <string>
#include <string_view>
#include <vector>

namespace fx {

// The step tools of the channel traits frame, as plain operations on the record so that an
// editor can wrap each in one undoable edit.

// Empty when n steps from first to last can be appended to channel (0-based); otherwise a
// one-line reason: n must be 1 to 255 and fit into the room the channel has left (255 steps in
// all), first and last 0 to 255, and the range must hold at least n values.
std::string fillStepsProblem(const FixtureRecord& record, int channel, int n, int first, int last);

// The n steps that split the DMX range between first and last evenly, with no gap and no overlap:
// step i (0-based) starts at first + floor(i * size / n) of the range of size values, so when the
// range does not divide evenly the longer steps come last. When first is above last the range is
// last..first and the steps run from the first value downwards (step 1 holds first), each still
// with From <= To. Names: pattern with every "#" replaced by the step's number 1..n within the
// fill, cut to 8 characters. The arguments must be valid (fillStepsProblem).
std::vector<StepInfo> makeFillSteps(int n, int first, int last, std::string_view latin1Pattern);

// Appends makeFillSteps(...) to the steps of channel. Returns fillStepsProblem and changes
// nothing when that is not empty.
std::string FillSteps(FixtureRecord& record, int channel, int n, int first, int last,
                      std::string_view latin1Pattern);

// Orders the steps of channel by From, keeping the order of steps with equal From. Entries
// beyond the channel's step count are not touched. Returns whether any step moved.
bool SortSteps(FixtureRecord& record, int channel);

} // namespace fx
