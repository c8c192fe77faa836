// The custom games: the list with offered and installed games and their counts, the
// download window while it runs, the install question and the download notice.
#include "Shot.h"

#include "app/dialogs/CConfigDlg.h"
#include "app/settings/LauncherState.h"
#include "app/text/StringList.h"
#include "mods/catalogue/ModCatalogue.h"
#include "mods/catalogue/ModDialogLogic.h"
#include "mods/dialogs/CModDownloadDlg.h"
#include "mods/dialogs/CModNoticeDlg.h"
#include "mods/dialogs/CModsDlg.h"
#include "mods/download/ModDownload.h"
#include "ui/CKSPromptDlg.h"

namespace {

CModRecord Offered(const char* game, const char* gamedir, const char* version, const char* size,
                   const char* rating, const char* type, const char* url)
{
    CModRecord record;
    record.SetKey("game", game);
    record.SetKey("gamedir", gamedir);
    record.SetKey("version", version);
    record.SetKey("size", size);
    record.SetKey("rating", rating);
    record.SetKey("type", type);
    record.SetKey("url_dl", url);
    return record;
}

void SetCount(ModList& list, const char* gamedir, const char* servers, const char* players)
{
    if (CModRecord* record = FindModByDir(list, gamedir)) {
        record->SetKey("servers", servers);
        record->SetKey("players", players);
    }
}

CModRecord Sample()
{
    return Offered("Skyline", "skyline", "2", "14.2", "5", "multiplayer_only", "ftp.example.org/games/skyline");
}

} // namespace

void AddModShots(std::vector<Shot>& shots)
{
    CConfigDlg::AddPage("Custom games", [](QWidget*) {});
    shots.push_back({"custom_games", [] {
                         ScanInstalledMods(Launcher().baseDirectory);
                         auto dialog = std::make_unique<CModsDlg>(nullptr, false);
                         ModList offered;
                         offered.push_back(Offered("Ridgeline", "ridgeline", "3", "48.5", "4", "teamplay",
                                                   "127.0.0.1:27121/ridgeline"));
                         offered.push_back(Offered("Canyon Run", "canyon", "2", "12.0", "3", "",
                                                   "http://127.0.0.1:27180/dl/canyon.zip"));
                         offered.push_back(Sample());
                         offered.push_back(Offered("Harbour Siege", "siege", "7", "96.1", "2", "teamplay",
                                                   "http://127.0.0.1:27180/dl/siege.zip"));
                         dialog->ShowOffered(offered);
                         SetCount(dialog->List(), "ridgeline", "4", "23");
                         SetCount(dialog->List(), "skyline", "2", "9");
                         SetCount(dialog->List(), "canyon", "1", "0");
                         dialog->Redraw();
                         return std::unique_ptr<QWidget>(std::move(dialog));
                     }});
    shots.push_back({"custom_game_download", [] {
                         auto dialog = std::make_unique<CModDownloadDlg>(Sample(), Launcher().baseDirectory);
                         dialog->ShowSample(FormatString(ModDownload::kMsgStarting, "Skyline",
                                                         "ftp.example.org/games/skyline"),
                                            42, 12.4);
                         return std::unique_ptr<QWidget>(std::move(dialog));
                     }});
    shots.push_back({"custom_game_install", [] {
                         return std::unique_ptr<QWidget>(std::make_unique<CKSPromptDlg>(
                             FormatString(ModDownload::kMsgInstall, "skyline.zip"), PromptButtons::YesNo));
                     }});
    shots.push_back({"custom_game_notice", [] {
                         const std::optional<std::string> text = DownloadNoticeText();
                         return std::unique_ptr<QWidget>(std::make_unique<CModNoticeDlg>(text.value_or("")));
                     }});
}
