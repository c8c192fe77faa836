// The main menu window on the offscreen platform, over the launcher's engine host
// with the real stand-in engine.
#include "app/dialogs/CKSMainDlg.h"
#include "app/engine/EngineCommands.h"
#include "app/engine/EngineHost.h"
#include "app/engine/QtEngineDisplay.h"
#include "app/files/DocumentOpener.h"
#include "app/menu/MenuCommandQueue.h"
#include "app/settings/CommandLine.h"
#include "app/settings/LauncherState.h"
#include "app/text/StringList.h"
#include "peer/PeerGameServer.h"
#include "support/LauncherEngine.h"
#include "support/RecordingPrompt.h"
#include "support/SearchTree.h"
#include "support/TempTree.h"
#include "ui/CODBlendBtn.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTimer>
#include <QtTest/QTest>
#include <gtest/gtest.h>

#include "MenuTestSkin.h"

namespace {

class MainMenuDialogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        InstallMenuTestSkin();
        UseLauncherEngine();
        Launcher().updaterFlag = 0;
        UseCommandLine("kestrel -game vrel");
        // The engine runs from the base directory, where it finds the maps it plays.
        for (const char* map : {"windward", "ashfall"})
            tree.Write(QString("harrow/maps/%1.bsp").arg(map), "map");
        m_previousDirectory = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(tree.Path()));
    }

    void TearDown() override
    {
        menu.reset();
        StopEngine();
        TheEngineDisplay().DestroyEngineWindow();
        Launcher().updaterFlag = 0;
        EffectiveCommandLine() = CommandLine();
        QDir::setCurrent(m_previousDirectory);
    }

    static void UseCommandLine(const std::string& line) { EffectiveCommandLine() = CommandLine(line); }

    CKSMainDlg& OpenMenu()
    {
        menu = std::make_unique<CKSMainDlg>();
        menu->show();
        return *menu;
    }

    // Runs the menu's idle processing and the event loop until done() or time runs out.
    bool IdleUntil(const std::function<bool()>& done, int timeoutMs = 3000)
    {
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < timeoutMs) {
            menu->OnIdle();
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            if (done())
                return true;
        }
        return false;
    }

    // Starts the engine and connects it to a peer game server.
    void JoinPeer()
    {
        GameServerConfig config;
        config.port = 0;
        server = std::make_unique<PeerGameServer>(config);
        ASSERT_TRUE(server->Start());
        EngineHost& host = TheEngineHost();
        ASSERT_EQ(host.StartEngine(false), 1);
        host.AddCommandText(JoinCommand("Ann", "127.0.0.1", server->Port()));
        ASSERT_TRUE(IdleUntil([&] { return host.Status().connectionState == kConnectionPlaying; }));
        // The player goes back to the menu.
        host.SetPendingState(kEngineSuspended);
        host.EngineFrame(true);
        ASSERT_EQ(host.State(), kEngineSuspended);
    }

    bool Shown(int id) const { return !menu->Button(id)->isHidden(); }

    TempTree tree;
    RecordingPrompt prompt;
    std::unique_ptr<CKSMainDlg> menu;
    std::unique_ptr<PeerGameServer> server;

private:
    QString m_previousDirectory;
};

TEST_F(MainMenuDialogTest, ReturnToGameShownOnlyWhileAGameIsInProgress)
{
    OpenMenu();
    menu->OnIdle();
    EXPECT_FALSE(Shown(kMenuReturnToGame));
    EXPECT_TRUE(Shown(kMenuReadme));
    JoinPeer();
    menu->OnIdle();
    EXPECT_TRUE(menu->GameInProgress());
    EXPECT_TRUE(Shown(kMenuReturnToGame));
    EXPECT_FALSE(Shown(kMenuReadme));
    // The shown buttons stand one under another without overlapping.
    int lastBottom = 0;
    for (int id : menu->Model().VisibleChoices(true)) {
        EXPECT_GE(menu->Button(id)->y(), lastBottom) << id;
        lastBottom = menu->Button(id)->geometry().bottom();
    }
    EXPECT_LE(lastBottom, menu->height());
}

TEST_F(MainMenuDialogTest, ConsoleShownOnlyWithTheConsoleOption)
{
    OpenMenu();
    EXPECT_FALSE(Shown(kMenuConsole));
    menu.reset();
    UseCommandLine("kestrel -console -game vrel");
    OpenMenu();
    EXPECT_TRUE(Shown(kMenuConsole));
    QTest::mouseClick(menu->Button(kMenuConsole), Qt::LeftButton);
    EXPECT_EQ(TheEngineHost().State(), kEngineRunning);
    EXPECT_TRUE(TheEngineHost().Loaded());
}

TEST_F(MainMenuDialogTest, CornerButtonsAndVersionText)
{
    OpenMenu();
    EXPECT_EQ(menu->windowTitle(), "Kestrel");
    EXPECT_EQ(menu->Button(kMenuMinimise)->geometry(), QRect(menu->width() - 48, 10, 19, 19));
    EXPECT_EQ(menu->Button(kMenuClose)->geometry(), QRect(menu->width() - 29, 10, 19, 19));
    EXPECT_EQ(menu->size(), QSize(Launcher().launcherWidth, Launcher().launcherHeight));
}

TEST_F(MainMenuDialogTest, EscapeQuitsWithoutAGame)
{
    UseCommandLine("kestrel -noprompt -game vrel");
    OpenMenu();
    QTest::keyClick(menu.get(), Qt::Key_Escape);
    EXPECT_TRUE(menu->isVisible()) << "quitting waits for the first idle moment";
    menu->OnIdle();
    QTest::keyClick(menu.get(), Qt::Key_Escape);
    EXPECT_FALSE(menu->isVisible());
    EXPECT_EQ(menu->result(), QDialog::Accepted);
    EXPECT_TRUE(prompt.Texts().empty());
}

