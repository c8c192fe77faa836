#pragma once
// A join engine for tests: records what the join gives it and answers the status
// record from a script; its clock moves on by a fixed step with every frame, after
// which onFrame (when set) may change the script.
#include "app/menu/JoinEngine.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

class ScriptedJoinEngine : public JoinEngine
{
public:
    bool Loaded() override { return loaded; }
    bool Start() override
    {
        ++starts;
        if (startSucceeds) {
            loaded = true;
            state = 1;
        }
        return startSucceeds;
    }
    void AddCommandText(const std::string& text) override { commands.push_back(text); }
    std::string ConsoleVariable(const char* name) override { return variables[name]; }
    void SetConsoleVariable(const char* name, const std::string& value) override
    {
        variables[name] = value;
        shown[name].push_back(value);
    }
    void Notify(int code) override { notified.push_back(code); }
    EngineStatus Status() override { return status ? status(now) : EngineStatus{}; }
    void SetBusy(bool value) override { busy = value; }
    void SetBackground(bool value) override { background = value; }
    int State() override { return state; }
    void Suspend() override
    {
        state = 2;
        ++suspends;
    }
    void Frame() override
    {
        ++frames;
        now += step;
        if (onFrame)
            onFrame();
    }
    double Clock() override { return now; }
    bool Ending() override { return ending; }

    bool Sent(const std::string& text) const
    {
        for (const std::string& command : commands)
            if (command == text)
                return true;
        return false;
    }

    bool loaded = false;
    bool startSucceeds = true;
    int starts = 0;
    int state = 0;
    int frames = 0;
    int suspends = 0;
    bool busy = false;
    bool ending = false;
    bool background = false;
    double now = 100.0;
    double step = 0.1;
    std::function<EngineStatus(double)> status;
    std::function<void()> onFrame;
    std::vector<std::string> commands;
    std::vector<int> notified;
    std::map<std::string, std::string> variables;
    std::map<std::string, std::vector<std::string>> shown;
};
