#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace fx {

// Whole-file access for the command-line tool (the editor uses Qt's QSaveFile instead).
std::optional<std::vector<std::uint8_t>> readWholeFile(const std::string& path, std::string* error);

// Writes to a temporary file beside path and renames it over path only once it is complete, so a
// failed write never destroys the old file.
bool writeFileAtomically(const std::string& path, const std::vector<std::uint8_t>& bytes,
                         std::string* error);

} // namespace fx
