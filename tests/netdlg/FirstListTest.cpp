// The Internet games list opened with no saved servers (first start, favsvrs.dat
// missing or empty) asks a kestrel-peer master on 127.0.0.1 at once and refreshes what
// it lists, without "Update list"; a list with saved servers waits for the player.
#include "NetDialogSkin.h"
#include "app/settings/CommandLine.h"
#include "app/text/ServiceAddressList.h"
#include "browser/dialogs/CNetGameDlg.h"
#include "browser/record/FavoriteServersFile.h"
#include "peer/PeerGameServer.h"
#include "peer/PeerMasterServer.h"
#include "support/RecordingPrompt.h"
#include "support/TempTree.h"
#include "ui/CODKSListCtrl.h"
#include "ui/IdleWork.h"
#include "ui/SortKeyList.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace {

constexpr int kServers = 12;

class FirstList : public ::testing::Test
{
protected:
    void SetUp() override
    {
        InstallNetDialogSkin();
        EffectiveCommandLine() = CommandLine("kestrel -game vrel");
        TheSortKeyList().Clear();
        for (int i = 0; i < kServers; ++i) {
            GameServerConfig config;
            config.port = 0;
            config.name = "First " + std::to_string(i);
            config.map = "ha_mill";
            config.currentPlayers = 1 + i % 3; // none empty, so no filter hides them
            config.maxPlayers = 16;
            servers.push_back(std::make_unique<PeerGameServer>(config));
            ASSERT_TRUE(servers.back()->Start());
        }
        MasterServerConfig masterConfig;
        masterConfig.port = 0;
        master = std::make_unique<PeerMasterServer>(masterConfig);
        for (const auto& server : servers)
            master->AddServer({MasterEntry{"127.0.0.1", server->Port()}, &server->State()});
        ASSERT_TRUE(master->Start());
        services.Parse(("Master { 127.0.0.1:" + std::to_string(master->Port()) + " }").c_str(), "test.lst");

        setup.listPath = files.Abs("favsvrs.dat");
        setup.services = &services;
        setup.resolveServices = false;
    }

    void TearDown() override { EffectiveCommandLine() = CommandLine(); }

    static bool RunUntil(const std::function<bool()>& done, int timeoutMs = 8000)
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

    static int Answered(CNetGameDoc& doc)
    {
        int done = 0;
        for (const CServerInfo* r = doc.Head(); r; r = r->next)
            done += r->status == CServerInfo::Done;
        return done;
    }

    // Opens the list and waits until every listed server answered and shows as a row.
    void ExpectFilledFromTheMaster()
    {
        CNetGameDlg dialog(nullptr, setup);
        dialog.show();
        EXPECT_TRUE(dialog.Doc().MasterExchangeInProgress());
        EXPECT_TRUE(RunUntil([&] {
            return !dialog.Doc().MasterExchangeInProgress() && !dialog.Doc().RefreshRunning() &&
                   Answered(dialog.Doc()) == kServers && dialog.List()->Model()->rowCount() == kServers;
        })) << dialog.Doc().Count()
            << " records, " << Answered(dialog.Doc()) << " answered, " << dialog.List()->Model()->rowCount() << " rows";
        EXPECT_EQ(master->RequestsReceived(), 1);
    }

    ScopedSettingsFolder settings;
    TempTree files;
    RecordingPrompt prompt;
    std::vector<std::unique_ptr<PeerGameServer>> servers;
    std::unique_ptr<PeerMasterServer> master;
    ServiceAddressList services;
    CNetGameDoc::Setup setup;
};

TEST_F(FirstList, WithoutAListFileTheMastersAreAskedAtOnce)
{
    ASSERT_FALSE(files.Exists("favsvrs.dat"));
    ExpectFilledFromTheMaster();
}

TEST_F(FirstList, AnEmptyListFileCountsAsNoSavedServers)
{
    files.Write("favsvrs.dat", "");
    ExpectFilledFromTheMaster();
}

TEST_F(FirstList, SavedServersOpenWithoutAskingTheMasters)
{
    CServerInfo saved("127.0.0.1", servers[0]->Port());
    saved.name = "Saved";
    saved.favorite = true;
    ASSERT_TRUE(FavoriteServersFile::Save(files.Abs("favsvrs.dat"), {&saved}));
    CNetGameDlg dialog(nullptr, setup);
    dialog.show();
    EXPECT_EQ(dialog.Doc().Count(), 1);
    EXPECT_FALSE(dialog.Doc().MasterExchangeInProgress());
}

} // namespace
