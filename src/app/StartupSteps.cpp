#include "app/StartupSteps.h"

#include "platform/SystemInfo.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QScreen>

uint64_t StartupSteps::PhysicalMemory()
{
    return PhysicalMemoryBytes();
}

int StartupSteps::SocketLimit()
{
    return ::SocketLimit();
}

bool StartupSteps::HasScreen()
{
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) && QGuiApplication::primaryScreen();
}

bool StartupSteps::StartUpdater(const std::string& programDirectory)
{
    const QString program = QString::fromStdString(programDirectory) + "/zorvanup";
    if (!QFileInfo(program).isExecutable())
        return false;
    return QProcess::startDetached(program, {}, QString::fromStdString(programDirectory));
}
