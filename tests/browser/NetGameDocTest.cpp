// The server list document: its socket limit, the master exchange on the list side,
// the list file, the list commands, the pre-join check, LAN collection and quick
// start, against peers on 127.0.0.1.
#include "FakeGameServer.h"
#include "FakeMaster.h"
#include "RecordingPrompt.h"
#include "app/settings/CommandLine.h"
#include "app/settings/LauncherState.h"
#include "app/text/ServiceAddressList.h"
#include "browser/list/BrowserQuickStartSource.h"
#include "browser/list/QuickStart.h"
#include "browser/list/RefreshEngine.h"
#include "browser/list/RefreshLoop.h"
#include "browser/master/MasterProtocol.h"
#include "browser/query/MaxInFlight.h"
#include "browser/record/FavoriteServersFile.h"
#include "peer/PeerNetwork.h"
#include "support/TempTree.h"
#include "ui/InputPrompt.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>

namespace {

const char* kInfo = "\\hostname\\Doc\\gamedir\\vrel\\map\\dm_doc\\max\\8\\players\\2\\protocol\\45";

void Pump(int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

class ScopedCommandLine
{
public:
    explicit ScopedCommandLine(const std::string& text) : m_saved(EffectiveCommandLine())
    {
        EffectiveCommandLine() = CommandLine(text);
    }
    ~ScopedCommandLine() { EffectiveCommandLine() = m_saved; }

private:
    CommandLine m_saved;
};

class ScopedSocketBudget
{
public:
    explicit ScopedSocketBudget(int budget) : m_saved(Launcher().socketBudget) { Launcher().socketBudget = budget; }
    ~ScopedSocketBudget() { Launcher().socketBudget = m_saved; }

private:
    int m_saved;
};

class RecordingView : public NetGameDocView
{
public:
    void OnStatusText(const std::string& text) override { statusTexts.push_back(text); }
    void OnListReplaced() override { ++replaced; }
    void OnRefreshAllRequested() override { ++refreshAllRequests; }
    void OnRecordsChanged(const std::vector<CServerInfo*>& records) override { changed += int(records.size()); }
    std::vector<std::string> statusTexts;
    int replaced = 0;
    int refreshAllRequests = 0;
    int changed = 0;
};

class NetGameDocTest : public ::testing::Test
{
protected:
    CNetGameDoc::Setup MakeSetup()
    {
        CNetGameDoc::Setup setup;
        setup.listPath = tree.Abs("favsvrs.dat");
        setup.services = &services;
        setup.resolveServices = false;
        return setup;
    }
    // Runs the document's work until the master exchange has ended.
    void FinishExchange(CNetGameDoc& doc)
    {
        QElapsedTimer timer;
        timer.start();
        while (doc.MasterExchangeInProgress() && timer.elapsed() < 5000) {
            doc.Work();
            QCoreApplication::processEvents(QEventLoop::AllEvents, 2);
        }
        ASSERT_FALSE(doc.MasterExchangeInProgress());
    }

    ScopedSettingsFolder settings;
    TempTree tree;
    ServiceAddressList services;
    ScopedSocketBudget budget{1000};
};

std::vector<CServerInfo*> Records(const CNetGameDoc& doc)
{
    std::vector<CServerInfo*> records;
    for (CServerInfo* r = doc.Head(); r; r = r->next)
        records.push_back(r);
    return records;
}

} // namespace

// --- Sockets in flight -------------------------------------------------------------

TEST(MaxInFlight, FollowsTheConnectionRate)
{
    EXPECT_EQ(MaxInFlightFor(2500, 1000, nullptr), 15);
    EXPECT_EQ(MaxInFlightFor(3500, 1000, nullptr), 20);
    EXPECT_EQ(MaxInFlightFor(5000, 1000, nullptr), 40);
    EXPECT_EQ(MaxInFlightFor(9999, 1000, nullptr), 100);
    EXPECT_EQ(MaxInFlightFor(2600, 1000, nullptr), 15);
    EXPECT_EQ(MaxInFlightFor(2601, 1000, nullptr), 20);
}

TEST(MaxInFlight, SocketBudgetLowersItAndTheOptionReplacesIt)
{
    EXPECT_EQ(MaxInFlightFor(9999, 30, nullptr), 30);
    EXPECT_EQ(MaxInFlightFor(9999, 1, nullptr), kMinInFlight);
    const int two = 2;
    EXPECT_EQ(MaxInFlightFor(9999, 1000, &two), 4);
    const int many = 300;
    EXPECT_EQ(MaxInFlightFor(1500, 10, &many), 300);
}

TEST_F(NetGameDocTest, MaxSocketsOptionAndRateChanges)
{
    {
        ScopedCommandLine line("kestrel -game vrel -maxsockets 2");
        CNetGameDoc doc(CNetGameDoc::Kind::Lan, MakeSetup());
        EXPECT_EQ(doc.MaxInFlight(), 4);
    }
    ScopedCommandLine line("kestrel -game vrel");
    CNetGameDoc doc(CNetGameDoc::Kind::Lan, MakeSetup());
    doc.SetConnectionRate(9999);
    EXPECT_EQ(doc.MaxInFlight(), 100);
    EXPECT_EQ(doc.RefreshAllParams().maxInFlight, 100);
    doc.SetConnectionRate(3500);
    EXPECT_EQ(doc.MaxInFlight(), 20);
    EXPECT_EQ(doc.SingleServerParams().maxInFlight, 1);
    EXPECT_EQ(doc.SingleServerParams().idleTimeout, 3.0);
    EXPECT_EQ(doc.DetailsParams().flags, 14u);
    SetPlayerConnectionRate(kDefaultConnectionRate);
}

// --- Master exchange and the list file -----------------------------------------------

TEST_F(NetGameDocTest, FavouritesSurviveAMasterExchangeAndAreSavedOnClose)
{
    ScopedCommandLine line("kestrel -game vrel");
    FakeMaster master;
    services.AppendAddress(ServiceAddressList::Section::Master, "127.0.0.1", master.Port());
    // The file holds a favourite and a server the master will list again.
    {
        CServerInfo favourite("127.0.0.1", 5001);
        favourite.favorite = true;
        favourite.name = "Kept";
        CServerInfo known("127.0.0.1", 5002);
        known.name = "Known Before";
        known.map = "dm_old";
        known.currentplayers = 7;
        ASSERT_TRUE(FavoriteServersFile::Save(tree.Abs("favsvrs.dat"), {&favourite, &known}));
    }
    master.answer = [](const std::vector<uint8_t>&) {
        return std::vector<std::vector<uint8_t>>{BuildMasterListBatch(
            0, {{"127.0.0.1", 5001}, {"127.0.0.1", 5002}, {"127.0.0.1", 5003}, {"127.0.0.1", 5003}})};
    };
    RecordingView view;
    {
        CNetGameDoc doc(CNetGameDoc::Kind::Internet, MakeSetup());
        doc.SetView(&view);
        ASSERT_EQ(doc.Count(), 2);
        doc.SetRefreshAfterList(true);
        doc.StartMasterList(ServerFilter{});
        EXPECT_EQ(doc.PreviousServerCount(), 1); // the non-favourite is set aside
        FinishExchange(doc);

        const auto records = Records(doc);
        ASSERT_EQ(records.size(), 3u); // one record per address, the favourite kept
        int favourites = 0;
        for (CServerInfo* r : records) {
            if (r->port == 5001) {
                EXPECT_TRUE(r->favorite);
                EXPECT_EQ(r->name, "Kept");
                ++favourites;
            }
            if (r->port == 5002) {
                EXPECT_EQ(r->name, "Known Before"); // carried over
                EXPECT_EQ(r->map, "dm_old");
                EXPECT_EQ(r->currentplayers, 0); // not carried over
            }
        }
        EXPECT_EQ(favourites, 1);
        EXPECT_EQ(doc.PreviousServerCount(), 0);
        EXPECT_EQ(view.replaced, 1);
        EXPECT_EQ(view.refreshAllRequests, 1);
        EXPECT_FALSE(tree.Read("favsvrs.dat").contains("5003"));
        doc.SetSaveMark(true);
        doc.Close();
        EXPECT_TRUE(tree.Read("favsvrs.dat").contains("5003"));
    }
    CNetGameDoc again(CNetGameDoc::Kind::Internet, MakeSetup());
    EXPECT_EQ(again.Count(), 3);
}

TEST_F(NetGameDocTest, FailedExchangeKeepsTheFavouritesAndSaysSo)
{
    ScopedCommandLine line("kestrel -game vrel");
    {
        CServerInfo favourite("127.0.0.1", 5001);
        favourite.favorite = true;
        CServerInfo other("127.0.0.1", 5002);
        ASSERT_TRUE(FavoriteServersFile::Save(tree.Abs("favsvrs.dat"), {&favourite, &other}));
    }
    RecordingView view;
    CNetGameDoc doc(CNetGameDoc::Kind::Internet, MakeSetup()); // no master at all
    doc.SetView(&view);
    doc.StartMasterList(ServerFilter{});
    FinishExchange(doc);
    ASSERT_FALSE(view.statusTexts.empty());
    EXPECT_EQ(view.statusTexts.back(), CNetGameDoc::kListFailedText);
    ASSERT_EQ(doc.Count(), 1);
    EXPECT_TRUE(doc.Head()->favorite);
}

TEST_F(NetGameDocTest, WithoutTheSaveMarkNothingIsWritten)
{
    ScopedCommandLine line("kestrel -game vrel");
    {
        CNetGameDoc doc(CNetGameDoc::Kind::Internet, MakeSetup());
        doc.AddServer("127.0.0.1", 5001);
    }
    EXPECT_FALSE(tree.Exists("favsvrs.dat"));
    {
        CNetGameDoc lan(CNetGameDoc::Kind::Lan, MakeSetup());
        lan.AddServer("127.0.0.1", 5001);
        lan.SetSaveMark(true);
    }
    EXPECT_FALSE(tree.Exists("favsvrs.dat"));
}

// --- List commands -----------------------------------------------------------------

TEST_F(NetGameDocTest, RefreshAllQueriesEveryServerAndSetsTheRefreshDoneFlag)
{
    ScopedCommandLine line("kestrel -game vrel -timeout 0.05 -retries 0");
    FakeGameServer server;
    server.infoReplies = {ReplyBuilder::Info(kInfo).Bytes()};
    FakeGameServer silent;
    CNetGameDoc doc(CNetGameDoc::Kind::Lan, MakeSetup());
    CServerInfo* good = doc.AddServer("127.0.0.1", server.Port());
    CServerInfo* dead = doc.AddServer("127.0.0.1", silent.Port());
    CServerInfo* hidden = doc.AddServer("127.0.0.1", server.Port(), true);
    dead->map = "dm_stale";
    dead->maxplayers = 12;
    hidden->SetFiltered(true);
    hidden->map = "dm_hidden";
    CNetGameDoc::SetRefreshDoneFlag(false);
    RecordingView view;
    doc.SetView(&view);
    doc.RefreshAllCommand();
    EXPECT_TRUE(CNetGameDoc::RefreshDoneFlag());
    EXPECT_EQ(good->status, CServerInfo::Done);
    EXPECT_EQ(good->map, "dm_doc");
    EXPECT_EQ(dead->status, CServerInfo::Failed);
    EXPECT_TRUE(dead->noresponse);
    EXPECT_TRUE(dead->map.empty()); // cleared before the refresh
    EXPECT_EQ(dead->maxplayers, 0);
    EXPECT_EQ(hidden->map, "dm_hidden"); // filtered records are left alone
    EXPECT_EQ(server.infoRequests, 1);
    EXPECT_GE(view.replaced, 1);
    CNetGameDoc::SetRefreshDoneFlag(false);
}

TEST_F(NetGameDocTest, RefreshSelectedMovesTheRecordsToTheHead)
{
    ScopedCommandLine line("kestrel -game vrel");
    FakeGameServer server;
    server.infoReplies = {ReplyBuilder::Info(kInfo).Bytes()};
    RecordingPrompt prompt;
    ScopedPrompt scoped(prompt);
    CNetGameDoc doc(CNetGameDoc::Kind::Lan, MakeSetup());
    CServerInfo* a = doc.AddServer("127.0.0.1", server.Port(), true);
    CServerInfo* b = doc.AddServer("127.0.0.1", server.Port(), true);
    CServerInfo* c = doc.AddServer("127.0.0.1", server.Port(), true); // list: c b a
    doc.RefreshSelectedCommand({});
    EXPECT_EQ(prompt.texts.size(), 1u); // message 37
    doc.RefreshSelectedCommand({a, b});
    const auto records = Records(doc);
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0], a);
    EXPECT_EQ(records[1], b);
    EXPECT_EQ(records[2], c);
    EXPECT_TRUE(a->refreshedMark);
    EXPECT_FALSE(c->refreshedMark);
    EXPECT_EQ(a->status, CServerInfo::Done);
    EXPECT_EQ(c->status, CServerInfo::Idle); // not selected, not queried
    EXPECT_EQ(server.infoRequests, 2);
}

