// The Internet games dialog end to end, offscreen: a kestrel-peer master listing 200
// game servers on 127.0.0.1, update from the master and refresh, filter, sort, the
// details of one server, and a join through the stand-in engine.
#include "NetDialogSkin.h"
#include "app/engine/EngineHost.h"
#include "app/engine/QtEngineDisplay.h"
#include "app/menu/LauncherJoin.h"
#include "app/settings/CommandLine.h"
#include "app/settings/LauncherState.h"
#include "app/settings/SettingsStore.h"
#include "app/text/ServiceAddressList.h"
#include "browser/dialogs/CFilterDialog.h"
#include "browser/dialogs/CNetGameDlg.h"
#include "browser/dialogs/CPlayerInfoDlg.h"
#include "browser/dialogs/ProxyGamesDlg.h"
#include "browser/list/ServerListRows.h"
#include "browser/list/SortOrderSetting.h"
#include "peer/PeerGameServer.h"
#include "peer/PeerMasterServer.h"
#include "support/LauncherEngine.h"
#include "support/RecordingPrompt.h"
#include "support/TempTree.h"
#include "ui/CODBlendBtn.h"
#include "ui/CODControls.h"
#include "ui/CODKSListCtrl.h"
#include "ui/IdleWork.h"
#include "ui/InputPrompt.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace {

constexpr int kServers = 200;
constexpr int kSlowServers = 20; // answer 300 ms late, so the refresh spans several batches
// Every tenth server is a spectator proxy; none names a target, so they all count as
// relaying the same one and show as one row.
constexpr int kProxies = kServers / 10;
constexpr int kRows = kServers - kProxies + 1;

class InternetGamesFlow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        InstallNetDialogSkin();
        UseLauncherEngine();
        EffectiveCommandLine() = CommandLine("kestrel -game vrel");
        SetJoinPlayerName([] { return std::string("Wren"); });
        TheSortKeyList().Clear();

        for (int i = 0; i < kServers; ++i) {
            GameServerConfig config;
            config.port = 0;
            config.name = "Peer " + std::to_string(1000 - i); // names sort against creation order
            config.map = i % 2 ? "ha_mill" : "ha_docks";
            config.currentPlayers = i % 4; // a quarter of them empty
            config.maxPlayers = 16;
            config.type = i % 10 == 3 ? 'p' : 'd';
            config.delayMs = i < kSlowServers ? 300 : 0;
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

    void TearDown() override
    {
        CNetGameDlg::SetJoinFunction(nullptr);
        StopEngine();
        TheEngineDisplay().DestroyEngineWindow();
        SetJoinPlayerName(nullptr);
        EffectiveCommandLine() = CommandLine();
    }

    // Runs the event loop and the dialogs' idle work until done() or the time is up.
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

    // Runs action once the next modal dialog of type T is open.
    template <class T> static void WhenOpen(std::function<void(T&)> action)
    {
        auto* poll = new QTimer(qApp);
        poll->setInterval(10);
        QObject::connect(poll, &QTimer::timeout, [poll, action] {
            if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
                poll->stop();
                poll->deleteLater();
                action(*dialog);
            }
        });
        poll->start();
    }

    static std::vector<std::string> Names(const CNetGameDlg& dialog)
    {
        std::vector<std::string> names;
        for (const KSListRow& row : dialog.List()->Model()->Rows())
            names.push_back(row.cells[kCellName].text.trimmed().toStdString());
        return names;
    }

    static int Answered(CNetGameDoc& doc)
    {
        int done = 0;
        for (const CServerInfo* r = doc.Head(); r; r = r->next)
            done += r->status == CServerInfo::Done;
        return done;
    }

    ScopedSettingsFolder settings;
    TempTree files;
    RecordingPrompt prompt;
    ScriptedInputPrompt input;
    std::vector<std::unique_ptr<PeerGameServer>> servers;
    std::unique_ptr<PeerMasterServer> master;
    ServiceAddressList services;
    CNetGameDoc::Setup setup;
};

