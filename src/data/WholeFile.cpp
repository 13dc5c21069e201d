#include "data/WholeFile.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// How many links a path may pass through, as the kernel allows.
constexpr int kMaxLinkHops = 40;

// 0 when every byte got there, however the system splits the writes.
int WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        if (n == 0)
            return EIO;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return 0;
}

// The first error of the writes, else that of the close.
int WriteAndClose(int fd, std::string_view bytes)
{
    int error = WriteAll(fd, bytes);
    if (::close(fd) != 0 && error == 0)
        error = errno;
    return error;
}

// A device, FIFO or socket takes the bytes as they come; replacing it would
// put a plain file where the system expects the device.
int WriteInPlace(const std::string& target, std::string_view bytes)
{
    const int fd = ::open(target.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    return fd < 0 ? errno : WriteAndClose(fd, bytes);
}

// The path a link finally points to (itself when it is none), so that the
// rename replaces the linked file and the link stays. A dangling link gives
// the path its target would have.
int ResolveLinks(std::string& path)
{
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return 0;
        std::string link(4096, '\0');
        const ssize_t size = ::readlink(path.c_str(), link.data(), link.size());
        if (size < 0)
            return errno;
        link.resize(static_cast<std::size_t>(size));
        path = link.front() == '/' ? link : FolderOf(path) + "/" + link;
    }
    return ELOOP;
}

// A name in `folder` that no file has yet, made of the process id and a count,
// hidden so that a file manager does not show it meanwhile.
std::string TemporaryName(const std::string& folder)
{
    static std::atomic<unsigned> count{0};
    const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
    char name[64];
    std::snprintf(name, sizeof name, "/.kr80a-%d-%u-%llx", static_cast<int>(::getpid()), count++,
                  static_cast<unsigned long long>(now) & 0xFFFFFF);
    return folder + name;
}

// A file in `folder` for the new content: unnamed where the file system
// allows (a kill then leaves nothing behind), else under a hidden name given
// back in `name`. An unnamed file is made with `mode` already.
int OpenNewFile(const std::string& folder, mode_t mode, std::string& name)
{
    name.clear();
    const int fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
    if (fd >= 0)
        return fd;
    name = folder + "/.kr80a-XXXXXX";
    return ::mkostemp(name.data(), O_CLOEXEC);
}

int LinkAt(int fd, const std::string& path)
{
    if (::linkat(fd, "", AT_FDCWD, path.c_str(), AT_EMPTY_PATH) == 0)
        return 0;
    // Without the right to link by descriptor the process's own file table
    // in /proc does the same.
    const std::string own = "/proc/self/fd/" + std::to_string(fd);
    return ::linkat(AT_FDCWD, own.c_str(), AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW) == 0 ? 0 : errno;
}

// Gives the unnamed file a name: the target's own when there is no target
// yet (nothing to rename then), else a hidden one beside it.
int NameUnnamedFile(int fd, const std::string& folder, const std::string& target, bool targetExists,
                    std::string& name)
{
    if (!targetExists && LinkAt(fd, target) == 0) {
        name = target;
        return 0;
    }
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = TemporaryName(folder);
        const int error = LinkAt(fd, name);
        if (error != EEXIST) {
            if (error != 0)
                name.clear();
            return error;
        }
    }
    name.clear();
    return EEXIST;
}

void SyncFolder(const std::string& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Fills the new file: its permissions unless it was made with them (and its
// owner, where a superuser replaces another user's file), the bytes, the
// flush.
int FillNewFile(int fd, const struct stat* old, bool modeSet, std::string_view bytes,
                const WholeFileOptions& options)
{
    if (!modeSet && ::fchmod(fd, old ? old->st_mode & 07777 : options.newFileMode) != 0)
        return errno;
    if (old && old->st_uid != ::geteuid() && ::fchown(fd, old->st_uid, old->st_gid) != 0) {
        // Only a superuser can give a file away; anyone else writes their own.
    }
    if (const int error = WriteAll(fd, bytes))
        return error;
    return options.flush && ::fsync(fd) != 0 ? errno : 0;
}

// The regular-file path: new file beside the target, then the rename.
int ReplaceRegularFile(const std::string& target, const struct stat* old, std::string_view bytes,
                       const WholeFileOptions& options)
{
    const std::string folder = FolderOf(target);
    std::string name;
    // A new file is made with its mode; a replaced one takes the old file's,
    // which the umask must not cut.
    const int fd = OpenNewFile(folder, old ? 0600 : options.newFileMode, name);
    if (fd < 0)
        return errno;
    const bool unnamed = name.empty();
    int error = FillNewFile(fd, old, unnamed && !old, bytes, options);
    if (error == 0 && unnamed)
        error = NameUnnamedFile(fd, folder, target, old != nullptr, name);
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0 && name != target && std::rename(name.c_str(), target.c_str()) != 0)
        error = errno;
    if (error != 0) {
        if (!name.empty())
            ::unlink(name.c_str());
        return error;
    }
    if (options.flush)
        SyncFolder(folder);
    return 0;
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

int WriteWholeFile(const std::string& target, std::string_view bytes, const WholeFileOptions& options)
{
    // Most targets are new or plain files, which one lstat settles; only a
    // link needs the look through it.
    struct stat info {};
    if (::lstat(target.c_str(), &info) != 0 && errno == ENOENT)
        return ReplaceRegularFile(target, nullptr, bytes, options);
    if (S_ISREG(info.st_mode))
        return ReplaceRegularFile(target, &info, bytes, options);
    const bool exists = ::stat(target.c_str(), &info) == 0;
    if (!exists && errno != ENOENT)
        return errno;
    if (exists && S_ISDIR(info.st_mode))
        return EISDIR;
    if (exists && !S_ISREG(info.st_mode))
        return WriteInPlace(target, bytes);
    std::string resolved = target;
    if (const int error = ResolveLinks(resolved))
        return error;
    return ReplaceRegularFile(resolved, exists ? &info : nullptr, bytes, options);
}

int SyncFileSystemOf(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    const int error = ::syncfs(fd) == 0 ? 0 : errno;
    ::close(fd);
    return error;
}
