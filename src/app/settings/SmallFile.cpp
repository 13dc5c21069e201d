#include "app/settings/SmallFile.h"

#include "data/ReadOnlyFile.h"
#include "data/WholeFile.h"

#include <cerrno>
#include <filesystem>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

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

int ReplaceSmallFile(const std::string& path, const std::string& bytes)
{
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
    return WriteWholeFile(path, bytes, WholeFileOptions{S_IRUSR | S_IWUSR, true});
}

FileLock::FileLock(const std::string& path)
    : m_fd(::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY | O_NONBLOCK, 0600))
{
    while (m_fd >= 0 && ::flock(m_fd, LOCK_EX) != 0 && errno == EINTR) {
    }
}

FileLock::~FileLock()
{
    if (m_fd >= 0)
        ::close(m_fd);
}
