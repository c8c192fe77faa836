#include "app/settings/IntroChoice.h"

#include "app/settings/CommandLine.h"
#include "app/settings/SettingsStore.h"

bool IntroWanted()
{
    return !FindOption(kNoIntroOption) && GetSettingInt(kSettingsSection, kSkipIntroSetting, 0) == 0;
}
