// The main menu and the dialogs it opens: configuration, video menu, video mode,
// video options, and the saved-game lists (with a few saves written into the world).
#include "Shot.h"

#include "app/dialogs/CConfigDlg.h"
#include "app/dialogs/CKSMainDlg.h"
#include "app/dialogs/CLoadDlg.h"
#include "app/dialogs/CSaveDlg.h"
#include "app/dialogs/CVidModeDlg.h"
#include "app/dialogs/CVidSelectDlg.h"
#include "app/dialogs/CVideoDlg.h"
#include "app/saves/SaveGameWriter.h"
#include "app/saves/SavedGameList.h"
#include "app/settings/HostChecks.h"
#include "app/settings/LauncherState.h"
#include "app/text/ButtonStrip.h"
#include "app/video/VideoDisplay.h"
#include "app/video/VideoSettings.h"

#include <QFile>

namespace {

void PrepareVideo()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    ReadVideoSettings();
    BuildModeList(EngineHeapSize(uint64_t(256) << 20)); // a 256 MB machine offers every mode
}

void WriteSampleSaves()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    const std::string folder = SaveFolder();
    const struct
    {
        const char* file;
        const char* map;
        const char* title;
        int seconds;
    } saves[] = {{"quick.sav", "windward", "Windward - the lighthouse", 754},
                 {"autosave.sav", "windward", "Windward - harbour gate", 391},
                 {"Kestrel-000.sav", "windward", "Before the cliff path", 1325},
                 {"Kestrel-001.sav", "windward", "Storm over the saltworks", 2710}};
    for (const auto& save : saves) {
        SaveGameInfo info;
        info.mapName = save.map;
        info.comment = SaveComment(save.title, save.seconds);
        info.elapsedSeconds = float(save.seconds);
        info.payload = "demo";
        const std::string path = folder + save.file;
        if (!QFile::exists(QString::fromStdString(path)))
            WriteSaveGame(path, info);
    }
}

} // namespace

void AddMenuShots(std::vector<Shot>& shots)
{
    shots.push_back({"main_menu",
                     [] {
                         if (!MainButtonStrip().Loaded())
                             LoadButtonStrip();
                         return std::unique_ptr<QWidget>(std::make_unique<CKSMainDlg>());
                     },
                     false});
    shots.push_back({"config", [] { return std::unique_ptr<QWidget>(std::make_unique<CConfigDlg>()); }});
    shots.push_back({"video_menu", [] { return std::unique_ptr<QWidget>(std::make_unique<CVidSelectDlg>()); }});
    shots.push_back({"video_mode", [] {
                         PrepareVideo();
                         return std::unique_ptr<QWidget>(std::make_unique<CVidModeDlg>());
                     }});
    shots.push_back({"video_options", [] { return std::unique_ptr<QWidget>(std::make_unique<CVideoDlg>()); }});
    shots.push_back({"load_game", [] {
                         WriteSampleSaves();
                         return std::unique_ptr<QWidget>(std::make_unique<CLoadDlg>());
                     }});
    shots.push_back({"save_game", [] {
                         WriteSampleSaves();
                         return std::unique_ptr<QWidget>(std::make_unique<CSaveDlg>());
                     }});
}
