#include "mods/dialogs/ModsStartup.h"

#include "app/dialogs/CConfigDlg.h"
#include "app/engine/EngineHost.h"
#include "app/menu/MainMenuModel.h"
#include "app/settings/LauncherState.h"
#include "config/player/PlayerConfigStore.h"
#include "mods/catalogue/ModCatalogue.h"
#include "mods/dialogs/CModsDlg.h"

void InstallCustomGames()
{
    ScanInstalledMods(Launcher().baseDirectory);
    ModHooks& hooks = CurrentModHooks();
    hooks.gameInProgress = [] {
        EngineHost& host = TheEngineHost();
        const int connection = host.Loaded() ? host.Status().connectionState : 0;
        return MainMenuModel::GameInProgress(MainMenuModel::Situation(host.State(), connection));
    };
    hooks.endGame = [] {
        TheEngineHost().AddCommandText("disconnect\n");
        EngineFrame(true);
    };
    // Saved while the old game directory is still in force.
    hooks.savePlayerConfig = [] { SavePlayerConfig(); };
    CConfigDlg::AddPage("Custom games", [](QWidget* owner) {
        CModsDlg dialog(owner);
        dialog.DoModal();
    });
}

void SetCustomGameMenuRefresh(std::function<void()> refresh)
{
    CurrentModHooks().refreshMenu = std::move(refresh);
}
