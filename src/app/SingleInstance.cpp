#include "SingleInstance.h"

#include <QDir>
#include <QStandardPaths>

QString SingleInstance::LockPath(const QString& appName)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder + "/" + appName + ".lock";
}

bool SingleInstance::Acquire(const QString& appName)
{
    auto lock = std::make_unique<QLockFile>(LockPath(appName));
    // Never stale by age: a copy that runs for days still holds it. A lock
    // whose process is gone is stale whatever its age.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0))
        return false;
    m_lock = std::move(lock);
    return true;
}

void SingleInstance::Release()
{
    m_lock.reset();
}
