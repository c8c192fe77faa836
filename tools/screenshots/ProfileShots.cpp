// The player profile dialog on the demo world: the kestrel logo tinted orange.
#include "Shot.h"

#include "config/dialogs/CPlayerProfileDlg.h"
#include "config/player/PlayerConfigStore.h"
#include "config/player/PlayerProfile.h"
#include "config/player/PlayerRecord.h"

void AddProfileShots(std::vector<Shot>& shots)
{
    shots.push_back({"player_profile", [] {
                         if (!ThePlayerConfig())
                             LoadPlayerConfig();
                         CreatePlayerRecord();
                         ThePlayerRecord()->logo = "kestrel.bmp";
                         ThePlayerRecord()->logoColour = "Orange";
                         static PlayerProfile profile;
                         profile.Open();
                         return std::unique_ptr<QWidget>(std::make_unique<CPlayerProfileDlg>(profile));
                     }});
}
