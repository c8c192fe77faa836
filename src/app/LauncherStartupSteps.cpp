#include "app/LauncherStartupSteps.h"

#include "app/ButtonStrip.h"
#include "app/CKSMainDlg.h"
#include "app/ColourList.h"
#include "app/EngineHost.h"
#include "app/HostChecks.h"
#include "app/LauncherServiceTable.h"
#include "app/LauncherState.h"
#include "app/QtEngineDisplay.h"
#include "app/ServiceAddressList.h"
#include "app/StringList.h"
#include "app/VideoDisplay.h"
#include "app/VideoSettings.h"
#include "browser/BrowserMenuActions.h"
#include "browser/BrowserQuickStartSource.h"
#include "ui/CKSInputDlg.h"
#include "ui/CKSPromptDlg.h"
#include "ui/InputPrompt.h"

void LauncherStartupSteps::LoadStringAndColourLists()
{
    LoadColourList();
    LoadStringList();
}

void LauncherStartupSteps::LoadButtonStrip()
{
    ::LoadButtonStrip();
}

void LauncherStartupSteps::LoadServiceAddresses()
{
    ::LoadServiceAddresses();
}

void LauncherStartupSteps::ReadVideoSettings()
{
    ::ReadVideoSettings();
}

bool LauncherStartupSteps::StartCdAudioAndBuildModes()
{
    // The heap the host checks just allocated has this size.
    BuildModeList(EngineHeapSize(PhysicalMemory()));
    return true;
}

void LauncherStartupSteps::RunMainMenu()
{
    InstallBrowserQuickStart();
    SkinnedPrompt prompt;
    SetPrompt(&prompt);
    SkinnedInputPrompt input;
    SetInputPrompt(&input);
    InstallBrowserMenuActions();
    {
        CKSMainDlg menu;
        menu.DoModal();
    }
    SetInputPrompt(nullptr);
    SetPrompt(nullptr);
}

void LauncherStartupSteps::FillEngineServiceTable()
{
    FillLauncherServiceTable();
}

void LauncherStartupSteps::ShutDown()
{
    // Both go while the application object still exists: the engine library and
    // its window use the toolkit.
    StopEngine();
    TheEngineDisplay().DestroyEngineWindow();
    MainButtonStrip().Free();
}
