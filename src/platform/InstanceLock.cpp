#include "platform/InstanceLock.h"

#include <QDir>
#include <QStandardPaths>

InstanceLock::InstanceLock(const QString& name)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    QDir().mkpath(folder);
    m_path = folder + "/" + name;
    m_file = std::make_unique<QLockFile>(m_path);
    m_file->setStaleLockTime(0);  // only a dead owner makes the lock stale
}

InstanceLock::~InstanceLock()
{
    Unlock();
}

bool InstanceLock::TryLock()
{
    return m_file->tryLock(0);
}

void InstanceLock::Unlock()
{
    if (m_file->isLocked())
        m_file->unlock();
}
