#pragma once

#include "MountTable.h"

#include <QObject>
#include <QString>

#include <string>
#include <vector>

class QSocketNotifier;

// Tells when file systems are mounted or unmounted, without looking at any
// disk: the kernel marks its mount table (kOwnMountTable) for poll's
// POLLPRI whenever it changes, and only then is the table read again.
class MountWatcher : public QObject {
    Q_OBJECT
public:
    explicit MountWatcher(QObject* parent = nullptr);
    ~MountWatcher() override;

    // Watches the table at `path`; what it holds now is what later changes
    // are measured against. False, watching nothing, when it cannot be
    // opened. A table that is no kernel's (a plain file) is read again only
    // when CheckTable is called.
    bool Watch(const std::string& path = kOwnMountTable);

    // Reads the table again and reports the mounts gone, then the new ones,
    // since the last reading. The kernel's signal calls this.
    void CheckTable();

    // The table as last read.
    const std::vector<MountEntry>& Table() const { return m_table; }

signals:
    void Unmounted(const std::vector<MountEntry>& gone);
    void Mounted(const std::vector<MountEntry>& added);

private:
    void Stop();

    int m_fd = -1;
    QSocketNotifier* m_notifier = nullptr;
    std::vector<MountEntry> m_table;
};