TEST_F(InternetGamesFlow, UpdateRefreshFilterSortDetailsAndJoin)
{
    CNetGameDlg dialog(nullptr, setup);
    dialog.show();
    EXPECT_EQ(dialog.List()->Model()->rowCount(), 0);

    // Update from the master: the list arrives and every server is refreshed, rows
    // appearing in batches while the replies come in.
    QElapsedTimer clock;
    clock.start();
    dialog.UpdateList();
    ASSERT_TRUE(RunUntil([&] {
        return !dialog.Doc().MasterExchangeInProgress() && !dialog.Doc().RefreshRunning() &&
               Answered(dialog.Doc()) == kServers && dialog.List()->Model()->rowCount() == kRows;
    })) << dialog.Doc().Count()
        << " records, " << Answered(dialog.Doc()) << " answered, " << dialog.List()->Model()->rowCount()
        << " rows, exchange " << dialog.Doc().MasterExchangeInProgress() << ", refresh "
        << dialog.Doc().RefreshRunning();
    const qint64 elapsedMs = clock.elapsed();
    EXPECT_GE(dialog.BatchesApplied(), 1);
    EXPECT_LE(dialog.BatchesApplied(), elapsedMs / CNetGameDlg::kBatchIntervalMs + 2);
    EXPECT_TRUE(CNetGameDoc::RefreshDoneFlag());
    EXPECT_NE(dialog.StatusLine()->text().indexOf(QStringLiteral("181 servers")), -1);

    // Filter: hide empty servers through the filter dialog.
    WhenOpen<CFilterDialog>([](CFilterDialog& filter) {
        filter.Empty()->setChecked(true);
        filter.done(QDialog::Accepted);
    });
    dialog.OpenFilter();
    EXPECT_TRUE(dialog.Filter().empty);
    EXPECT_EQ(GetSettingInt("Settings", kFilterEmpty, 0), 1);
    // A quarter of the servers are empty; none of them is a proxy.
    EXPECT_EQ(dialog.List()->Model()->rowCount(), kRows - kServers / 4);
    for (const KSListRow& row : dialog.List()->Model()->Rows())
        EXPECT_NE(row.cells[kCellPlayers].text.trimmed().left(2), QStringLiteral("0/"));

    // Sort by name with a header click: ascending names.
    dialog.List()->ChooseSortKey(kCellName);
    std::vector<std::string> names = Names(dialog);
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end()));
    EXPECT_EQ(dialog.List()->SortKeys().Primary(), kCellName + 1);

    // Details of the selected server: its players and rules after a fresh query.
    dialog.List()->SelectFirstRow();
    const CServerInfo* chosen = RecordOfRow(*dialog.List()->SelectedRow());
    ASSERT_NE(chosen, nullptr);
    int playersShown = -1;
    int playersAfterRefresh = -1;
    WhenOpen<CPlayerInfoDlg>([&](CPlayerInfoDlg& details) {
        playersShown = details.Players()->Model()->rowCount();
        ASSERT_TRUE(details.RefreshButton()->isVisibleTo(&details));
        details.Players()->Model()->Clear();
        details.RefreshButton()->click(); // queries the server again
        playersAfterRefresh = details.Players()->Model()->rowCount();
        details.accept();
    });
    dialog.Details();
    EXPECT_GT(chosen->currentplayers, 0);
    EXPECT_EQ(playersShown, chosen->currentplayers);
    EXPECT_EQ(playersAfterRefresh, playersShown);

    // Join it through the stand-in engine.
    const int port = chosen->port;
    PeerGameServer* target = nullptr;
    for (const auto& server : servers)
        if (server->Port() == port)
            target = server.get();
    ASSERT_NE(target, nullptr);
    dialog.Join();
    // In the game the dialog waits out of sight.
    EXPECT_TRUE(dialog.HiddenForGame()) << (prompt.Texts().empty() ? "" : prompt.Texts().back());
    ASSERT_EQ(target->State().ConnectedPlayers().size(), 1u);
    EXPECT_EQ(target->State().ConnectedPlayers()[0].name, "Wren");
    EXPECT_TRUE(prompt.Texts().empty());

    // Closing writes the list file and the sort order.
    EXPECT_FALSE(files.Exists("favsvrs.dat"));
    dialog.CloseDialog(QDialog::Rejected);
    EXPECT_TRUE(files.Exists("favsvrs.dat"));
}

TEST_F(InternetGamesFlow, SpectatorDialogListsOnlyProxiesWhateverIsStored)
{
    SetSettingInt(kSpectatorSettingsSection, kFilterIsProxy, 0);
    SetSettingInt(kSpectatorSettingsSection, kFilterIsNotProxy, 1);
    CSpecGameDlg dialog(nullptr, setup);
    dialog.show();
    EXPECT_TRUE(dialog.Filter().proxiesOnly);
    CNetGameDlg::SetJoinFunction([](const CServerInfo&) { return false; });
    // The master is asked for proxies only.
    dialog.UpdateList();
    ASSERT_TRUE(RunUntil([&] {
        return !dialog.Doc().MasterExchangeInProgress() && !dialog.Doc().RefreshRunning() &&
               dialog.Doc().Count() == kProxies && Answered(dialog.Doc()) == kProxies;
    })) << dialog.Doc().Count()
        << " records, " << Answered(dialog.Doc()) << " answered";
    // With the proxy filter on, proxies are not grouped: one row each.
    EXPECT_EQ(dialog.List()->Model()->rowCount(), kProxies);
    for (const KSListRow& row : dialog.List()->Model()->Rows())
        EXPECT_EQ(row.cells[kCellType].icon, "proxy");
    EXPECT_EQ(dialog.CommandButton(QStringLiteral("Create game")), nullptr);
}

} // namespace
