#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

// The marker of a running copy: a lock file named after the application in
// the per-user runtime folder. The lock holds the owner's process id, so the
// lock of a copy that crashed is recognised as stale and does not block the
// next start.
class SingleInstance {
public:
    // Takes the marker for `appName`; false when another copy holds it.
    bool Acquire(const QString& appName);
    void Release();
    bool Held() const { return m_lock != nullptr; }

    // The file that marks a running copy of `appName`.
    static QString LockPath(const QString& appName);

private:
    std::unique_ptr<QLockFile> m_lock;
};
