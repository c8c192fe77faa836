// The LAN games dialog: a broadcast to ten ports of 127.0.0.1 finds the peer game
// servers there, the dialog lists those of this game with a measured ping, and joins
// one through the join function.
#include "NetDialogSkin.h"
#include "browser/dialogs/CLan.h"
#include "browser/dialogs/CNetGameDlg.h"
#include "browser/list/ServerListRows.h"
#include "browser/record/CServerInfo.h"
#include "peer/PeerGameServer.h"
#include "support/RecordingPrompt.h"
#include "support/TempTree.h"
#include "ui/CODKSListCtrl.h"
#include "ui/IdleWork.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// Each test scans ten ports of its own instead of the game ports, so that tests running
// at the same time (LAN discovery, the peers, the other test here) never answer it;
// below the range the system hands out for ephemeral ports.
constexpr int kGamePorts = 10;
int PortBlockOfThisTest()
{
    const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    return name == "ListsServersOfThisGameWithTheirPingAndJoinsOne" ? 29115 : 29135;
}

class LanGamesDialog : public ::testing::Test
{
protected:
    void SetUp() override { InstallNetDialogSkin(); }
    void TearDown() override { CNetGameDlg::SetJoinFunction(nullptr); }

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
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
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
