#include "core/StepTools.h"

#include <algorithm>
#include <cstdlib>

namespace fx {

std::string fillStepsProblem(const FixtureRecord& record, int channel, int n, int first, int last)
{
    if (channel < 0 || channel >= MaxChannels)
        return "there is no channel " + std::to_string(channel + 1);
    if (n < 1 || n > MaxEditableSteps)
        return "the number of steps must be 1 to 255";
    if (first < 0 || first > 255 || last < 0 || last > 255)
        return "the first and last values must be 0 to 255";
    const int room = MaxEditableSteps - std::min<int>(record.StepCount[channel], MaxEditableSteps);
    if (n > room) {
        return "the channel has " + std::to_string(record.StepCount[channel]) +
               " steps and room for " + std::to_string(room) + " more (255 in all)";
    }
    const int size = std::abs(last - first) + 1;
    if (n > size) {
        return "the range " + std::to_string(first) + " to " + std::to_string(last) + " holds " +
               std::to_string(size) + (size == 1 ? " value" : " values") + ", too few for " +
               std::to_string(n) + " steps";
    }
    return {};
}

std::vector<StepInfo> makeFillSteps(int n, int first, int last, std::string_view latin1Pattern)
{
    const int low = std::min(first, last);
    const int size = std::abs(last - first) + 1;
    std::vector<StepInfo> steps;
    steps.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        // Offsets into the range; descending fills take the same pieces from the top down.
        const int begin = i * size / n;
        const int end = (i + 1) * size / n - 1;
        StepInfo step;
        if (first <= last) {
            step.FromDmx = static_cast<std::uint8_t>(low + begin);
            step.ToDmx = static_cast<std::uint8_t>(low + end);
        } else {
            step.FromDmx = static_cast<std::uint8_t>(first - end);
            step.ToDmx = static_cast<std::uint8_t>(first - begin);
        }
        std::string name;
        for (char ch : latin1Pattern) {
            if (ch == '#')
                name += std::to_string(i + 1);
            else
                name += ch;
        }
        step.StepName.assign(name);
        steps.push_back(step);
    }
    return steps;
}

std::string FillSteps(FixtureRecord& record, int channel, int n, int first, int last,
                      std::string_view latin1Pattern)
{
    if (std::string problem = fillStepsProblem(record, channel, n, first, last); !problem.empty())
        return problem;
    const std::vector<StepInfo> steps = makeFillSteps(n, first, last, latin1Pattern);
    int count = record.StepCount[channel];
    for (const StepInfo& step : steps)
        record.Steps[channel][count++] = step;
    record.StepCount[channel] = static_cast<std::uint8_t>(count);
    return {};
}

bool SortSteps(FixtureRecord& record, int channel)
{
    if (channel < 0 || channel >= MaxChannels)
        return false;
    auto& steps = record.Steps[channel];
    const auto end = steps.begin() + record.StepCount[channel];
    const auto byFrom = [](const StepInfo& a, const StepInfo& b) { return a.FromDmx < b.FromDmx; };
    if (std::is_sorted(steps.begin(), end, byFrom))
        return false;
    std::stable_sort(steps.begin(), end, byFrom);
    return true;
}

} // namespace fx
