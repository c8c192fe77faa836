// The browser's own classes against in-process peers on 127.0.0.1: the query fills
// the record, the master lists every server in order, misbehaving servers leave the
// records sane, and thousands of servers answer from one process.
#include "browser/FakeMaster.h"
#include "browser/master/MasterListRequest.h"
#include "browser/master/ServerDataExchange.h"
#include "browser/query/BrowserClock.h"
#include "browser/query/CKSAsyncSocket.h"
#include "browser/query/QueryReplies.h"
#include "browser/query/QueryStep.h"
#include "peer/PeerNetwork.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <gtest/gtest.h>

#include <optional>

namespace {

RefreshParams Params(uint32_t flags, int maxInFlight = 8)
{
    RefreshParams p;
    p.maxInFlight = maxInFlight;
    p.maxRetries = 1;
    p.timeout = 0.3;
    p.flags = flags;
    return p;
}

// Queries every record to the end with at most maxInFlight sockets; false on a hang.
bool Refresh(std::vector<std::unique_ptr<CServerInfo>>& records, const RefreshParams& p, int limitMs = 8000)
{
    QueryStepState state;
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < limitMs) {
        int pending = 0;
        for (auto& r : records)
            pending += RunQueryStep(*r, p, state) ? 1 : 0;
        if (pending == 0)
            return true;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 2);
    }
    return false;
}

std::unique_ptr<CServerInfo> RecordFor(uint16_t port)
{
    auto r = std::make_unique<CServerInfo>("127.0.0.1", port);
    r->lastSend = BrowserClockNow(); // as the refresh engine does when it resets a record
    return r;
}

constexpr uint32_t kAll = RefreshParams::kRequestInfo | RefreshParams::kRequestPlayers | RefreshParams::kRequestRules;

} // namespace

TEST(PeerLoopback, QueryFillsTheRecordWithInfoPlayersAndRules)
{
    PeerOptions options;
    std::string error;
    ASSERT_TRUE(ParsePeerOptions({"kestrel-peer", "--port", "0", "--name", "Mill", "--map", "dm_mill", "--players", "3",
                                  "--max-players", "10", "--rule", "mp_fraglimit=30", "--password", "x"},
                                 options, error));
    PeerNetwork network;
    ASSERT_TRUE(network.Start(options, error)) << error;
    std::vector<std::unique_ptr<CServerInfo>> records;
    records.push_back(RecordFor(network.GameServers()[0]->Port()));
    ASSERT_TRUE(Refresh(records, Params(kAll)));
    const CServerInfo& r = *records[0];
    EXPECT_EQ(r.status, CServerInfo::Done);
    EXPECT_EQ(r.name, "Mill");
    EXPECT_EQ(r.map, "dm_mill");
    EXPECT_EQ(r.currentplayers, 3);
    EXPECT_EQ(r.maxplayers, 10);
    EXPECT_EQ(r.protocol, 45);
    EXPECT_TRUE(r.password);
    EXPECT_GT(r.svping, 0.0);
    ASSERT_TRUE(r.players && (*r.players)[2]);
    EXPECT_EQ((*r.players)[2]->name, "Player 3");
    ASSERT_FALSE(r.rules.empty());
    EXPECT_EQ(r.rules.front().key, "mp_fraglimit");
    EXPECT_EQ(r.Socket(), nullptr);
}

TEST(PeerLoopback, DelayedServerStillAnswersAndLostRepliesAreRetried)
{
    PeerOptions options;
    std::string error;
    ASSERT_TRUE(
        ParsePeerOptions({"kestrel-peer", "--port", "0", "--count", "2", "--config", "/dev/null"}, options, error))
        << error;
    options.gameServers[0].delayMs = 120;
    options.gameServers[1].lossRate = 1.0;
    PeerNetwork network;
    ASSERT_TRUE(network.Start(options, error)) << error;
    std::vector<std::unique_ptr<CServerInfo>> records;
    for (auto& server : network.GameServers())
        records.push_back(RecordFor(server->Port()));
    ASSERT_TRUE(Refresh(records, Params(RefreshParams::kRequestInfo)));
    EXPECT_EQ(records[0]->status, CServerInfo::Done);
    EXPECT_GE(records[0]->svping, 0.1);
    EXPECT_EQ(records[1]->status, CServerInfo::Failed);
    EXPECT_TRUE(records[1]->noresponse);
    EXPECT_EQ(network.GameServers()[1]->DatagramsReceived(), 2); // the request and one re-send
}