TEST_F(NetGameDocTest, AddServerAsksForAnAddressAndRefreshesTheFavourite)
{
    ScopedCommandLine line("kestrel -game vrel");
    FakeGameServer server;
    server.infoReplies = {ReplyBuilder::Info(kInfo).Bytes()};
    RecordingPrompt prompt;
    ScopedPrompt scoped(prompt);
    ScriptedInputPrompt input;
    input.AddAnswer("127.0.0.1:" + std::to_string(server.Port()));
    input.AddAnswer("127.0.0.1:99999");
    input.AddAnswer(std::nullopt);
    CNetGameDoc doc(CNetGameDoc::Kind::Internet, MakeSetup());
    CServerInfo* added = doc.AddServerCommand();
    ASSERT_NE(added, nullptr);
    EXPECT_TRUE(added->favorite);
    EXPECT_EQ(added->status, CServerInfo::Done);
    EXPECT_EQ(added->name, "Doc");
    EXPECT_EQ(doc.AddServerCommand(), nullptr); // a port out of range: message 344
    EXPECT_EQ(prompt.texts.size(), 1u);
    EXPECT_EQ(doc.AddServerCommand(), nullptr); // cancelled: nothing said
    EXPECT_EQ(prompt.texts.size(), 1u);
    EXPECT_EQ(doc.AddServerByText("127.0.0.1:" + std::to_string(server.Port())), added); // no duplicate
    EXPECT_EQ(doc.Count(), 1);
    EXPECT_EQ(input.Questions().size(), 3u);
}

