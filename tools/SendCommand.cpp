#include "tools/SendCommand.h"

#include "core/DmxFrame.h"
#include "core/FixtureFile.h"
#include "live/OlaOutput.h"
#include "tools/ExportCommand.h"
#include "tools/ToolCommon.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <condition_variable>
#include <iostream>
#include <memory>
#include <mutex>
#include <optional>
#include <utility>

namespace {

int refuse(const std::string& message)
{
    std::cerr << "fixture-tool: send: " << message << '\n';
    return 2;
}

std::optional<int> wholeNumber(std::string_view text)
{
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return value;
}

// "A:B" as two whole numbers.
std::optional<std::pair<int, int>> numberPair(const std::string& text)
{
    const auto colon = text.find(':');
    if (colon == std::string::npos)
        return std::nullopt;
    const auto a = wholeNumber(std::string_view(text).substr(0, colon));
    const auto b = wholeNumber(std::string_view(text).substr(colon + 1));
    if (!a || !b)
        return std::nullopt;
    return std::pair{*a, *b};
}

// The reports of the output, waited for one at a time.
class Replies {
public:
    void put(const live::Report& report)
    {
        const std::lock_guard lock(m_mutex);
        m_report = report;
        m_ready.notify_all();
    }
    // The next report, or none after the timeout (a daemon that does not answer).
    std::optional<live::Report> take(std::chrono::milliseconds timeout)
    {
        std::unique_lock lock(m_mutex);
        if (!m_ready.wait_for(lock, timeout, [this] { return m_report.has_value(); }))
            return std::nullopt;
        return std::exchange(m_report, std::nullopt);
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_ready;
    std::optional<live::Report> m_report;
};

} // namespace

int sendCommand(const std::vector<std::string>& args)
{
    int universe = 1;
    int address = 1;
    fx::LiveLook look;
    std::optional<std::pair<int, int>> step;
    std::optional<std::pair<int, int>> palette;
    bool blackout = false;
    std::optional<std::string> path;
    std::vector<std::string> seen;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--blackout") {
            blackout = true;
        } else if (a == "--universe" || a == "--address" || a == "--step" || a == "--palette") {
            if (i + 1 >= args.size())
                return refuse(a + " needs a value");
            const std::string& value = args[++i];
            if (a == "--universe" || a == "--address") {
                const auto number = wholeNumber(value);
                if (!number)
                    return refuse(a + " takes a whole number, not \"" + value + "\"");
                (a == "--universe" ? universe : address) = *number;
            } else {
                const auto pair = numberPair(value);
                if (!pair)
                    return refuse(a + " takes two numbers as " +
                                  (a == "--step" ? "CHANNEL:STEP" : "PALETTE:ENTRY") + ", not \"" +
                                  value + "\"");
                (a == "--step" ? step : palette) = pair;
            }
        } else if (a.starts_with("--")) {
            return refuse("unknown option " + a);
        } else if (path) {
            return refuse("takes one file: fixture-tool send [options] FILE.tff");
        } else {
            path = a;
            continue;
        }
        if (std::find(seen.begin(), seen.end(), a) != seen.end())
            return refuse(a + " is given twice");
        seen.push_back(a);
    }
    if (!path)
        return refuse("takes one file: fixture-tool send [options] FILE.tff");
    if (int(step.has_value()) + int(palette.has_value()) + int(blackout) > 1)
        return refuse("--step, --palette and --blackout exclude each other");
    if (const std::string problem = fx::liveTargetProblem(universe, address); !problem.empty())
        return refuse(problem);

    auto record = std::make_unique<fx::FixtureRecord>();
    if (const std::string error = readFixtureForExport(*path, *record); !error.empty())
        return fail(*path, error);

    if (step) {
        look.kind = fx::LiveLook::Kind::Step;
        look.channel = step->first - 1;
        look.step = step->second - 1;
    } else if (palette) {
        look.kind = fx::LiveLook::Kind::PaletteEntry;
        look.palette = palette->first - 1;
        look.entry = palette->second - 1;
    } else if (blackout) {
        look.kind = fx::LiveLook::Kind::Blackout;
    }
    if (const std::string problem = fx::liveLookProblem(*record, look); !problem.empty())
        return refuse(*path + ": " + problem);
    if (palette)
        look.values = record->PalValue[look.palette][look.entry];
    const fx::LiveFrame frame = fx::ComposeLiveFrame(*record, address, look);

    Replies replies;
    live::OlaOutput output;
    output.setListener([&replies](const live::Report& report) { replies.put(report); });
    const auto noAnswer = [] {
        std::cerr << "fixture-tool: the OLA daemon does not answer\n";
        return 1;
    };
    output.open(universe);
    const auto opened = replies.take(std::chrono::seconds(3));
    if (!opened)
        return noAnswer();
    if (opened->outcome == live::Outcome::NoDaemon) {
        std::cerr << "fixture-tool: no OLA daemon runs on this computer (start it: olad)\n";
        return 1;
    }
    if (opened->outcome != live::Outcome::Ready) {
        std::cerr << "fixture-tool: universe " << universe
                  << " has no output port in OLA (patch one with ola_patch)\n";
        return 1;
    }
    output.send(universe, frame.dmx);
    const auto sent = replies.take(std::chrono::seconds(3));
    if (!sent)
        return noAnswer();
    if (sent->outcome != live::Outcome::Sent) {
        std::cerr << "fixture-tool: the OLA daemon refused the frame"
                  << (sent->detail.empty() ? "" : ": " + sent->detail) << '\n';
        return 1;
    }
    if (const std::string cut = fx::cutText(*record, frame); !cut.empty())
        std::cerr << "fixture-tool: " << *path << ": " << cut << '\n';
    return 0;
}
