#include "app/menu/HostJoinEngine.h"

#include "app/engine/EngineHost.h"
#include "app/engine/LauncherClock.h"
#include "platform/TerminationSignals.h"

#include <QCoreApplication>
#include <QThread>

bool HostJoinEngine::Loaded()
{
    return m_host.Loaded();
}

bool HostJoinEngine::Start()
{
    return m_host.StartEngine(false) == 1;
}

void HostJoinEngine::AddCommandText(const std::string& text)
{
    m_host.AddCommandText(text);
}

std::string HostJoinEngine::ConsoleVariable(const char* name)
{
    return m_host.ConsoleVariable(name);
}

void HostJoinEngine::SetConsoleVariable(const char* name, const std::string& value)
{
    m_host.SetConsoleVariable(name, value.c_str());
}

void HostJoinEngine::Notify(int code)
{
    m_host.Notify(code);
}

EngineStatus HostJoinEngine::Status()
{
    return m_host.Status();
}

void HostJoinEngine::SetBusy(bool busy)
{
    m_host.SetBusy(busy);
}

void HostJoinEngine::SetBackground(bool background)
{
    m_host.SetBackground(background);
}

int HostJoinEngine::State()
{
    return m_host.State();
}

void HostJoinEngine::Suspend()
{
    // The next frame's result becomes state 2; outside a join and background mode
    // the frame pump then gives the menu the screen back.
    m_host.SetPendingState(kEngineSuspended);
    m_host.EngineFrame(true);
}

void HostJoinEngine::Frame()
{
    m_host.EngineFrame(true);
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    if (m_pauseMs > 0)
        QThread::msleep(static_cast<unsigned long>(m_pauseMs));
}

// The launcher's own clock, not the engine's entry: an engine that quits mid-join
// takes its clock with it, and a deadline must be read on the clock it was set on.
double HostJoinEngine::Clock()
{
    return m_clock ? m_clock() : LauncherSeconds();
}

bool HostJoinEngine::Ending()
{
    return !m_host.Loaded() || TerminationSignals::Received();
}
