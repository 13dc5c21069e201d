#include "cli/OutputFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string FolderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Permissions as a newly created file gets them (0666 less the umask);
// mkstemp creates 0600.
mode_t NewFileMode()
{
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

bool WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

} // namespace

bool WriteFileWhole(const std::string& path, std::string_view bytes, std::string& error)
{
    static const mode_t mode = NewFileMode();
    std::string temporary = FolderOf(path) + "/.kr80a-XXXXXX";
    const int fd = mkstemp(temporary.data());
    if (fd < 0) {
        error = std::strerror(errno);
        return false;
    }
    bool ok = fchmod(fd, mode) == 0 && WriteAll(fd, bytes);
    int savedErrno = errno;
    if (close(fd) != 0 && ok) {
        ok = false;
        savedErrno = errno;
    }
    if (ok && std::rename(temporary.c_str(), path.c_str()) != 0) {
        ok = false;
        savedErrno = errno;
    }
    if (!ok) {
        unlink(temporary.c_str());
        error = std::strerror(savedErrno);
    }
    return ok;
}

bool LiesInside(const std::string& path, const std::string& folder)
{
    std::error_code error;
    const std::filesystem::path inner = std::filesystem::weakly_canonical(path, error);
    const std::filesystem::path outer = std::filesystem::weakly_canonical(folder, error);
    if (error || outer.empty())
        return false;
    auto i = inner.begin();
    for (auto o = outer.begin(); o != outer.end(); ++o, ++i) {
        if (o->empty() && std::next(o) == outer.end()) // a trailing "/"
            return true;
        if (i == inner.end() || *i != *o)
            return false;
    }
    return true;
}