TEST_F(MainMenuDialogTest, EscapeResumesAGameInProgress)
{
    OpenMenu();
    JoinPeer();
    menu->OnIdle();
    QTest::keyClick(menu.get(), Qt::Key_Escape);
    EXPECT_EQ(TheEngineHost().State(), kEngineRunning);
    EXPECT_TRUE(TheEngineDisplay().EngineWindowVisible());
    EXPECT_TRUE(prompt.Texts().empty());
}

TEST_F(MainMenuDialogTest, QuitAsksAndNoKeepsTheMenu)
{
    OpenMenu();
    menu->OnIdle();
    prompt.SetAnswer(kPromptSecond);
    QTest::mouseClick(menu->Button(kMenuQuit), Qt::LeftButton);
    ASSERT_EQ(prompt.Texts().size(), 1u);
    EXPECT_EQ(prompt.Texts()[0], GetString(236));
    EXPECT_TRUE(menu->isVisible());

    JoinPeer();
    prompt.SetAnswer(kPromptFirst);
    QTest::mouseClick(menu->Button(kMenuClose), Qt::LeftButton);
    ASSERT_EQ(prompt.Texts().size(), 2u);
    EXPECT_EQ(prompt.Texts()[1], GetString(235));
    EXPECT_FALSE(menu->isVisible());
    EXPECT_FALSE(TheEngineHost().Loaded());
    EXPECT_EQ(TheEngineHost().State(), kEngineNoGame);
    EXPECT_TRUE(IdleUntil([&] { return server->State().PlayerCount() == 0; }, 2000));
}

TEST_F(MainMenuDialogTest, UpdaterFlagQuitsAtTheNextIdleMomentWithoutAsking)
{
    OpenMenu();
    Launcher().updaterFlag = 1;
    menu->OnIdle();
    EXPECT_FALSE(menu->isVisible());
    EXPECT_TRUE(prompt.Texts().empty());
}

TEST_F(MainMenuDialogTest, RefusingTheQuitClearsTheUpdaterFlag)
{
    OpenMenu();
    JoinPeer();
    Launcher().updaterFlag = 1;
    prompt.SetAnswer(kPromptSecond);
    menu->OnIdle();
    ASSERT_EQ(prompt.Texts().size(), 1u);
    EXPECT_EQ(prompt.Texts()[0], GetString(235));
    EXPECT_EQ(Launcher().updaterFlag, 0);
    EXPECT_TRUE(menu->isVisible());
}

TEST_F(MainMenuDialogTest, QuickStartWithoutAServerListReportsNoServer)
{
    OpenMenu();
    QTest::mouseClick(menu->Button(kMenuQuickStart), Qt::LeftButton);
    ASSERT_EQ(prompt.Texts().size(), 1u);
    EXPECT_EQ(prompt.Texts()[0], GetString(350));
    EXPECT_NE(TheEngineHost().State(), kEngineRunning);
    EXPECT_FALSE(menu->GameInProgress());
}

TEST_F(MainMenuDialogTest, QueuedCommandStartsTheEngineAtTheNextIdleMoment)
{
    OpenMenu();
    menu->OnIdle();
    EXPECT_FALSE(TheEngineHost().Loaded());
    QueueMenuCommand("map windward\n");
    menu->OnIdle();
    EXPECT_TRUE(TheEngineHost().Loaded());
    EXPECT_EQ(TheEngineHost().State(), kEngineRunning);
    EXPECT_TRUE(TakeMenuCommand().empty());
}

TEST_F(MainMenuDialogTest, EngineTakingTheScreenKeepsTheMenuRunning)
{
    UseCommandLine("kestrel -noprompt +map ashfall -game vrel");
    menu = std::make_unique<CKSMainDlg>();
    bool engineHadTheScreen = false;
    QElapsedTimer timer;
    timer.start();
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (TheEngineHost().State() == kEngineRunning && !menu->isVisible())
            engineHadTheScreen = true;
        if (engineHadTheScreen || timer.elapsed() > 3000)
            menu->Choose(kMenuQuit);
    });
    poll.start(20);
    EXPECT_EQ(menu->DoModal(), QDialog::Accepted);
    EXPECT_TRUE(engineHadTheScreen);
    EXPECT_FALSE(TheEngineHost().Loaded());
}

// "View Readme" opens the game directory's read-me, else the one in the base directory.
TEST_F(MainMenuDialogTest, ViewReadmeFindsTheReadmeOfTheGameDirectory)
{
    SearchTree tree;
    std::vector<std::string> opened;
    SetDocumentOpener([&](const std::string& path) {
        opened.push_back(QFileInfo(QString::fromStdString(path)).canonicalFilePath().toStdString());
        return QFileInfo(QString::fromStdString(path)).isFile();
    });
    struct RestoreOpener
    {
        ~RestoreOpener() { SetDocumentOpener({}); }
    } restore;
    const auto canonical = [](const QString& path) { return QFileInfo(path).canonicalFilePath().toStdString(); };
    OpenMenu();
    menu->OnIdle();

    tree.Tree().Write("readme.txt", "the launcher's read-me");
    QTest::mouseClick(menu->Button(kMenuReadme), Qt::LeftButton);
    tree.WriteGame("readme.txt", "the game's read-me");
    QTest::mouseClick(menu->Button(kMenuReadme), Qt::LeftButton);

    EXPECT_EQ(opened, (std::vector<std::string>{canonical(tree.Tree().Abs("readme.txt")),
                                                canonical(tree.GameDirectory() + "/readme.txt")}));
    EXPECT_TRUE(prompt.Texts().empty()); // no message 90
}

} // namespace
