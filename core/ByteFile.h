#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace fx {

// Whole-file access for the command-line tool (the editor uses Qt's QSaveFile instead).
std::optional<std::vector<std::uint8_t>> readWholeFile(const std::string& path, std::string* error);

// Writes to a temporary file beside path and renames it over path only once it is complete, so a
// failed write never destroys the old file. Each file is synced to the disk before the rename,
// unless the caller writes many files and syncs them all at once with syncFileSystem (a sync per
// file would cost more than converting it).
enum class SyncEach { Yes, No };
bool writeFileAtomically(const std::string& path, const std::vector<std::uint8_t>& bytes,
                         std::string* error, SyncEach sync = SyncEach::Yes);

// Flushes everything written to the file system that holds folder to the disk.
bool syncFileSystem(const std::string& folder, std::string* error);

} // namespace fx
