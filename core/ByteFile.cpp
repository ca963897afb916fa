#include "core/ByteFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fx {

namespace {

void setError(std::string* error, const std::string& text)
{
    if (error)
        *error = text;
}

} // namespace

std::optional<std::vector<std::uint8_t>> readWholeFile(const std::string& path, std::string* error)
{
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        setError(error, "it is a folder");
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        setError(error, std::strerror(errno));
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                    std::istreambuf_iterator<char>());
    if (in.bad()) {
        setError(error, "read error");
        return std::nullopt;
    }
    return bytes;
}

std::optional<std::string> writeTempFileBeside(const std::string& path,
                                               const std::vector<std::uint8_t>& bytes,
                                               std::string* error, bool sync)
{
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        setError(error, "it is a folder");
        return std::nullopt;
    }
    std::string temp = path + ".tmp-" + std::to_string(::getpid());
    std::FILE* file = std::fopen(temp.c_str(), "wb");
    if (!file) {
        setError(error, std::strerror(errno));
        return std::nullopt;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const int writeErrno = errno;
    const bool flushed = std::fflush(file) == 0 && (!sync || ::fsync(fileno(file)) == 0);
    const bool closed = std::fclose(file) == 0;
    if (!written || !flushed || !closed) {
        setError(error, std::strerror(written ? errno : writeErrno));
        std::remove(temp.c_str());
        return std::nullopt;
    }
    return temp;
}

bool replaceWithTempFile(const std::string& temp, const std::string& path, std::string* error)
{
    if (std::rename(temp.c_str(), path.c_str()) != 0) {
        setError(error, std::strerror(errno));
        std::remove(temp.c_str());
        return false;
    }
    return true;
}

bool writeFileAtomically(const std::string& path, const std::vector<std::uint8_t>& bytes,
                         std::string* error)
{
    const std::optional<std::string> temp = writeTempFileBeside(path, bytes, error, true);
    return temp && replaceWithTempFile(*temp, path, error);
}

bool syncFileSystem(const std::string& folder, std::string* error)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) {
        setError(error, std::strerror(errno));
        return false;
    }
    const bool synced = ::syncfs(fd) == 0;
    if (!synced)
        setError(error, std::strerror(errno));
    ::close(fd);
    return synced;
}

} // namespace fx
