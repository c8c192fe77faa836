// The player configuration's pages: controls (also while a key is being captured),
// audio, game options and the user information dialog, on the demo world's config.cfg.
#include "Shot.h"

#include "config/dialogs/CAudioDlg.h"
#include "config/dialogs/CGameOptionsDlg.h"
#include "config/dialogs/CKeyboardDlg.h"
#include "config/dialogs/CSetInfoDlg.h"
#include "config/dialogs/ConfigPages.h"
#include "config/dialogs/KeyBindingList.h"
#include "config/player/PlayerConfig.h"
#include "config/player/PlayerConfigStore.h"

namespace {

void PreparePlayerConfig()
{
    if (!ThePlayerConfig())
        LoadPlayerConfig();
}

template <typename Dialog>
Shot PageShot(const char* name)
{
    return {name, [] {
                PreparePlayerConfig();
                return std::unique_ptr<QWidget>(std::make_unique<Dialog>());
            }};
}

} // namespace

void AddConfigShots(std::vector<Shot>& shots)
{
    // The configuration dialog's own shot shows these pages' buttons too.
    InstallConfigPages();
    shots.push_back(PageShot<CKeyboardDlg>("controls"));
    shots.push_back({"controls_capture", [] {
                         PreparePlayerConfig();
                         auto dialog = std::make_unique<CKeyboardDlg>();
                         dialog->List()->Select(3, 2);
                         dialog->List()->StartCapture();
                         return std::unique_ptr<QWidget>(std::move(dialog));
                     }});
    shots.push_back(PageShot<CAudioDlg>("audio"));
    shots.push_back(PageShot<CGameOptionsDlg>("game_options"));
    shots.push_back(PageShot<CSetInfoDlg>("user_info"));
}
