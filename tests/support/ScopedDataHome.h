#pragma once
// Points XDG_DATA_HOME at a folder of the test for its lifetime.
#include <QByteArray>
#include <QString>
#include <QtGlobal>

class ScopedDataHome
{
public:
    explicit ScopedDataHome(const QString& folder) : m_saved(qgetenv("XDG_DATA_HOME"))
    {
        qputenv("XDG_DATA_HOME", folder.toLocal8Bit());
    }
    ~ScopedDataHome()
    {
        if (m_saved.isEmpty())
            qunsetenv("XDG_DATA_HOME");
        else
            qputenv("XDG_DATA_HOME", m_saved);
    }
    ScopedDataHome(const ScopedDataHome&) = delete;
    ScopedDataHome& operator=(const ScopedDataHome&) = delete;

private:
    QByteArray m_saved;
};
