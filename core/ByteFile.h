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

// The two halves of writeFileAtomically, for a caller that writes many files: write each to its
// temporary file without syncing, sync them all at once with syncFileSystem, then rename each
// over its path. A sync per file would cost more than producing it; renaming over a file whose
// data is not yet on the disk makes the file system flush it there and then.
// writeTempFileBeside returns the temporary file's path (nothing on failure, no file left);
// replaceWithTempFile removes the temporary file when the rename fails.
std::optional<std::string> writeTempFileBeside(const std::string& path,
                                               const std::vector<std::uint8_t>& bytes,
                                               std::string* error, bool sync);
bool replaceWithTempFile(const std::string& temp, const std::string& path, std::string* error);

// Flushes everything written to the file system that holds folder to the disk.
bool syncFileSystem(const std::string& folder, std::string* error);

} // namespace fx
