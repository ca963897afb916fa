#pragma once

#include <string>
#include <vector>

namespace fx {
struct FixtureRecord;
}

// Reads a fixture setup file (6144 bytes) for export, sheet and send: empty result, or a message
// naming the fault.
std::string readFixtureForExport(const std::string& path, fx::FixtureRecord& record);

// fixture-tool export [--manufacturer M] [--type T] FILE.tff OUT.qxf: the fixture as a QLC+
// fixture definition. args[0] is the command's name.
int exportCommand(const std::vector<std::string>& args);

// fixture-tool sheet FILE.tff OUT.pdf: the printable fixture sheet as a PDF, made on the
// offscreen platform (no display needed).
int sheetCommand(const std::vector<std::string>& args);
