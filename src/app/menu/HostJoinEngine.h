#pragma once
// The join's view of an engine host. Each frame also runs the thread's pending events,
// so that sockets on the same event loop (the engine's, the browser's) make progress
// while a join waits.
#include "app/menu/JoinEngine.h"

#include <functional>

class EngineHost;

class HostJoinEngine : public JoinEngine
{
public:
    // Pause after each frame, so that a waiting join does not spin the processor.
    static constexpr int kFramePauseMs = 5;

    explicit HostJoinEngine(EngineHost& host) : m_host(host) {}

    // Replaces the clock (tests); an empty function restores the launcher clock.
    void SetClock(std::function<double()> clock) { m_clock = std::move(clock); }
    void SetFramePause(int milliseconds) { m_pauseMs = milliseconds; }

    bool Loaded() override;
    bool Start() override;
    void AddCommandText(const std::string& text) override;
    std::string ConsoleVariable(const char* name) override;
    void SetConsoleVariable(const char* name, const std::string& value) override;
    void Notify(int code) override;
    EngineStatus Status() override;
    void SetBusy(bool busy) override;
    void SetBackground(bool background) override;
    int State() override;
    void Suspend() override;
    void Frame() override;
    double Clock() override;
    bool Ending() override;

private:
    EngineHost& m_host;
    std::function<double()> m_clock;
    int m_pauseMs = kFramePauseMs;
};