TEST(PeerLoopback, EveryHostileKindLeavesTheRecordSane)
{
    PeerOptions options;
    std::string error;
    ASSERT_TRUE(ParsePeerOptions({"kestrel-peer", "--port", "0", "--count", "5", "--players", "2", "--rule", "a=b"},
                                 options, error));
    const HostileReply kinds[] = {HostileReply::WrongHeader, HostileReply::Truncated, HostileReply::CountTooLarge,
                                  HostileReply::LongStrings, HostileReply::Negative};
    for (size_t i = 0; i < 5; ++i)
        options.gameServers[i].hostile = kinds[i];
    PeerNetwork network;
    ASSERT_TRUE(network.Start(options, error)) << error;
    std::vector<std::unique_ptr<CServerInfo>> records;
    for (auto& server : network.GameServers())
        records.push_back(RecordFor(server->Port()));
    ASSERT_TRUE(Refresh(records, Params(kAll)));
    for (const auto& r : records) {
        SCOPED_TRACE(r->port);
        EXPECT_TRUE(r->status == CServerInfo::Done || r->status == CServerInfo::Failed);
        EXPECT_LE(r->name.size(), kMaxInfoValue);
        EXPECT_EQ(r->Socket(), nullptr);
        if (r->players) {
            EXPECT_EQ(r->players->size(), size_t(r->fullmax));
        }
        for (const ServerRule& rule : r->rules) {
            EXPECT_LE(rule.key.size(), kMaxRuleKey);
            EXPECT_LE(rule.value.size(), kMaxRuleValue);
        }
    }
    EXPECT_EQ(records[0]->status, CServerInfo::Failed); // wrong headers never answer
    EXPECT_EQ(records[3]->name.size(), kMaxInfoValue);
}

TEST(PeerLoopback, MasterListsEveryServerInBatchesInOrder)
{
    PeerOptions options;
    std::string error;
    ASSERT_TRUE(ParsePeerOptions(
        {"kestrel-peer", "--port", "0", "--count", "25", "--master", "0", "--master-batch", "4", "--players", "0,1"},
        options, error));
    PeerNetwork network;
    ASSERT_TRUE(network.Start(options, error)) << error;
    TestDocument doc;
    doc.services.Parse(("Master { 127.0.0.1:" + std::to_string(network.Master()->Port()) + " }").c_str(), "t.lst");
    std::optional<int> result;
    MasterListRequest request(doc, doc.services, [&](MasterDocument&, int r) { result = r; });
    request.Start("\\empty\\1");
    QElapsedTimer timer;
    timer.start();
    while (!result && timer.elapsed() < 3000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 2);
        request.Think();
    }
    ASSERT_EQ(result, 0);
    // Every second server has a player: 12 of 25 pass "empty".
    ASSERT_EQ(doc.added.size(), 12u);
    for (size_t i = 0; i < doc.added.size(); ++i)
        EXPECT_EQ(doc.added[i].port, network.GameServers()[2 * i + 1]->Port());
    EXPECT_EQ(network.Master()->RequestsReceived(), 3); // 12 entries in batches of 4
}

TEST(PeerLoopback, ServerDataExchangeWithThePeerMaster)
{
    PeerOptions options;
    std::string error;
    ASSERT_TRUE(ParsePeerOptions({"kestrel-peer", "--count", "0", "--master", "0", "--auth", "127.0.0.1:6002",
                                  "--pylon", "127.0.0.1:6001", "--next-master", "127.0.0.1:27999"},
                                 options, error))
        << error;
    PeerNetwork network;
    ASSERT_TRUE(network.Start(options, error)) << error;
    TestDocument doc;
    doc.services.Parse(("Master { 127.0.0.1:" + std::to_string(network.Master()->Port()) + " }").c_str(), "t.lst");
    ServerDataExchange exchange(doc, doc.services);
    ServerDataExchange::State state = ServerDataExchange::State::Running;
    QElapsedTimer timer;
    timer.start();
    while (state == ServerDataExchange::State::Running && timer.elapsed() < 3000) {
        state = exchange.Tick();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 2);
    }
    EXPECT_EQ(state, ServerDataExchange::State::Succeeded);
    ASSERT_EQ(doc.services.MasterList().size(), 2u);
    EXPECT_EQ(doc.services.MasterList()[1].port, 27999);
    EXPECT_EQ(doc.services.AuthList().size(), 1u);
    EXPECT_EQ(doc.services.PylonList().size(), 1u);
}

TEST(PeerLoopback, FiveThousandServersStartQuicklyAndAnswer)
{
    RaiseOpenFileLimit();
    PeerOptions options;
    std::string error;
    ASSERT_TRUE(ParsePeerOptions({"kestrel-peer", "--port", "0", "--count", "5000"}, options, error));
    QElapsedTimer timer;
    timer.start();
    PeerNetwork network;
    ASSERT_TRUE(network.Start(options, error)) << error;
    EXPECT_LT(timer.elapsed(), 5000);
    // A sample spread over the whole range answers its info request.
    std::vector<std::unique_ptr<CServerInfo>> records;
    for (size_t i = 0; i < 5000; i += 250)
        records.push_back(RecordFor(network.GameServers()[i]->Port()));
    records.push_back(RecordFor(network.GameServers().back()->Port()));
    ASSERT_TRUE(Refresh(records, Params(RefreshParams::kRequestInfo, 16)));
    for (const auto& r : records)
        EXPECT_EQ(r->status, CServerInfo::Done) << r->port;
}
