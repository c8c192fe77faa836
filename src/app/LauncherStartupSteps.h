#pragma once
// The start-up steps of the running program.
#include "app/StartupSteps.h"

class LauncherStartupSteps : public StartupSteps
{
public:
    void ReadVideoSettings() override;
    void RunMainMenu() override;
};
