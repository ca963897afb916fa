// Steps of an imported mode: which channels keep them within the file's 204 slots, and the steps
// themselves.

#include "core/FixtureFile.h"
#include "core/Latin1Text.h"
#include "core/QxfConvert.h"

#include <algorithm>
#include <charconv>

namespace fx::qxf {

namespace {

// The order of use on a console: Shutter, Colour, Gobo, Prism, Beam (iris, focus, zoom), Effect,
// Maintenance and control, Speed, Intensity, Pan, Tilt, the rest.
int rank(const Slot& s)
{
    const std::string& g = s.ch->group;
    if (startsWith(s.preset, "ShutterIris") || folded(s.name).find("iris") != std::string::npos)
        return 4;
    constexpr std::string_view order[] = {"Shutter",   "Colour", "Gobo",        "Prism",
                                          "Beam",      "Effect", "Maintenance", "Speed",
                                          "Intensity", "Pan",    "Tilt"};
    const auto it = std::find(std::begin(order), std::end(order), g);
    return static_cast<int>(it - std::begin(order));
}

} // namespace

std::string chooseSteps(const std::vector<Slot>& slots, const QxfImportOptions& options,
                        std::vector<bool>& chosen)
{
    const int n = static_cast<int>(slots.size());
    chosen.assign(n, false);
    if (options.steps == QxfStepChoice::All) {
        for (int i = 0; i < n; ++i)
            chosen[i] = slots[i].offer > 0;
        return {};
    }
    if (options.steps == QxfStepChoice::Listed) {
        for (const int c : options.channels) {
            if (c < 1 || c > n)
                return "channel " + std::to_string(c) + " is not in this mode of " +
                       std::to_string(n) + " channels";
            chosen[c - 1] = slots[c - 1].offer > 0;
        }
        return {};
    }
    // Whole channels in the order of use; one that does not fit is passed over and later ones
    // that still fit are taken. A channel that alone would take more than half of the file comes
    // after all others, so that one long list (video effects, macros) cannot crowd out the
    // wheels.
    std::vector<int> order;
    for (int i = 0; i < n; ++i)
        if (slots[i].offer > 0)
            order.push_back(i);
    const auto key = [&](int i) {
        return std::pair(slots[i].offer > StepSlotCount / 2, rank(slots[i]));
    };
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return key(a) < key(b); });
    int left = StepSlotCount;
    for (const int i : order) {
        if (slots[i].offer <= left) {
            chosen[i] = true;
            left -= slots[i].offer;
        }
    }
    return {};
}

CorrectedRange corrected(const QxfCapability& cap)
{
    CorrectedRange r;
    r.changed = !cap.min || !cap.max;
    const int lo = cap.min.value_or(0);
    const int hi = cap.max.value_or(255);
    r.from = std::clamp(lo, 0, 255);
    r.to = std::clamp(hi, 0, 255);
    r.changed = r.changed || r.from != lo || r.to != hi;
    if (r.from > r.to) {
        std::swap(r.from, r.to);
        r.changed = true;
    }
    return r;
}

void fillSteps(FixtureRecord& rec, const std::vector<Slot>& slots, const std::vector<bool>& chosen,
               std::vector<std::string>& report)
{
    for (const Slot& s : slots) {
        const int i = s.index;
        if (s.offer == 0)
            continue;
        if (!chosen[i]) {
            report.push_back(s.label() + ": its " + std::to_string(s.offer) +
                             " steps are left out to keep the file's 204 for the other channels");
            continue;
        }
        if (s.ch->capabilityCount > s.offer)
            report.push_back(s.label() + ": " + std::to_string(s.ch->capabilityCount) +
                             " capabilities; a channel holds 255 steps, the rest are left out");
        int corrections = 0, namesCut = 0, replaced = 0;
        bool unordered = false;
        int previousTo = -1;
        for (int k = 0; k < s.offer; ++k) {
            const QxfCapability& cap = s.ch->capabilities[k];
            const CorrectedRange r = corrected(cap);
            corrections += r.changed;
            unordered = unordered || r.from <= previousTo;
            previousTo = r.to;
            const Latin1Conversion text = utf8ToLatin1Text(cap.name);
            namesCut += text.text.size() > 8;
            replaced += text.replaced;
            StepInfo& step = rec.Steps[i][k];
            step.FromDmx = static_cast<std::uint8_t>(r.from);
            step.ToDmx = static_cast<std::uint8_t>(r.to);
            step.StepName.assign(text.text);
        }
        rec.StepCount[i] = static_cast<std::uint8_t>(s.offer);
        if (corrections)
            report.push_back(s.label() + ": " + std::to_string(corrections) +
                             " range(s) missing, outside 0 to 255 or with Min above Max; "
                             "corrected");
        if (unordered)
            report.push_back(s.label() +
                             ": ranges overlap or are out of order; kept in the file's order");
        if (replaced)
            report.push_back(s.label() + ": " + std::to_string(replaced) +
                             " step name(s) had characters with no Latin-1 form, shown as \"?\"");
        if (namesCut)
            report.push_back(s.label() + ": " + std::to_string(namesCut) +
                             " step name(s) cut to 8 characters");
    }
}

} // namespace fx::qxf

namespace fx {

std::string parseQxfSteps(std::string_view text, QxfImportOptions& options)
{
    options = QxfImportOptions{};
    if (text == "auto")
        return {};
    if (text == "all") {
        options.steps = QxfStepChoice::All;
        return {};
    }
    options.steps = QxfStepChoice::Listed;
    std::vector<bool> named(MaxChannels + 1, false);
    for (std::size_t p = 0; p <= text.size();) {
        const std::size_t end = std::min(text.find(',', p), text.size());
        const std::string_view item = text.substr(p, end - p);
        int channel = 0;
        const auto [last, ec] = std::from_chars(item.data(), item.data() + item.size(), channel);
        if (item.empty() || ec != std::errc() || last != item.data() + item.size() || channel < 1 ||
            channel > MaxChannels)
            return "\"" + std::string(item.substr(0, 20)) +
                   "\" is not a channel number 1 to 40 (give all, auto or channel numbers such as "
                   "3,7,12)";
        if (named[channel])
            return "channel " + std::to_string(channel) + " is named twice";
        named[channel] = true;
        options.channels.push_back(channel);
        p = end + 1;
    }
    return {};
}

} // namespace fx
