#pragma once
// The start-up steps of the running program.
#include "app/StartupSteps.h"

class LauncherStartupSteps : public StartupSteps
{
public:
    void ReadVideoSettings() override;
    void FillEngineServiceTable() override;
    void ShutDown() override;
    void RunMainMenu() override;
};
