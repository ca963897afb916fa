#include "core/FixtureCheck.h"

#include "core/FixtureFile.h"

#include <algorithm>
#include <array>

namespace fx {

namespace {

using Severity = Problem::Severity;
using Kind = Problem::Kind;

std::string num(int n)
{
    return std::to_string(n);
}

// A channel name for a message: the name without its padding, in quotes, or nothing when blank.
std::string quotedName(const FixedText<12>& name)
{
    std::string text = name.trimmed();
    text.erase(std::find(text.begin(), text.end(), '\0'), text.end());
    return text.empty() ? std::string() : " (\"" + text + "\")";
}

bool isBlankText(const auto& text)
{
    return std::all_of(text.bytes.begin(), text.bytes.end(),
                       [](std::uint8_t b) { return b == ' ' || b == 0; });
}

class Checker {
public:
    Checker(const FixtureRecord& r, BlankNames blankNames)
        : m_r(r), m_n(std::clamp<int>(r.FixHeader.NumChannels, 0, MaxChannels)),
          m_blankNames(blankNames)
    {
    }

    std::vector<Problem> run()
    {
        fixture();
        for (int c = 0; c < m_n; ++c) {
            channel(c);
            steps(c);
        }
        capacity();
        palettes();
        // Fixture-level first, then in channel, step and palette order.
        std::stable_sort(
            m_problems.begin(), m_problems.end(), [](const Problem& a, const Problem& b) {
                auto key = [](const Problem& p) {
                    const int group = p.kind == Kind::Fixture        ? 0
                                      : p.kind == Kind::PaletteEntry ? 2
                                                                     : 1;
                    return std::array<int, 5>{group, p.channel, p.step, p.palette, p.entry};
                };
                return key(a) < key(b);
            });
        return std::move(m_problems);
    }

private:
    void add(Severity severity, Kind kind, std::string message, int channel = -1, int step = -1,
             int palette = -1, int entry = -1)
    {
        m_problems.push_back({severity, kind, channel, step, palette, entry, std::move(message)});
    }

    void degree(const char* what, int value)
    {
        // The file keeps a degree as a high and a low byte; the editor shows 0 to 720.
        if (value < 0 || value > 32767) {
            add(Severity::Error, Kind::Fixture,
                std::string(what) + " " + num(value) +
                    " cannot be kept in the file (0 to 32767); a save would change it");
        } else if (value > 720) {
            add(Severity::Error, Kind::Fixture,
                std::string(what) + " " + num(value) +
                    " is above 720, the most the editor shows; the editor opens it as 0 and its "
                    "next save writes 0");
        }
    }

    void fixture()
    {
        if (isBlankText(m_r.FixHeader.FixtureName))
            add(Severity::Warning, Kind::Fixture, "the fixture name is blank");
        degree("Max Pan Degree", m_r.MaxPanDegree);
        degree("Max Tilt Degree", m_r.MaxTiltDegree);
    }

    // The channel in use whose FuncMap entry the console reads for code: the highest one.
    int functionOwner(int code) const
    {
        for (int c = m_n - 1; c >= 0; --c) {
            if (m_r.Channels[c].FuncCode == code)
                return c;
        }
        return -1;
    }

    void channel(int c)
    {
        const ChannelInfo& ch = m_r.Channels[c];
        const bool content = ch.ChType != TypeLtp || ch.FuncCode != 0 || ch.PairChannel != 0 ||
                             ch.ChValue != 0 || m_r.StepCount[c] != 0;
        if (isBlankText(ch.ChName) && (content || m_blankNames == BlankNames::All))
            add(Severity::Warning, Kind::Channel, "the channel name is blank", c);

        if (ch.FuncCode > 0) {
            const int owner = functionOwner(ch.FuncCode);
            if (owner != c) {
                add(Severity::Error, Kind::Channel,
                    "function code " + num(ch.FuncCode) + " is also on channel " + num(owner + 1) +
                        quotedName(m_r.Channels[owner].ChName) + "; the console uses channel " +
                        num(owner + 1) + " for it, so this channel has no function",
                    c);
            }
        }

        const int type = ch.ChType;
        const int pair = ch.PairChannel;
        if (type == TypeInstant16H || type == TypeFadeable16H) {
            const int low = type == TypeInstant16H ? TypeInstant16L : TypeFadeable16L;
            if (pair == 0) {
                add(Severity::Error, Kind::Channel,
                    "a 16-bit high channel without a partner: choose its low channel in Ch16bit",
                    c);
            } else if (pair > m_n) {
                add(Severity::Error, Kind::Channel,
                    "its 16-bit partner is channel " + num(pair) +
                        ", which is not a channel 1 to " + num(m_n),
                    c);
            } else if (pair == c + 1) {
                add(Severity::Error, Kind::Channel, "it names itself as its 16-bit partner", c);
            } else if (m_r.Channels[pair - 1].ChType != low) {
                add(Severity::Error, Kind::Channel,
                    "its 16-bit partner channel " + num(pair) + " is \"" +
                        ChTypeName(m_r.Channels[pair - 1].ChType) + "\", not \"" + ChTypeName(low) +
                        "\"; the console moves the pair wrongly",
                    c);
            } else {
                // Two high channels naming the same low one: reported on the later one.
                for (int h = 0; h < c; ++h) {
                    const ChannelInfo& other = m_r.Channels[h];
                    if (isSixteenBitHigh(other.ChType) && other.PairChannel == pair) {
                        add(Severity::Error, Kind::Channel,
                            "channel " + num(h + 1) + " names the same low channel " + num(pair) +
                                " as its 16-bit partner",
                            c);
                        break;
                    }
                }
            }
        } else if (type == TypeInstant16L || type == TypeFadeable16L) {
            bool named = false;
            for (int h = 0; h < m_n && !named; ++h) {
                named = isSixteenBitHigh(m_r.Channels[h].ChType) &&
                        m_r.Channels[h].PairChannel == c + 1;
            }
            if (!named) {
                add(Severity::Error, Kind::Channel,
                    "a 16-bit low channel that no high channel names; the save makes it LTP", c);
            }
        } else if (type >= ChannelTypeCount) {
            add(Severity::Error, Kind::Channel, "type code " + num(type) + " is no channel type",
                c);
        }
    }

