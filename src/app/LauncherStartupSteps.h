#pragma once
// The start-up steps of the running program.
#include "app/StartupSteps.h"

class LauncherStartupSteps : public StartupSteps
{
public:
    void LoadStringAndColourLists() override;
    void LoadButtonStrip() override;
    void LoadServiceAddresses() override;
    void ReadVideoSettings() override;
    bool CreatePlayerProfile() override;
    void FillEngineServiceTable() override;
    void HandEngineMemory(void* block, uint64_t size) override;
    bool StartCdAudioAndBuildModes() override;
    void RunMainMenu() override;
    void ShutDown() override;
};