TEST_F(NetGameDocTest, DeleteAsksFirstAndFindMatchesNamesInAnyCase)
{
    ScopedCommandLine line("kestrel -game vrel");
    CNetGameDoc doc(CNetGameDoc::Kind::Lan, MakeSetup());
    CServerInfo* a = doc.AddServer("127.0.0.1", 1);
    CServerInfo* b = doc.AddServer("127.0.0.1", 2);
    a->name = "Mill Yard";
    b->name = "Harbour";
    EXPECT_EQ(CNetGameDoc::FindByName(doc.Head(), "yARD"), std::vector<CServerInfo*>{a});
    {
        RecordingPrompt no(kPromptSecond);
        ScopedPrompt scoped(no);
        EXPECT_EQ(doc.DeleteCommand({a}), 0);
        EXPECT_EQ(no.buttons.back(), PromptButtons::YesNo);
    }
    RecordingPrompt yes;
    ScopedPrompt scoped(yes);
    EXPECT_EQ(doc.DeleteCommand({a}), 1);
    EXPECT_EQ(doc.Count(), 1);
    EXPECT_EQ(doc.Head(), b);
    doc.SetFavorites({b}, true);
    EXPECT_TRUE(b->favorite);
}

// --- Pre-join check ------------------------------------------------------------------

