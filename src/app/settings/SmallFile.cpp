#include "app/settings/SmallFile.h"

#include "data/ReadOnlyFile.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The path that a rename must replace: the target of a symbolic link, so that
// a linked settings file stays linked.
std::string ResolvedPath(const std::string& path)
{
    std::error_code error;
    const std::filesystem::path resolved = std::filesystem::weakly_canonical(path, error);
    return error ? path : resolved.string();
}

bool WriteAll(int fd, const std::string& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        done += static_cast<std::size_t>(written);
    }
    return true;
}

// Writes `bytes` to a new temporary file beside `target` with `mode`, flushed
// to disk; its path, or empty on failure (nothing left behind).
std::string WriteTemporaryBeside(const std::string& target, const std::string& bytes, mode_t mode)
{
    std::string temporary = target + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        return std::string();
    const bool written = ::fchmod(fd, mode) == 0 && WriteAll(fd, bytes) && ::fsync(fd) == 0;
    if (::close(fd) != 0 || !written) {
        ::unlink(temporary.c_str());
        return std::string();
    }
    return temporary;
}

} // namespace

std::optional<std::string> ReadSmallFile(const std::string& path, std::size_t limit)
{
    ReadOnlyFile file;
    FileErrorCause cause{};
    if (!file.Open(path, &cause))
        return std::nullopt;
    std::string bytes;
    try {
        for (int byte = file.ReadByte(); byte >= 0; byte = file.ReadByte()) {
            if (bytes.size() == limit)
                return std::nullopt;
            bytes.push_back(static_cast<char>(byte));
        }
    } catch (const FileException&) {
        return std::nullopt;
    }
    return bytes;
}

FileState StateOfFile(const std::string& path)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return errno == ENOENT && ::lstat(path.c_str(), &info) != 0 ? FileState::Missing
                                                                     : FileState::NotWritable;
    const bool writable = S_ISREG(info.st_mode) && (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0
                          && ::access(path.c_str(), W_OK) == 0;
    return writable ? FileState::Writable : FileState::NotWritable;
}

bool ReplaceSmallFile(const std::string& path, const std::string& bytes)
{
    const std::string target = ResolvedPath(path);
    mode_t mode = S_IRUSR | S_IWUSR;
    if (struct stat info {}; ::stat(target.c_str(), &info) == 0) {
        mode = info.st_mode & 07777;
    } else {
        std::error_code error;
        std::filesystem::create_directories(std::filesystem::path(target).parent_path(), error);
    }
    const std::string temporary = WriteTemporaryBeside(target, bytes, mode);
    if (temporary.empty())
        return false;
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}