    static bool isSixteenBitHigh(int type)
    {
        return type == TypeInstant16H || type == TypeFadeable16H;
    }

    void steps(int c)
    {
        const int count = std::min<int>(m_r.StepCount[c], MaxStepsPerChannel);
        const auto& steps = m_r.Steps[c];
        // Each step's own faults, in step order, then the overlaps found by one sweep over the
        // steps ordered by From: a step overlaps when it starts at or before the highest To seen.
        std::array<std::uint8_t, MaxStepsPerChannel> order{};
        int sortable = 0;
        for (int k = 0; k < count; ++k) {
            const StepInfo& s = steps[k];
            if (s.FromDmx > s.ToDmx) {
                add(Severity::Error, Kind::Step,
                    "From " + num(s.FromDmx) + " is above To " + num(s.ToDmx) +
                        "; the console never picks this step",
                    c, k);
            } else {
                order[sortable++] = static_cast<std::uint8_t>(k);
            }
            if (isBlankText(s.StepName))
                add(Severity::Warning, Kind::Step, "the step name is blank", c, k);
        }
        std::stable_sort(order.begin(), order.begin() + sortable,
                         [&](int a, int b) { return steps[a].FromDmx < steps[b].FromDmx; });
        int reach = -1; // the step with the highest To so far
        for (int i = 0; i < sortable; ++i) {
            const int k = order[i];
            if (reach >= 0 && steps[k].FromDmx <= steps[reach].ToDmx) {
                const int first = std::min(k, reach);
                const int second = std::max(k, reach);
                add(Severity::Error, Kind::Step,
                    "its range " + num(steps[second].FromDmx) + " to " + num(steps[second].ToDmx) +
                        " overlaps step " + num(first + 1) + " (" + num(steps[first].FromDmx) +
                        " to " + num(steps[first].ToDmx) + "); the console picks the wrong step",
                    c, second);
            }
            if (reach < 0 || steps[k].ToDmx > steps[reach].ToDmx)
                reach = k;
        }
    }

    void capacity()
    {
        const FileCapacityReport report = checkFileCapacity(m_r);
        for (const auto& lost : report.lostSteps) {
            const int count = m_r.StepCount[lost.channel];
            add(Severity::Error, Kind::Step,
                "the file holds 204 steps and this fixture has " + num(report.totalSteps) +
                    ": steps " + num(count - lost.lost + 1) + " to " + num(count) +
                    " of this channel are not saved",
                lost.channel, count - lost.lost);
            m_problems.back().capacity = true;
        }
        for (const auto& lost : report.lostEntries) {
            add(Severity::Error, Kind::PaletteEntry,
                std::string(lost.partly ? "only part of this entry fits"
                                        : "this entry does not fit") +
                    " into the file's palette block; " +
                    (lost.partly ? "the rest is not saved" : "it is not saved"),
                -1, -1, lost.palette, lost.entry);
            m_problems.back().capacity = true;
        }
    }

    void palettes()
    {
        for (int p = 0; p < PaletteCount; ++p) {
            if (m_r.PalUsed[p] == 0)
                continue;
            int selected = 0;
            std::string beyond;
            for (int c = 0; c < MaxChannels; ++c) {
                if (m_r.PalChannelUsed[p][c] != 1)
                    continue;
                if (c < m_n)
                    ++selected;
                else
                    beyond += (beyond.empty() ? "" : ", ") + num(c + 1);
            }
            if (!beyond.empty()) {
                add(Severity::Error, Kind::PaletteEntry,
                    "it uses channel" +
                        std::string(beyond.find(',') == std::string::npos ? " " : "s ") + beyond +
                        ", beyond the fixture's " + num(m_n) +
                        " channels; those values are not saved",
                    -1, -1, p);
            }
            if (selected == 0) {
                add(Severity::Warning, Kind::PaletteEntry,
                    "the palette is in use but has no channel selected; its entries store nothing",
                    -1, -1, p);
            }
        }
    }

    const FixtureRecord& m_r;
    const int m_n;
    const BlankNames m_blankNames;
    std::vector<Problem> m_problems;
};

} // namespace

std::vector<Problem> CheckFixture(const FixtureRecord& record, BlankNames blankNames)
{
    return Checker(record, blankNames).run();
}

std::string problemLocation(const Problem& problem)
{
    switch (problem.kind) {
    case Problem::Kind::Fixture: return {};
    case Problem::Kind::Channel: return "channel " + num(problem.channel + 1);
    case Problem::Kind::Step:
        return "channel " + num(problem.channel + 1) + ", step " + num(problem.step + 1);
    case Problem::Kind::PaletteEntry:
        return "Palette" + num(problem.palette + 1) +
               (problem.entry >= 0 ? " entry " + num(problem.entry + 1) : std::string());
    }
    return {};
}

std::string describeProblem(const Problem& problem)
{
    const std::string where = problemLocation(problem);
    return where.empty() ? problem.message : where + ": " + problem.message;
}

bool hasErrors(const std::vector<Problem>& problems)
{
    return std::any_of(problems.begin(), problems.end(),
                       [](const Problem& p) { return p.isError(); });
}

} // namespace fx