TEST_F(NetGameDocTest, PreJoinCheckQueriesOnlyWhenTheInfoIsOldOrTheServerFull)
{
    ScopedCommandLine line("kestrel -game vrel -timeout 0.1 -retries 0");
    RecordingPrompt prompt;
    ScopedPrompt scoped(prompt);
    FakeGameServer server;
    server.infoReplies = {ReplyBuilder::Info(kInfo).Bytes()};
    FakeGameServer silent;
    CNetGameDoc doc(CNetGameDoc::Kind::Lan, MakeSetup());
    CServerInfo* fresh = doc.AddServer("127.0.0.1", server.Port());
    fresh->maxplayers = 8;
    fresh->currentplayers = 1;
    fresh->SetInfoTime(BrowserClockNow());
    EXPECT_TRUE(doc.PreJoinCheck(*fresh));
    EXPECT_EQ(server.infoRequests, 0); // joined without a new query

    fresh->currentplayers = 8; // full: asked again, and the answer says 2 of 8
    EXPECT_TRUE(doc.PreJoinCheck(*fresh));
    EXPECT_EQ(server.infoRequests, 1);

    CServerInfo* dead = doc.AddServer("127.0.0.1", silent.Port());
    EXPECT_FALSE(doc.PreJoinCheck(*dead));
    ASSERT_EQ(prompt.texts.size(), 1u); // message 28

    FakeGameServer full;
    full.infoReplies = {ReplyBuilder::Info("\\hostname\\Full\\gamedir\\vrel\\max\\4\\players\\4").Bytes()};
    CServerInfo* crowded = doc.AddServer("127.0.0.1", full.Port());
    EXPECT_FALSE(doc.PreJoinCheck(*crowded));
    EXPECT_EQ(prompt.texts.size(), 2u); // message 555
    {
        ScopedCommandLine nocheck("kestrel -game vrel -nocheck");
        EXPECT_TRUE(doc.PreJoinCheck(*crowded));
    }
}

