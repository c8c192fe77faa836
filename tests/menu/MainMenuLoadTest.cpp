// A saved game chosen in the load list reaches the real stand-in engine through the
// main menu's command queue.
#include "app/dialogs/CKSMainDlg.h"
#include "app/engine/EngineCommands.h"
#include "app/engine/EngineHost.h"
#include "app/engine/QtEngineDisplay.h"
#include "app/menu/MenuCommandQueue.h"
#include "app/saves/SaveGameWriter.h"
#include "app/settings/CommandLine.h"
#include "app/settings/LauncherState.h"
#include "support/RecordingPrompt.h"
#include "support/TempTree.h"

#include <QCoreApplication>
#include <QDir>
#include <gtest/gtest.h>

#include "MenuTestSkin.h"
#include "support/LauncherEngine.h"

namespace {

class MainMenuLoadTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        InstallMenuTestSkin();
        UseLauncherEngine();
        Launcher().updaterFlag = 0;
        EffectiveCommandLine() = CommandLine("kestrel -game vrel");
        m_previousDirectory = QDir::currentPath();
        // The engine finds the game directory from the working directory, as under
        // the launcher, which works from its base directory.
        ASSERT_TRUE(QDir::setCurrent(tree.Path()));
        menu = std::make_unique<CKSMainDlg>();
        menu->show();
        menu->OnIdle();
    }

    void TearDown() override
    {
        menu.reset();
        StopEngine();
        TheEngineDisplay().DestroyEngineWindow();
        EffectiveCommandLine() = CommandLine();
        QDir::setCurrent(m_previousDirectory);
    }

    TempTree tree;
    RecordingPrompt prompt;
    std::unique_ptr<CKSMainDlg> menu;

private:
    QString m_previousDirectory;
};

TEST_F(MainMenuLoadTest, SavedGameStartsItsMap)
{
    SaveGameInfo info;
    info.mapName = "hollowspire";
    info.comment = SaveComment("At the spire", 95);
    tree.Write("harrow/maps/hollowspire.bsp", "map");
    ASSERT_TRUE(WriteSaveGame(tree.PathStd() + "/vrel/SAVE/Kestrel-000.sav", info));
    QueueMenuCommand(LoadCommand("Kestrel-000.sav"));
    menu->OnIdle();
    EngineHost& host = TheEngineHost();
    EXPECT_EQ(host.State(), kEngineRunning);
    EXPECT_EQ(host.Status().connectionState, kConnectionPlaying);
    EXPECT_FALSE(menu->isVisible());
}

TEST_F(MainMenuLoadTest, MissingSaveIsReportedAndTheMenuStays)
{
    QueueMenuCommand(LoadCommand("Kestrel-007.sav"));
    for (int i = 0; i < 3; ++i)
        menu->OnIdle();
    EngineHost& host = TheEngineHost();
    EXPECT_TRUE(host.Loaded());
    EXPECT_EQ(host.State(), kEngineSuspended);
    EXPECT_NE(host.Status().text.find("Kestrel-007.sav"), std::string::npos);
    EXPECT_TRUE(menu->isVisible());
    EXPECT_FALSE(menu->GameInProgress());
}

} // namespace
