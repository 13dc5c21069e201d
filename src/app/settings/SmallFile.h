#pragma once

#include <cstddef>
#include <optional>
#include <string>

// Whole-file reading and replacing for small files of our own, such as the
// settings file. No Qt here.

// The file's bytes when it is a regular file of at most `limit` bytes.
// A missing, unreadable or larger file, and anything that is not a regular
// file (a pipe, a device, a folder), gives nothing. Never blocks.
std::optional<std::string> ReadSmallFile(const std::string& path, std::size_t limit);

// What stands at `path`.
enum class FileState { Missing, Writable, NotWritable };
// A regular file whose permission bits allow writing (any of them, so a file
// marked read-only stays so even for the superuser) is Writable; any other
// thing at the path is NotWritable. Symbolic links are followed.
FileState StateOfFile(const std::string& path);

// Replaces the file at `path` with `bytes` through the one writer of our
// files (data/WholeFile.h), flushed to disk; a new file is readable by its
// owner only. Missing folders are made. 0 when written, else the errno.
int ReplaceSmallFile(const std::string& path, const std::string& bytes);

// An advisory lock (flock) on the file at `path`, held for the object's life,
// so that two processes changing one file take turns and neither loses the
// other's change. The lock file is made when missing and never removed
// (removing it could let two holders lock two different files). Where it
// cannot be made the holder goes on unlocked: the write itself then says
// whether it worked.
class FileLock {
public:
    explicit FileLock(const std::string& path);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

private:
    int m_fd = -1;
};
