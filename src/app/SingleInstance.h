#pragma once

#include <QString>

// The marker of a running copy: a kernel lock (flock) on a file named after
// the application in the per-user runtime folder. The kernel lets go of the
// lock when the process ends, however it ends, so the marker exists exactly
// while a copy runs: what the file holds, and a file left behind by a copy
// that crashed, never block a start.
class SingleInstance {
public:
    SingleInstance() = default;
    ~SingleInstance() { Release(); }
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // Takes the marker for `appName`; false only when a live copy holds it.
    // When no marker can be made (no runtime folder, a folder or link in its
    // place) the start goes on without one.
    bool Acquire(const QString& appName);
    void Release();
    bool Held() const { return m_bHeld; }

    // The file that marks a running copy of `appName`: in the per-user runtime
    // folder, else in a folder of the user's own in the temporary folder;
    // empty when there is neither.
    static QString LockPath(const QString& appName);
    // `path` as a folder that only the user can enter: made with mode 0700
    // when missing; empty when what stands there is no folder (a link, a
    // file), belongs to someone else or lets others in.
    static QString PrivateFolder(const QString& path);

private:
    int m_fd = -1;
    bool m_bHeld = false;
};
