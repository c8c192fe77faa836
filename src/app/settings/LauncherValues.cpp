#include "app/settings/LauncherValues.h"

#include "app/settings/CommandLine.h"
#include "app/settings/LauncherState.h"
#include "app/settings/SettingsStore.h"
#include "platform/NumberText.h"

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
    if (FindOption("-lw", &value) && ParseInt(value) > 0)
        state.launcherWidth = ParseInt(value);
    if (FindOption("-lh", &value) && ParseInt(value) > 0)
        state.launcherHeight = ParseInt(value);
}
