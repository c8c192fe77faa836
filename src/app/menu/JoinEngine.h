#pragma once
// What a join needs from the engine host: starting it, command text, console
// variables, the status record, frames and the clock. The launcher's engine host
// stands behind it (HostJoinEngine); tests script it.
#include "app/engine/EngineStatus.h"

#include <string>

class JoinEngine
{
public:
    virtual ~JoinEngine() = default;

    virtual bool Loaded() = 0;
    // StartEngine (0): loads and starts the engine and gives it the screen.
    virtual bool Start() = 0;
    virtual void AddCommandText(const std::string& text) = 0;
    virtual std::string ConsoleVariable(const char* name) = 0;
    virtual void SetConsoleVariable(const char* name, const std::string& value) = 0;
    virtual void Notify(int code) = 0;
    virtual EngineStatus Status() = 0;
    virtual void SetBusy(bool busy) = 0;
    virtual void SetBackground(bool background) = 0;
    virtual int State() = 0;
    // Puts the engine behind the menu (state 2) and gives the menu the screen.
    virtual void Suspend() = 0;
    // One forced engine frame, then the waiting network and window events.
    virtual void Frame() = 0;
    // Seconds on one clock that runs through the whole join, whether or not an engine
    // stays loaded.
    virtual double Clock() = 0;
    // The engine quit (it is no longer loaded) or the launcher is ending: the join
    // stops at once.
    virtual bool Ending() = 0;
};
