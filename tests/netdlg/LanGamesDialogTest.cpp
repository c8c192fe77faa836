// The LAN games dialog: a broadcast to ten ports of 127.0.0.1 finds the peer game
// servers there, the dialog lists those of this game with a measured ping, joins one
// through the join function, waits out of sight while the game runs and looks again
// when the player comes back; the two-second collection leaves the processor idle.
#include "NetDialogSkin.h"
#include "app/engine/EngineHost.h"
#include "app/engine/EngineInterface.h"
#include "app/engine/QtEngineDisplay.h"
#include "browser/dialogs/CLan.h"
#include "browser/dialogs/CNetGameDlg.h"
#include "browser/list/ServerListRows.h"
#include "browser/record/CServerInfo.h"
#include "peer/PeerGameServer.h"
#include "support/LauncherEngine.h"
#include "support/RecordingPrompt.h"
#include "support/TempTree.h"
#include "support/ThreadCpuTime.h"
#include "ui/CODKSListCtrl.h"
#include "ui/IdleWork.h"
#include "ui/ModalIdleLoop.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QTimer>
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <vector>

namespace {

// Each test scans ten ports of its own instead of the game ports, so that tests running
// at the same time (LAN discovery, the peers, the other test here) never answer it;
// below the range the system hands out for ephemeral ports.
constexpr int kGamePorts = 10;
int PortBlockOfThisTest()
{
    static const std::map<std::string, int> blocks{{"ListsServersOfThisGameWithTheirPingAndJoinsOne", 29115},
                                                   {"RefreshFindsAServerThatStartedLater", 29135},
                                                   {"BackFromAGameTheServersAreSearchedAgain", 29155},
                                                   {"CollectionWindowLeavesTheProcessorIdle", 29175}};
    const auto found = blocks.find(::testing::UnitTest::GetInstance()->current_test_info()->name());
    return found == blocks.end() ? 29195 : found->second;
}

class LanGamesDialog : public ::testing::Test
{
protected:
    void SetUp() override
    {
        InstallNetDialogSkin();
        UseLauncherEngine();
    }
    void TearDown() override
    {
        CNetGameDlg::SetJoinFunction(nullptr);
        StopEngine();
        TheEngineDisplay().DestroyEngineWindow();
    }

    // A peer server on the first free game port; false when every one is taken.
    bool StartOnGamePort(GameServerConfig config)
    {
        for (int i = 0; i < kGamePorts; ++i) {
            config.port = uint16_t(firstPort + i);
            auto server = std::make_unique<PeerGameServer>(config);
            if (server->Start()) {
                servers.push_back(std::move(server));
                return true;
            }
        }
        return false;
    }

    static bool RunUntil(const std::function<bool()>& done, int timeoutMs = 6000)
    {
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < timeoutMs) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            IdleWork::RunOnce();
            if (done())
                return true;
        }
        return false;
    }

    CNetGameDoc::Setup LoopbackSetup() const
    {
        CNetGameDoc::Setup setup = CLan::LanSetup();
        setup.lanTarget = QHostAddress(QHostAddress::LocalHost);
        setup.lanFirstPort = quint16(firstPort);
        return setup;
    }

    const int firstPort = PortBlockOfThisTest();
    ScopedSettingsFolder settings;
    RecordingPrompt prompt;
    std::vector<std::unique_ptr<PeerGameServer>> servers;
};

TEST_F(LanGamesDialog, ListsServersOfThisGameWithTheirPingAndJoinsOne)
{
    GameServerConfig ours;
    ours.name = "Office LAN";
    GameServerConfig other;
    other.name = "Other game";
    other.gameDir = "harrow";
    if (!StartOnGamePort(ours) || !StartOnGamePort(other))
        GTEST_SKIP() << "the game ports of 127.0.0.1 are taken";

    CLan dialog(nullptr, LoopbackSetup());
    dialog.show();
    EXPECT_TRUE(dialog.Searching());
    ASSERT_TRUE(RunUntil([&] { return !dialog.Searching(); }));
    ASSERT_EQ(dialog.List()->Model()->rowCount(), 1);
    const KSListRow& row = dialog.List()->Model()->Rows()[0];
    EXPECT_EQ(row.cells[kCellName].text, QStringLiteral(" Office LAN"));
    EXPECT_GT(row.cells[kCellPing].number, -1);
    EXPECT_NE(RecordOfRow(row)->status, int(CServerInfo::Failed));
    EXPECT_EQ(RecordOfRow(row)->port, servers[0]->Port());

    int joinedPort = 0;
    CNetGameDlg::SetJoinFunction([&](const CServerInfo& record) {
        joinedPort = record.port;
        return true;
    });
    dialog.Join();
    EXPECT_EQ(joinedPort, servers[0]->Port());
    // The dialog stays open, out of sight while the game runs.
    EXPECT_TRUE(dialog.HiddenForGame());
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), 0);
}

