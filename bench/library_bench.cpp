// library_bench [definitions] [runs]: the fixture library over a generated library (default 2000
// definitions in 50 manufacturer folders, about 6 KiB each, three modes, wheels with ranges):
// the index cold (no cache: every file read) and warm (every file from the cache), and one
// search keystroke (the core search alone, and with the browser's result model) while a model
// name is typed. Prints median and max of the runs, CPU time for the index.

#include "core/FixtureLibrary.h"
#include "fixtureedit/LibraryModel.h"

#include <QCoreApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

namespace fs = std::filesystem;

double cpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

double wallMs()
{
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

const char* const types[] = {"Moving Head", "Color Changer", "Scanner", "Dimmer", "Effect"};

std::string definition(int k)
{
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<FixtureDefinition>\n"
                      " <Manufacturer>Maker " +
                      std::to_string(k % 50) +
                      "</Manufacturer>\n"
                      " <Model>Model " +
                      std::to_string(k) +
                      " Spot</Model>\n"
                      " <Type>" +
                      types[k % 5] + "</Type>\n";
    const int channels = 12 + k % 13;
    for (int c = 0; c < channels; ++c) {
        xml += " <Channel Name=\"Channel " + std::to_string(c) + "\">\n  <Group Byte=\"0\">" +
               (c % 3 == 0 ? "Colour" : "Intensity") + "</Group>\n";
        if (c % 3 == 0)
            for (int r = 0; r < 8; ++r)
                xml += "  <Capability Min=\"" + std::to_string(r * 32) + "\" Max=\"" +
                       std::to_string(r * 32 + 31) + "\">Slot " + std::to_string(r) +
                       "</Capability>\n";
        xml += " </Channel>\n";
    }
    for (const int n : {channels / 2, channels - 2, channels}) {
        xml += " <Mode Name=\"" + std::to_string(n) + " channel\">\n";
        for (int c = 0; c < n; ++c)
            xml += "  <Channel Number=\"" + std::to_string(c) + "\">Channel " + std::to_string(c) +
                   "</Channel>\n";
        xml += " </Mode>\n";
    }
    return xml + "</FixtureDefinition>\n";
}

struct Figures {
    std::vector<double> values;
    void add(double v) { values.push_back(v); }
    void print(const char* what)
    {
        std::sort(values.begin(), values.end());
        std::printf("%-46s median %8.2f ms   max %8.2f ms\n", what, values[values.size() / 2],
                    values.back());
    }
};

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 2000;
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    const fs::path root =
        fs::temp_directory_path() / ("library_bench_" + std::to_string(::getpid()));
    const fs::path lib = root / "lib", cache = root / "cache";
    std::size_t bytes = 0;
    for (int k = 0; k < count; ++k) {
        const fs::path folder = lib / ("Maker " + std::to_string(k % 50));
        fs::create_directories(folder);
        const std::string xml = definition(k);
        std::ofstream(folder / ("model-" + std::to_string(k) + ".qxf"), std::ios::binary) << xml;
        bytes += xml.size();
    }
    std::printf("%d definitions of %.1f KiB on average, %d runs\n", count, bytes / 1024.0 / count,
                runs);
    const std::vector<fx::LibrarySource> sources{{lib.string(), "Bench", false}};

    Figures coldCpu, coldWall, warmCpu, warmWall, search, model;
    fx::LibraryIndex index;
    for (int r = 0; r < runs; ++r) {
        fs::remove_all(cache);
        double c0 = cpuMs(), w0 = wallMs();
        index = fx::buildLibraryIndex(sources, cache.string());
        coldCpu.add(cpuMs() - c0);
        coldWall.add(wallMs() - w0);
        c0 = cpuMs();
        w0 = wallMs();
        index = fx::buildLibraryIndex(sources, cache.string());
        warmCpu.add(cpuMs() - c0);
        warmWall.add(wallMs() - w0);
        if (index.readFiles != 0 || index.entries.size() != std::size_t(count)) {
            std::fprintf(stderr, "library_bench: the warm index read %zu files\n", index.readFiles);
            return 1;
        }
    }
    // Typing "maker 7 model 1207 spot" key by key: each keystroke filters the whole index.
    fixtureedit::LibraryModel results;
    results.setIndex(std::make_shared<fx::LibraryIndex>(index));
    const int k = std::min(count - 1, 1207);
    const std::string typed =
        "maker " + std::to_string(k % 50) + " model " + std::to_string(k) + " spot";
    for (int r = 0; r < runs; ++r) {
        for (std::size_t n = 1; n <= typed.size(); ++n) {
            double w0 = wallMs();
            const auto found = fx::searchLibrary(index.entries, typed.substr(0, n));
            search.add(wallMs() - w0);
            w0 = wallMs();
            results.setQuery(QString::fromStdString(typed.substr(0, n)));
            model.add(wallMs() - w0);
            (void)found;
        }
    }
    coldCpu.print("index cold (every file read), CPU");
    coldWall.print("index cold, wall");
    warmCpu.print("index warm (every file from the cache), CPU");
    warmWall.print("index warm, wall");
    search.print("search keystroke, core");
    model.print("search keystroke, result model");
    fs::remove_all(root);
    return 0;
}
