#include "MountWatcher.h"

#include <QSocketNotifier>

#include <fcntl.h>
#include <unistd.h>

MountWatcher::MountWatcher(QObject* parent) : QObject(parent) {}

MountWatcher::~MountWatcher()
{
    Stop();
}

bool MountWatcher::Watch(const std::string& path)
{
    Stop();
    m_fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (m_fd < 0)
        return false;
    m_table = ReadMountTable(m_fd);
    // The table is always readable; only its exceptional condition (POLLPRI)
    // says that it changed.
    m_notifier = new QSocketNotifier(m_fd, QSocketNotifier::Exception, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &MountWatcher::CheckTable);
    return true;
}

void MountWatcher::CheckTable()
{
    if (m_fd < 0)
        return;
    std::vector<MountEntry> table = ReadMountTable(m_fd);
    // The kernel's table always holds the root: an empty one is a failed
    // reading, not every file system gone.
    if (table.empty())
        return;
    const std::vector<MountEntry> gone = MountsMissingFrom(m_table, table);
    const std::vector<MountEntry> added = MountsMissingFrom(table, m_table);
    // Kept before anyone hears of it: a question asked about a new mount
    // runs a loop of its own, in which the next change is measured from here.
    m_table = std::move(table);
    if (!gone.empty())
        emit Unmounted(gone);
    if (!added.empty())
        emit Mounted(added);
}

void MountWatcher::Stop()
{
    delete m_notifier;
    m_notifier = nullptr;
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_table.clear();
}