TEST_F(LanGamesDialog, RefreshFindsAServerThatStartedLater)
{
    CLan dialog(nullptr, LoopbackSetup());
    ASSERT_TRUE(RunUntil([&] { return !dialog.Searching(); }));
    const int before = dialog.List()->Model()->rowCount();
    GameServerConfig late;
    late.name = "Late starter";
    if (!StartOnGamePort(late))
        GTEST_SKIP() << "the game ports of 127.0.0.1 are taken";
    dialog.Refresh();
    EXPECT_EQ(dialog.List()->Model()->rowCount(), 0);
    ASSERT_TRUE(RunUntil([&] { return !dialog.Searching(); }));
    EXPECT_EQ(dialog.List()->Model()->rowCount(), before + 1);
}

} // namespace

namespace {

TEST_F(LanGamesDialog, BackFromAGameTheServersAreSearchedAgain)
{
    GameServerConfig office;
    office.name = "Office LAN";
    if (!StartOnGamePort(office))
        GTEST_SKIP() << "the game ports of 127.0.0.1 are taken";
    CLan dialog(nullptr, LoopbackSetup());
    CNetGameDlg::SetJoinFunction([](const CServerInfo&) {
        return TheEngineHost().RunEngine(false); // the engine takes the screen
    });
    GameServerConfig late;
    late.name = "Started during the game";
    int step = 0;
    bool hiddenInGame = false;
    bool lateStarted = false;
    QTimer driver;
    driver.setInterval(10);
    QElapsedTimer timer;
    timer.start();
    QObject::connect(&driver, &QTimer::timeout, [&] {
        if (timer.elapsed() > 15000) {
            dialog.done(QDialog::Rejected);
        } else if (step == 0 && dialog.isVisible() && !dialog.Searching()) {
            dialog.List()->SelectFirstRow();
            dialog.Join();
            step = 1;
        } else if (step == 1 && TheEngineHost().State() == kEngineRunning) {
            hiddenInGame = dialog.HiddenForGame() && !dialog.isVisible();
            lateStarted = StartOnGamePort(late);
            TheEngineHost().SetPendingState(kEngineSuspended); // the player leaves the game
            step = 2;
        } else if (step == 2 && dialog.isVisible() && dialog.Searching()) {
            step = 3;
        } else if (step == 3 && !dialog.Searching()) {
            dialog.done(QDialog::Rejected);
        }
    });
    driver.start();
    const int result = dialog.DoModal();
    EXPECT_TRUE(hiddenInGame);
    ASSERT_EQ(step, 3);
    EXPECT_EQ(result, QDialog::Rejected);
    if (!lateStarted)
        GTEST_SKIP() << "no free game port for the second server";
    EXPECT_EQ(dialog.List()->Model()->rowCount(), 2);
}

TEST_F(LanGamesDialog, CollectionWindowLeavesTheProcessorIdle)
{
    CLan dialog(nullptr, LoopbackSetup());
    ASSERT_TRUE(dialog.Searching());
    QTimer watch;
    watch.setInterval(20);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (!dialog.Searching())
            dialog.done(QDialog::Rejected);
    });
    watch.start();
    // Every idle pass of the dialog runs the frame pump once.
    int idlePasses = 0;
    IdleWork::SetFramePump([&] {
        ++idlePasses;
        return int(kEngineNoGame);
    });
    QElapsedTimer wall;
    wall.start();
    const double cpuBefore = ThreadCpuSeconds();
    dialog.DoModal();
    const double cpu = ThreadCpuSeconds() - cpuBefore;
    const double elapsed = double(wall.elapsed()) / 1000.0;
    IdleWork::SetFramePump({});
    // Two seconds of waiting for answers: idle passes come at the quiet pace, not back
    // to back, and the thread sleeps through nearly all of it.
    EXPECT_GE(elapsed, 2.0);
    EXPECT_LT(idlePasses, 2 * int(elapsed * 1000.0) / ModalIdleLoop::kQuietIntervalMs + 20);
    EXPECT_LT(cpu, 0.2 * elapsed) << cpu << " s of processor time in " << elapsed << " s";
}

} // namespace
