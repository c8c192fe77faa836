#pragma once
// The application object: runs the start-up sequence, the main menu and the
// shut-down, and owns the process-wide pieces taken on the way.
#include "app/StartupSteps.h"
#include "app/settings/HostChecks.h"

#include <memory>
#include <string>

class InstanceLock;

class CNetGameApp
{
public:
    // processCommandLine: the whole command line, program name included.
    // programDirectory: where the program and its engine libraries are.
    // baseDirectory: the folder that holds the game tree ("harrow", "vrel", ...).
    CNetGameApp(StartupSteps& steps, std::string processCommandLine, std::string programDirectory,
                std::string baseDirectory);
    ~CNetGameApp();

    // Start-up, main menu, shut-down. Returns the process exit code.
    int Run();

    // Which step start-up reached (0 before it ran); the menu ran when this is 29.
    int StepReached() const { return m_step; }
    const EngineHeap& Heap() const { return m_heap; }

private:
    bool StartUp();
    bool RunHostChecks();
    void ShutDown();
    void FinalCleanUp();

    StartupSteps& m_steps;
    std::string m_processCommandLine;
    std::unique_ptr<InstanceLock> m_lock;
    EngineHeap m_heap;
    int m_step = 0;
};
