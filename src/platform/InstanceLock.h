#pragma once
// The single-instance lock: an exclusive lock file in the user's runtime folder.
// A lock left behind by a process that died is taken over.
#include <QLockFile>
#include <QString>

#include <memory>

class InstanceLock
{
public:
    explicit InstanceLock(const QString& name);
    ~InstanceLock();
    // Tries to take the lock without waiting.
    bool TryLock();
    void Unlock();
    QString Path() const { return m_path; }

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_file;
};
