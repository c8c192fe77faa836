#include "app/LauncherValues.h"

#include "app/CommandLine.h"
#include "app/LauncherState.h"
#include "app/SettingsStore.h"

#include <cstdlib>

void ReadLauncherValues()
{
    LauncherState& state = Launcher();
    if (FindOption("wipe")) {
        state.launcherBpp = 16;
        state.launcherWidth = 640;
        state.launcherHeight = 480;
    } else {
        state.launcherBpp = GetSettingInt(kSettingsSection, "LauncherBPP", 16);
        state.launcherWidth = GetSettingInt(kSettingsSection, "LauncherWidth", 640);
        state.launcherHeight = GetSettingInt(kSettingsSection, "LauncherHeight", 480);
    }
    SetSettingInt(kSettingsSection, "LauncherBPP", state.launcherBpp);
    SetSettingInt(kSettingsSection, "LauncherWidth", state.launcherWidth);
    SetSettingInt(kSettingsSection, "LauncherHeight", state.launcherHeight);

    std::string value;
    if (FindOption("-lw", &value) && std::atoi(value.c_str()) > 0)
        state.launcherWidth = std::atoi(value.c_str());
    if (FindOption("-lh", &value) && std::atoi(value.c_str()) > 0)
        state.launcherHeight = std::atoi(value.c_str());
}
