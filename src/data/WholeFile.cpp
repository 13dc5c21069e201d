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

// Whether the system has refused to link a file by its descriptor alone,
// which needs a privilege; from then on the file table in /proc is used.
std::atomic<bool> linkByDescriptorRefused{false};

// Gives the open unnamed file `fd` the name `name` in `folder` (a folder's
// descriptor, or AT_FDCWD for a path); never replaces a file of that name.
int LinkAt(int fd, int folder, const std::string& name)
{
    if (!linkByDescriptorRefused.load(std::memory_order_relaxed)) {
        if (::linkat(fd, "", folder, name.c_str(), AT_EMPTY_PATH) == 0)
            return 0;
        if (errno != ENOENT)
            return errno;
        linkByDescriptorRefused = true;
    }
    // Without the right to link by descriptor the process's own file table
    // in /proc does the same.
    const std::string own = "/proc/self/fd/" + std::to_string(fd);
    return ::linkat(AT_FDCWD, own.c_str(), folder, name.c_str(), AT_SYMLINK_FOLLOW) == 0 ? 0 : errno;
}

int LinkAt(int fd, const std::string& path)
{
    return LinkAt(fd, AT_FDCWD, path);
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

WholeFileWriter::WholeFileWriter(const std::string& target, const WholeFileOptions& options)
    : m_target(target), m_options(options)
{
    // Most targets are new or plain files, which one lstat settles; only a
    // link needs the look through it.
    struct stat info {};
    if (::lstat(target.c_str(), &info) != 0 && errno == ENOENT) {
        OpenBeside(nullptr);
        return;
    }
    if (S_ISREG(info.st_mode)) {
        OpenBeside(&info);
        return;
    }
    const bool exists = ::stat(target.c_str(), &info) == 0;
    if (!exists && errno != ENOENT)
        m_error = errno;
    else if (exists && S_ISDIR(info.st_mode))
        m_error = EISDIR;
    else if (exists && !S_ISREG(info.st_mode))
        OpenInPlace();
    else if (const int error = ResolveLinks(m_target))
        m_error = error;
    else
        OpenBeside(exists ? &info : nullptr);
}

WholeFileWriter::~WholeFileWriter()
{
    if (m_fd >= 0)
        ::close(m_fd);
    if (!m_committed && !m_name.empty())
        ::unlink(m_name.c_str());
}

// A device, FIFO or socket takes the bytes as they come; replacing it would
// put a plain file where the system expects the device.
void WholeFileWriter::OpenInPlace()
{
    m_inPlace = true;
    m_fd = ::open(m_target.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    if (m_fd < 0)
        m_error = errno;
}

// The new file beside the target, with the target's permissions (and owner,
// where a superuser replaces another user's file), or those of a new file.
void WholeFileWriter::OpenBeside(const struct stat* old)
{
    m_folder = FolderOf(m_target);
    m_targetExists = old != nullptr;
    // A new file is made with its mode; a replaced one takes the old file's,
    // which the umask must not cut.
    m_fd = OpenNewFile(m_folder, old ? 0600 : m_options.newFileMode, m_name);
    if (m_fd < 0) {
        m_error = errno;
        return;
    }
    const bool madeWithMode = !old && m_name.empty();
    if (!madeWithMode && ::fchmod(m_fd, old ? old->st_mode & 07777 : m_options.newFileMode) != 0)
        m_error = errno;
    if (old && old->st_uid != ::geteuid() && ::fchown(m_fd, old->st_uid, old->st_gid) != 0) {
        // Only a superuser can give a file away; anyone else writes their own.
    }
}

int WholeFileWriter::Write(std::string_view bytes)
{
    if (m_error == 0)
        m_error = WriteAll(m_fd, bytes);
    return m_error;
}

int WholeFileWriter::Commit()
{
    if (m_fd < 0)
        return m_error;
    if (!m_inPlace && m_error == 0 && m_options.flush && ::fsync(m_fd) != 0)
        m_error = errno;
    if (!m_inPlace && m_error == 0 && m_name.empty())
        m_error = NameUnnamedFile(m_fd, m_folder, m_target, m_targetExists, m_name);
    if (::close(m_fd) != 0 && m_error == 0)
        m_error = errno;
    m_fd = -1;
    if (m_inPlace || m_error != 0)
        return m_error;
    if (m_name != m_target && std::rename(m_name.c_str(), m_target.c_str()) != 0)
        return m_error = errno;
    m_committed = true;
    if (m_options.flush)
        SyncFolder(m_folder);
    return 0;
}

int WriteWholeFile(const std::string& target, std::string_view bytes, const WholeFileOptions& options)
{
    WholeFileWriter writer(target, options);
    writer.Write(bytes);
    return writer.Commit();
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

NewFilesFolder::NewFilesFolder(const std::string& folder)
    : m_folder(folder), m_fd(::open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC))
{
    if (m_fd < 0)
        m_error = errno;
}

NewFilesFolder::~NewFilesFolder()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

int NewFilesFolder::Write(const std::string& name, std::string_view bytes, const WholeFileOptions& options) const
{
    if (m_fd < 0)
        return m_error;
    const int fd = ::openat(m_fd, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, options.newFileMode);
    if (fd < 0)
        return errno == EOPNOTSUPP || errno == EISDIR ? WriteBeside(name, bytes, options) : errno;
    int error = WriteAll(fd, bytes);
    if (error == 0 && options.flush && ::fsync(fd) != 0)
        error = errno;
    bool named = false;
    if (error == 0) {
        error = LinkAt(fd, m_fd, name);
        named = error == 0;
    }
    if (::close(fd) != 0 && error == 0)
        error = errno;
    // A close that fails may have lost bytes already under the name.
    if (error != 0 && named)
        ::unlinkat(m_fd, name.c_str(), 0);
    return error;
}

// Where the file system has no unnamed files, the writer of one file by its
// path does the same under a hidden name, once it is sure the name is free.
int NewFilesFolder::WriteBeside(const std::string& name, std::string_view bytes,
                                const WholeFileOptions& options) const
{
    struct stat info {};
    if (::fstatat(m_fd, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0)
        return EEXIST;
    if (errno != ENOENT)
        return errno;
    return WriteWholeFile(m_folder + "/" + name, bytes, options);
}
