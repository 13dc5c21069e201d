#include "SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

QString SingleInstance::PrivateFolder(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    if (::mkdir(name.constData(), 0700) != 0 && errno != EEXIST)
        return {};
    struct stat info {};
    // lstat: a link planted in its place could lead anywhere.
    if (::lstat(name.constData(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != ::geteuid()
        || (info.st_mode & 0077) != 0)
        return {};
    return path;
}

QString SingleInstance::LockPath(const QString& appName)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    // Never the shared temporary folder itself: another user could hold the
    // lock there and keep everyone else from starting.
    if (folder.isEmpty())
        folder = PrivateFolder(QDir::tempPath() + "/" + appName + "-" + QString::number(::geteuid()));
    return folder.isEmpty() ? QString() : folder + "/" + appName + ".lock";
}

bool SingleInstance::Acquire(const QString& appName)
{
    Release();
    const QString lockPath = LockPath(appName);
    if (lockPath.isEmpty()) { // no folder of the user's own: the start goes on without a marker
        m_bHeld = true;
        return true;
    }
    const QByteArray path = QFile::encodeName(lockPath);
    // Never follows a link and never waits: a pipe or a link planted in the
    // lock's place cannot hang or redirect the start.
    const int fd = ::open(path.constData(),
                          O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY, 0600);
    if (fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const bool heldByAnother = errno == EWOULDBLOCK;
        ::close(fd);
        if (heldByAnother)
            return false;
        // A file system without flock: no copy can hold the marker either.
    } else if (fd >= 0) {
        // The file is never removed: removing it could let a starting copy
        // lock a file that the next one no longer sees.
        m_fd = fd;
    }
    m_bHeld = true;
    return true;
}

void SingleInstance::Release()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_bHeld = false;
}
