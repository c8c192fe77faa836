#include "app/LauncherStartupSteps.h"

#include "app/dialogs/CKSMainDlg.h"
#include "app/engine/EngineHost.h"
#include "app/engine/LauncherServiceTable.h"
#include "app/engine/QtEngineDisplay.h"
#include "app/settings/CommandLine.h"
#include "app/settings/HostChecks.h"
#include "app/settings/IntroChoice.h"
#include "app/settings/LauncherState.h"
#include "app/text/ButtonStrip.h"
#include "app/text/ColourList.h"
#include "app/text/Messages.h"
#include "app/text/Prompt.h"
#include "app/text/ServiceAddressList.h"
#include "app/text/StringList.h"
#include "app/video/LauncherIntroDisplay.h"
#include "app/video/VideoDisplay.h"
#include "app/video/VideoSettings.h"
#include "app/video/VideoState.h"
#include "browser/dialogs/BrowserMenuActions.h"
#include "browser/list/BrowserQuickStartSource.h"
#include "browser/query/MaxInFlight.h"
#include "config/cdaudio/LauncherCdAudio.h"
#include "config/dialogs/CCreateServerDlg.h"
#include "config/dialogs/CPlayerProfileDlg.h"
#include "config/dialogs/ConfigPages.h"
#include "config/player/AlsaVoiceInputLevel.h"
#include "config/player/PlayerConfig.h"
#include "config/player/PlayerConfigStore.h"
#include "config/player/PlayerRecord.h"
#include "mods/dialogs/ModsStartup.h"
#include "platform/NumberText.h"
#include "ui/InputPrompt.h"
#include "ui/IntroWindow.h"
#include "ui/QtVideoPlayer.h"
#include "ui/ShellSetup.h"
#include "ui/SoundOutput.h"

void LauncherStartupSteps::LoadStringAndColourLists()
{
    LoadColourList();
    LoadStringList();
}

void LauncherStartupSteps::LoadButtonStrip()
{
    ::LoadButtonStrip();
}

void LauncherStartupSteps::RebuildCustomGames()
{
    InstallCustomGames();
}

void LauncherStartupSteps::LoadServiceAddresses()
{
    ::LoadServiceAddresses();
}

void LauncherStartupSteps::ReadVideoSettings()
{
    ::ReadVideoSettings();
}

bool LauncherStartupSteps::CreatePlayerProfile()
{
    CreatePlayerRecord();
    if (LoadPlayerConfig()) {
        SetPlayerConnectionRate(TruncateToInt(double(ThePlayerConfig()->rate)));
        return true;
    }
    ShowMessage(15);
    return false;
}

bool LauncherStartupSteps::StartCdAudioAndBuildModes()
{
    StartLauncherCdAudio();
    // The heap the host checks just allocated has this size.
    BuildModeList(EngineHeapSize(PhysicalMemory()));
    return true;
}

void LauncherStartupSteps::RunMainMenu()
{
    // Skinned prompts, the audio device for the menu sounds and the intro's display,
    // now that the skin and string lists are loaded; then the server browser's menu
    // choices, quick start and creating servers.
    InstallSkinnedShell();
    InstallIntroDisplay();
    TheEngineDisplay().SetWindowed(Video().windowed);
    InstallBrowserQuickStart();
    InstallBrowserMenuActions();
    CCreateServerDlg::Install();
    InstallConfigPages();
    CPlayerProfileDlg::Install();
    AlsaVoiceInputLevel voiceInput;
    SetVoiceInputLevel(&voiceInput);
    if (FindOption("-console") && SetConfigValue(kPlayerConfigFile, "console", "1.0", false))
        ReloadPlayerVariables();
    {
        CKSMainDlg menu;
        SetCustomGameMenuRefresh([&menu] { menu.RefreshButtons(); });
        if (!menu.DisplayFailed()) {
            // The intro plays before the menu, which it shows when it ends. Without a
            // screen to play on (offscreen, minimal), or when the player skips it
            // ("-nointro", "Skip Intro"), it is left out and the menu opens.
            if (CanPlayIntro() && IntroWanted()) {
                QtVideoPlayer player;
                RunIntro(player, [&menu] {
                    menu.show();
                    menu.raise();
                    menu.activateWindow();
                });
            }
            menu.DoModal();
        }
    }
    SetCustomGameMenuRefresh(nullptr);
    SetSoundOutput(nullptr);
    SetVoiceInputLevel(nullptr);
    SetInputPrompt(nullptr);
    SetPrompt(nullptr);
}

void LauncherStartupSteps::FillEngineServiceTable()
{
    FillLauncherServiceTable();
}

void LauncherStartupSteps::HandEngineMemory(void* block, uint64_t size)
{
    TheEngineHost().SetEngineMemory(block, size_t(size));
}

void LauncherStartupSteps::ShutDown()
{
    // Both go while the application object still exists: the engine library and
    // its window use the toolkit.
    StopEngine();
    StopLauncherCdAudio();
    TheEngineDisplay().DestroyEngineWindow();
    MainButtonStrip().Free();
}
