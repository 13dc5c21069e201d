#include "data/WholeFile.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Every byte, however the system splits the writes.
bool WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

} // namespace

std::string FolderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

mode_t NewFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

bool ReplaceWholeFile(std::string temporaryPattern, const std::string& target, std::string_view bytes,
                      mode_t mode, bool flush)
{
    const int fd = ::mkstemp(temporaryPattern.data());
    if (fd < 0)
        return false;
    bool ok = ::fchmod(fd, mode) == 0 && WriteAll(fd, bytes) && (!flush || ::fsync(fd) == 0);
    int failure = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        failure = errno;
    }
    if (ok && std::rename(temporaryPattern.c_str(), target.c_str()) == 0)
        return true;
    if (ok)
        failure = errno;
    ::unlink(temporaryPattern.c_str());
    errno = failure;
    return false;
}
