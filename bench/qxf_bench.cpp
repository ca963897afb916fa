// Benchmark of the ".qxf" import (not a test, no Qt): prints how long one definition takes to
// import as the editor does it (read, parse, import every mode for the dialog) and how long
// `fixture-tool import --out-dir` takes for a generated library of definitions.
//
//   qxf_bench [definitions] [runs]        (defaults 1000 and 5)
#include "core/QxfImport.h"
#include "tools/FixtureJson.h"

#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// A moving head of the usual shape: k heads of RGBW with fine channels, pan/tilt with fine,
// wheels with many slots, and three modes of growing size; k and the slot counts vary with seed.
std::string definition(int seed)
{
    const int heads = 1 + seed % 4;
    const int slots = 8 + seed % 24;
    std::string x = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<FixtureDefinition>\n"
                    " <Manufacturer>Bench Works</Manufacturer>\n <Model>Generated " +
                    std::to_string(seed) + "</Model>\n <Type>Moving Head</Type>\n";
    const auto channel = [&](const std::string& name, const std::string& attrs,
                             const std::string& body) {
        x += " <Channel Name=\"" + name + "\"" + attrs + ">\n" + body + " </Channel>\n";
    };
    const auto wheel = [&](const char* what) {
        std::string body;
        for (int s = 0; s < slots; ++s)
            body += "  <Capability Min=\"" + std::to_string(s * 256 / slots) + "\" Max=\"" +
                    std::to_string((s + 1) * 256 / slots - 1) + "\">" + what + " slot " +
                    std::to_string(s + 1) + "</Capability>\n";
        return body;
    };
    std::vector<std::string> names;
    for (const char* p : {"Pan", "Pan fine", "Tilt", "Tilt fine"}) {
        channel(p,
                std::string(" Preset=\"Position") + (p[0] == 'P' ? "Pan" : "Tilt") +
                    (std::string(p).find("fine") != std::string::npos ? "Fine\"" : "\""),
                "");
        names.push_back(p);
    }
    channel("Colour wheel", " Preset=\"ColorWheel\"", wheel("Colour"));
    channel("Gobo wheel", "", "  <Group Byte=\"0\">Gobo</Group>\n" + wheel("Gobo"));
    channel("Shutter", "", "  <Group Byte=\"0\">Shutter</Group>\n" + wheel("Strobe"));
    names.insert(names.end(), {"Colour wheel", "Gobo wheel", "Shutter"});
    for (int h = 1; h <= heads; ++h) {
        for (const char* c : {"Red", "Green", "Blue", "White"}) {
            const std::string n = std::string(c) + " " + std::to_string(h);
            channel(n, std::string(" Preset=\"Intensity") + c + "\"", "");
            channel(n + " fine", std::string(" Preset=\"Intensity") + c + "Fine\"", "");
            names.insert(names.end(), {n, n + " fine"});
        }
    }
    const auto mode = [&](const std::string& name, std::size_t count) {
        x += " <Mode Name=\"" + name + "\">\n";
        for (std::size_t i = 0; i < std::min(count, names.size()); ++i)
            x += "  <Channel Number=\"" + std::to_string(i) + "\">" + names[i] + "</Channel>\n";
        x += " </Mode>\n";
    };
    mode("Basic", 7);
    mode("Standard", 15);
    mode("Extended", names.size());
    x += " <Physical><Focus Type=\"Head\" PanMax=\"540\" TiltMax=\"270\"/></Physical>\n"
         "</FixtureDefinition>\n";
    return x;
}

struct Stats {
    double median, max;
};

Stats stats(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return {v[v.size() / 2], v.back()};
}

} // namespace

int main(int argc, char** argv)
{
    mallopt(M_TRIM_THRESHOLD, 64 * 1024 * 1024); // as fixture-tool does, see there
    const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000;
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    const fs::path dir = fs::temp_directory_path() / ("qxf_bench_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    std::vector<std::string> files;
    std::uintmax_t bytes = 0;
    for (int i = 0; i < count; ++i) {
        const std::string text = definition(i);
        files.push_back((dir / ("def" + std::to_string(i) + ".qxf")).string());
        std::ofstream(files.back(), std::ios::binary) << text;
        bytes += text.size();
    }
    fx::ChNameSet names;
    fx::InitChNameSet(names);

    // One definition as the editor imports it: read, parse, every mode imported for the dialog,
    // the default one made a file image.
    std::vector<double> one;
    for (int r = 0; r < std::max(runs, 21); ++r) {
        const auto start = Clock::now();
        fx::QxfDefinition def;
        if (const std::string e = fx::loadQxfFile(files[std::min(3, count - 1)], def); !e.empty())
            return std::fprintf(stderr, "%s\n", e.c_str()), 1;
        std::vector<fx::QxfImport> imports(def.modes.size());
        for (int m = 0; m < int(def.modes.size()); ++m)
            fx::importQxfMode(def, m, names, imports[m]);
        fx::FixtureImage image{};
        fx::savedFixtureImage(*imports[*fx::defaultQxfMode(def)].record, image);
        one.push_back(msSince(start));
    }

    // The library in one process, in memory: read, parse, import the default mode, image.
    std::vector<double> inMemory;
    for (int r = 0; r < runs; ++r) {
        const auto start = Clock::now();
        for (const std::string& f : files) {
            fx::QxfDefinition def;
            fx::loadQxfFile(f, def);
            fx::QxfImport imp;
            fx::importQxfMode(def, *fx::defaultQxfMode(def), names, imp);
            fx::FixtureImage image{};
            fx::savedFixtureImage(*imp.record, image);
        }
        inMemory.push_back(msSince(start));
    }

    // The real command, files written: into an empty folder, and again over the files written
    // (ext4 then flushes each replaced file's data at the rename, which is what keeps a
    // replaced file whole after a crash).
    const auto command = [&](const fs::path& out) {
        return std::string(FIXTURE_TOOL_PATH) + " import --out-dir '" + out.string() + "' '" +
               dir.string() + "'/def*.qxf 2>/dev/null";
    };
    std::vector<double> fresh, replacing;
    for (int r = 0; r < runs; ++r) {
        const fs::path out = dir / ("out" + std::to_string(r));
        fs::create_directories(out);
        for (std::vector<double>* times : {&fresh, &replacing}) {
            const auto start = Clock::now();
            if (std::system(command(out).c_str()) != 0)
                std::fprintf(stderr, "fixture-tool import failed\n");
            times->push_back(msSince(start));
        }
    }
    fs::remove_all(dir);

    const Stats s1 = stats(one), s2 = stats(inMemory), s3 = stats(fresh), s4 = stats(replacing);
    std::printf("qxf import, %d definitions of %.1f KiB on average, %d runs\n", count,
                bytes / 1024.0 / count, runs);
    std::printf("| action | median | max |\n|---|---|---|\n");
    std::printf("| import one definition (parse, all 3 modes, image) | %.2f ms | %.2f ms |\n",
                s1.median, s1.max);
    std::printf("| %d definitions in one process, in memory | %.0f ms | %.0f ms |\n", count,
                s2.median, s2.max);
    std::printf("| `fixture-tool import --out-dir`, %d files into an empty folder | %.0f ms | "
                "%.0f ms |\n",
                count, s3.median, s3.max);
    std::printf("| the same again, replacing those %d files | %.0f ms | %.0f ms |\n", count,
                s4.median, s4.max);
    return 0;
}
