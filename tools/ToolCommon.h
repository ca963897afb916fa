#pragma once

// What every fixture-tool command shares: the one way it reads an input file, and the two kinds
// of line it prints on standard error.

#include "core/ByteFile.h"

#include <cstdint>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

// Every file the tool reads is small; a huge one is refused before it is read whole.
constexpr std::uintmax_t MaxInputSize = 64 * 1024 * 1024;

inline std::optional<std::vector<std::uint8_t>> readInput(const std::string& path,
                                                          std::string* error)
{
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (!ec && size > MaxInputSize) {
        *error = "is " + std::to_string(size) + " bytes long, too long for any file of this tool";
        return std::nullopt;
    }
    return fx::readWholeFile(path, error);
}

// A wrong command line: one line and status 2.
inline int usageError(const std::string& message)
{
    std::cerr << "fixture-tool: " << message << " (fixture-tool --help shows the usage)\n";
    return 2;
}

// A file or its content refused: one line naming it and status 1.
inline int fail(const std::string& path, const std::string& message)
{
    std::cerr << "fixture-tool: " << path << ": " << message << '\n';
    return 1;
}
