#include "config/player/PlayerRecord.h"

#include "app/settings/LauncherState.h"
#include "app/settings/SettingsStore.h"
#include "config/player/LogoFile.h"

namespace {

std::optional<PlayerRecord>& Record()
{
    static std::optional<PlayerRecord> record;
    return record;
}

} // namespace

PlayerRecord* ThePlayerRecord()
{
    return Record() ? &*Record() : nullptr;
}

void CreatePlayerRecord()
{
    PlayerRecord record;
    record.favouritesFile = Launcher().baseDirectory + "/" + PlayerRecord::kFavouritesFile;
    record.logo = GetSettingString("Settings", PlayerRecord::kLogoSetting, kNoLogo);
    record.logoColour =
        GetSettingString("Settings", PlayerRecord::kLogoColourSetting, PlayerRecord::kDefaultLogoColour);
    Record() = std::move(record);
}

void SetPlayerRecord(std::optional<PlayerRecord> record)
{
    Record() = std::move(record);
}