// --- LAN -----------------------------------------------------------------------------

TEST_F(NetGameDocTest, LanCollectionKeepsOnlyTheLaunchersGame)
{
    ScopedCommandLine line("kestrel -game vrel");
    // Ten ports off the game ports; the first free group found is used.
    std::unique_ptr<FakeGameServer> ours, other;
    quint16 base = 0;
    for (quint16 candidate = 41000; candidate < 61000 && !base; candidate += 970) {
        ours = std::make_unique<FakeGameServer>(candidate + 2);
        other = std::make_unique<FakeGameServer>(candidate + 7);
        if (ours->Bound() && other->Bound())
            base = candidate;
    }
    ASSERT_NE(base, 0);
    ours->infoReplies = {ReplyBuilder::Info(kInfo).Bytes()};
    other->infoReplies = {ReplyBuilder::Info("\\hostname\\Other\\gamedir\\VREL\\max\\8").Bytes()};
    CNetGameDoc::Setup setup = MakeSetup();
    setup.lanTarget = QHostAddress(QHostAddress::LocalHost);
    setup.lanFirstPort = base;
    CNetGameDoc doc(CNetGameDoc::Kind::Lan, setup);
    // The collection window passes on a clock the test moves.
    double offset = 0.0;
    const double start = BrowserClockNow();
    SetBrowserClock([&] {
        static QElapsedTimer timer;
        if (!timer.isValid())
            timer.start();
        return start + double(timer.nsecsElapsed()) / 1e9 + offset;
    });
    RecordingView view;
    doc.SetView(&view);
    doc.StartLanRefresh();
    EXPECT_TRUE(doc.LanRefreshInProgress());
    Pump(150);
    doc.Work();
    EXPECT_TRUE(doc.LanRefreshInProgress()); // still collecting
    offset = 2.5;
    doc.Work(); // ends the window and measures the pings
    SetBrowserClock(nullptr);
    EXPECT_FALSE(doc.LanRefreshInProgress());
    ASSERT_EQ(doc.Count(), 1); // "VREL" is not this launcher's game
    CServerInfo* r = doc.Head();
    EXPECT_EQ(r->port, base + 2);
    EXPECT_EQ(r->name, "Doc");
    EXPECT_EQ(r->status, CServerInfo::Done);
    EXPECT_GT(r->svping, 0.0);
    EXPECT_EQ(doc.LanRows({1}).size(), 1u);
    EXPECT_GE(view.replaced, 1);
}

