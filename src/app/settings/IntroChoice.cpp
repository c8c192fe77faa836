#include "app/IntroChoice.h"

#include "app/CommandLine.h"
#include "app/SettingsStore.h"

bool IntroWanted()
{
    return !FindOption(kNoIntroOption) && GetSettingInt(kSettingsSection, kSkipIntroSetting, 0) == 0;
}
