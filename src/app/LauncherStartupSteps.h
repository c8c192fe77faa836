#pragma once
// The start-up steps of the running program.
#include "app/StartupSteps.h"

class LauncherStartupSteps : public StartupSteps
{
public:
    void ReadVideoSettings() override;
    bool StartCdAudioAndBuildModes() override;
    void RunMainMenu() override;
};