// --- Quick start ---------------------------------------------------------------------

TEST_F(NetGameDocTest, QuickStartSourceRanksThePeersServers)
{
    ScopedCommandLine line("kestrel -game vrel");
    PeerOptions options;
    std::string error;
    ASSERT_TRUE(ParsePeerOptions({"kestrel-peer", "--port", "0", "--count", "4", "--master", "0", "--max-players",
                                  "8", "--players", "0,3,8,2"},
                                 options, error))
        << error;
    options.gameServers[3].protocol = 44; // another protocol: not a candidate
    PeerNetwork network;
    ASSERT_TRUE(network.Start(options, error)) << error;
    services.AppendAddress(ServiceAddressList::Section::Master, "127.0.0.1", network.Master()->Port());

    BrowserQuickStartSource source(MakeSetup());
    EXPECT_TRUE(CNetGameDoc::QuickStartFlag());
    source.BeginMasterExchange();
    QElapsedTimer timer;
    timer.start();
    while (source.MasterExchangeInProgress() && timer.elapsed() < 5000)
        source.Work();
    ASSERT_EQ(source.AddressCount(), 4);
    source.BeginQuerying();
    while (source.Unanswered() > 0 && timer.elapsed() < 8000)
        source.Work();
    EXPECT_EQ(source.Unanswered(), 0);
    const std::vector<JoinTarget> ranked = source.OrderedCandidates();
    // The full server and the other protocol drop out; the one with players ranks first.
    ASSERT_EQ(ranked.size(), 2u);
    EXPECT_EQ(ranked[0].port, network.GameServers()[1]->Port());
    EXPECT_EQ(ranked[1].port, network.GameServers()[0]->Port());
}

TEST(QuickStartInstall, MainMenuGetsTheBrowserSource)
{
    SetQuickStartFactory(nullptr);
    EXPECT_EQ(MakeQuickStartSource(), nullptr);
    InstallBrowserQuickStart();
    std::unique_ptr<QuickStartSource> source = MakeQuickStartSource();
    EXPECT_NE(dynamic_cast<BrowserQuickStartSource*>(source.get()), nullptr);
    EXPECT_TRUE(CNetGameDoc::QuickStartFlag());
    source.reset();
    EXPECT_FALSE(CNetGameDoc::QuickStartFlag());
    SetQuickStartFactory(nullptr);
}

TEST_F(NetGameDocTest, MasterExchangeDuringABackgroundRefreshLeavesNothingBehind)
{
    ScopedCommandLine line("kestrel -game vrel");
    FakeGameServer server;
    server.infoReplies = {ReplyBuilder::Info(kInfo).Bytes()};
    FakeMaster master;
    master.answer = [](const std::vector<uint8_t>&) {
        return std::vector<std::vector<uint8_t>>{BuildMasterListBatch(0, {{"127.0.0.1", 5009}})};
    };
    services.AppendAddress(ServiceAddressList::Section::Master, "127.0.0.1", master.Port());
    RecordingView view;
    CNetGameDoc doc(CNetGameDoc::Kind::Internet, MakeSetup());
    doc.SetView(&view);
    for (int i = 0; i < 20; ++i)
        doc.AddServer("127.0.0.1", server.Port(), true);
    doc.BeginBackgroundRefresh(doc.RefreshAllParams());
    for (int i = 0; i < 3; ++i) {
        doc.Work();
        Pump(2);
    }
    EXPECT_TRUE(doc.RefreshRunning());
    doc.StartMasterList(ServerFilter{}); // the refreshed records are replaced
    EXPECT_FALSE(doc.RefreshRunning());
    FinishExchange(doc);
    EXPECT_EQ(doc.Count(), 1);
    EXPECT_TRUE(doc.TakeChangedRecords().empty());
    EXPECT_GT(view.changed, 0); // the passes before reported their changes
    doc.Work();
}

