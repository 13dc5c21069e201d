#include "app/settings/SmallFile.h"

#include "data/ReadOnlyFile.h"
#include "data/WholeFile.h"

#include <cerrno>
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
    return ReplaceWholeFile(target + ".XXXXXX", target, bytes, mode, true);
}