TEST_F(NetGameDocTest, NoPersistAsksTheMastersWhenTheListIsMade)
{
    ScopedCommandLine line("kestrel -game vrel -nopersist");
    FakeMaster master;
    master.answer = [](const std::vector<uint8_t>&) {
        return std::vector<std::vector<uint8_t>>{BuildMasterListBatch(0, {{"127.0.0.1", 5011}, {"127.0.0.1", 5012}})};
    };
    services.AppendAddress(ServiceAddressList::Section::Master, "127.0.0.1", master.Port());
    CNetGameDoc doc(CNetGameDoc::Kind::Internet, MakeSetup());
    EXPECT_TRUE(doc.MasterExchangeInProgress());
    FinishExchange(doc);
    EXPECT_EQ(doc.Count(), 2);
    ASSERT_FALSE(master.requests.empty());
    // The filter settings were read: the game filter always asks for "vrel".
    const std::string request(master.requests[0].begin(), master.requests[0].end());
    EXPECT_NE(request.find("vrel"), std::string::npos);
}

// --- Nested loops ---------------------------------------------------------------------

TEST_F(NetGameDocTest, PreJoinCheckKeepsItsRecordWhenTheExchangeEndsDuringItsRefresh)
{
    ScopedCommandLine line("kestrel -game vrel -timeout 0.1 -retries 1");
    RecordingPrompt prompt;
    ScopedPrompt scoped(prompt);
    FakeGameServer silent;
    FakeMaster master;
    // The first batch lists the server twice; the last one is held back.
    master.answer = [&](const std::vector<uint8_t>& request) {
        std::vector<std::vector<uint8_t>> replies;
        const auto query = ParseMasterListRequest(request.data(), request.size());
        if (query && query->key == 0)
            replies.push_back(BuildMasterListBatch(1, {{"127.0.0.1", silent.Port()}, {"127.0.0.1", silent.Port()}}));
        return replies;
    };
    services.AppendAddress(ServiceAddressList::Section::Master, "127.0.0.1", master.Port());
    CNetGameDoc doc(CNetGameDoc::Kind::Internet, MakeSetup());
    doc.StartMasterList(ServerFilter{});
    QElapsedTimer timer;
    timer.start();
    while (doc.Count() < 2 && timer.elapsed() < 5000) {
        doc.Work();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 2);
    }
    ASSERT_EQ(doc.Count(), 2);
    // The older copy is the one the duplicate removal destroys.
    CServerInfo* older = doc.Head()->next;
    ASSERT_LT(older->Serial(), doc.Head()->Serial());

    // The document's work runs inside the refresh (as any idle processing might), and
    // the last batch arrives meanwhile.
    bool sent = false;
    int workCalls = 0;
    doc.SetRefreshRunner([&](RefreshEngine& engine) {
        while (engine.RunPass()) {
            if (!sent) {
                master.SendToLastClient(BuildMasterListBatch(0, {}));
                sent = true;
            }
            WaitForNetworkEvents();
            doc.Work();
            ++workCalls;
        }
    });
    EXPECT_FALSE(doc.PreJoinCheck(*older)); // nobody answers: message 28
    ASSERT_TRUE(sent);
    EXPECT_GT(workCalls, 0);
    ASSERT_EQ(prompt.texts.size(), 1u);
    EXPECT_EQ(doc.Count(), 2);
    EXPECT_TRUE(doc.MasterExchangeInProgress());
    EXPECT_EQ(older->status, CServerInfo::Failed);

    // Outside the refresh the exchange ends and the duplicate goes.
    while (doc.MasterExchangeInProgress() && timer.elapsed() < 5000) {
        doc.Work();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 2);
    }
    EXPECT_FALSE(doc.MasterExchangeInProgress());
    EXPECT_EQ(doc.Count(), 1);
}
