// The list and count exchanges against kestrel-peer's custom-game master and master
// server on loopback: paging, dropped records, every hostile mode ending within its
// bounds, the count exchange's re-sends with an injected clock, the download notice.
#include "app/text/ServiceAddressList.h"
#include "mods/catalogue/ReceivedModCheck.h"
#include "mods/master/ModExchange.h"
#include "peer/ModMasterResponder.h"
#include "peer/PeerNetwork.h"
#include "support/RecordingPrompt.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <gtest/gtest.h>

namespace {

using Game = std::vector<std::pair<std::string, std::string>>;

Game MakeGame(const std::string& gamedir, const std::string& name = {})
{
    return {{"game", name.empty() ? "Game " + gamedir : name}, {"gamedir", gamedir}, {"version", "2"}};
}

struct Peers
{
    explicit Peers(ModMasterConfig config, bool master = true)
    {
        PeerOptions options;
        config.port = 0;
        options.modMaster = config;
        if (master) {
            MasterServerConfig masterConfig;
            masterConfig.port = 0;
            options.master = masterConfig;
        }
        std::string error;
        started = network.Start(options, error);
        addresses.Clear();
        addresses.Parse(("ModServer { 127.0.0.1:" + std::to_string(network.ModMaster()->Port()) + " }\n" +
                         (master ? "Master { 127.0.0.1:" + std::to_string(network.Master()->Port()) + " }\n" : ""))
                            .c_str(),
                        "test");
    }
    PeerNetwork network;
    ServiceAddressList addresses;
    bool started = false;
};

// A clock the test moves: each tick of Run() adds step seconds.
struct FakeClock
{
    double now = 100.0;
    ModExchange::Clock Fn()
    {
        return [this] { return now; };
    }
};

// Ticks the exchange with events in between until it ends; false when it did not end
// within the number of passes (a hang).
bool RunUntilEnd(ModExchange& exchange, FakeClock& clock, double step, int passes = 200000)
{
    for (int i = 0; i < passes; ++i) {
        QCoreApplication::processEvents();
        if (exchange.Tick())
            return true;
        clock.now += step;
    }
    return false;
}

} // namespace

TEST(ModListExchange, PagesUntilPositionZeroAndDropsUnusableRecords)
{
    ModMasterConfig config;
    config.pageSize = 2;
    config.games = {MakeGame("alpha"), MakeGame("beta"), {{"game", "No dir"}}, MakeGame("../up"),
                    MakeGame("gamma"), MakeGame("Harrow"), MakeGame("delta")};
    Peers peers(config);
    ASSERT_TRUE(peers.started);
    FakeClock clock;
    ModListExchange exchange(clock.Fn());
    ASSERT_TRUE(exchange.Start(peers.addresses));
    ASSERT_TRUE(RunUntilEnd(exchange, clock, 0.0));
    EXPECT_TRUE(exchange.Socket()->Done());
    EXPECT_EQ(exchange.Socket()->Pages(), 4);
    EXPECT_EQ(exchange.Socket()->Dropped(), 3);
    const ModList result = exchange.TakeResult();
    EXPECT_EQ(result.size(), 4u);
    for (const char* dir : {"alpha", "beta", "gamma", "delta"})
        EXPECT_TRUE(FindModByDir(result, dir)) << dir;
}

TEST(ModListExchange, NoCustomGameMasterIsSaid)
{
    RecordingPrompt prompt;
    ServiceAddressList addresses;
    ModListExchange exchange;
    EXPECT_FALSE(exchange.Start(addresses));
    ASSERT_EQ(prompt.Texts().size(), 1u);
    EXPECT_EQ(prompt.Texts()[0], kNoModMasterText);
}

class HostileModList : public ::testing::TestWithParam<HostileModMaster>
{
};

TEST_P(HostileModList, EndsWithinItsBounds)
{
    ModMasterConfig config;
    config.pageSize = 3;
    config.hostile = GetParam();
    for (int i = 0; i < 9; ++i)
        config.games.push_back(MakeGame("game" + std::to_string(i)));
    Peers peers(config);
    ASSERT_TRUE(peers.started);
    FakeClock clock;
    ModListExchange exchange(clock.Fn());
    ASSERT_TRUE(exchange.Start(peers.addresses));
    // A thousandth of a second per pass: the 3-second limit takes 3,000 passes.
    ASSERT_TRUE(RunUntilEnd(exchange, clock, 0.001));
    EXPECT_LE(exchange.Socket()->Pages(), CKSModSocket::kMaxPages);
    const ModList result = exchange.TakeResult();
    EXPECT_LE(int(result.size()), CKSModSocket::kMaxRecords);
    for (const CModRecord& record : result)
        EXPECT_TRUE(IsSafeGameDir(record.GetKeyText("gamedir")));
    switch (GetParam()) {
    case HostileModMaster::WrongHeader:
    case HostileModMaster::Truncated:
    case HostileModMaster::Silent:
    case HostileModMaster::NegativeCount:
        EXPECT_TRUE(result.empty());
        break;
    case HostileModMaster::EndlessPages:
        EXPECT_EQ(int(result.size()), CKSModSocket::kMaxPages);
        break;
    case HostileModMaster::Flood:
        EXPECT_EQ(result.size(), 9u); // the copies add nothing and end nothing early
        break;
    default:
        break;
    }
}

INSTANTIATE_TEST_SUITE_P(Modes, HostileModList,
                         ::testing::Values(HostileModMaster::WrongHeader, HostileModMaster::Truncated,
                                           HostileModMaster::CountBeyond, HostileModMaster::NegativeCount,
                                           HostileModMaster::EndlessPages, HostileModMaster::SameNext,
                                           HostileModMaster::Flood, HostileModMaster::Silent,
                                           HostileModMaster::FfStrings));

TEST(ModCountExchange, AddsCountsAcrossPages)
{
    ModMasterConfig config;
    config.countPageSize = 1;
    config.counts = {{"alpha", 3, 10}, {"beta", 1, 2}, {"zeta", 9, 9}};
    Peers peers(config);
    ASSERT_TRUE(peers.started);
    ModList list;
    list.push_back(CModRecord());
    list.back().SetKey("gamedir", "ALPHA");
    list.back().SetKey("servers", "0");
    list.back().SetKey("players", "0");
    list.push_back(CModRecord());
    list.back().SetKey("gamedir", "beta");
    FakeClock clock;
    ModCountExchange exchange(list, clock.Fn());
    ASSERT_TRUE(exchange.Start(peers.addresses));
    ASSERT_TRUE(RunUntilEnd(exchange, clock, 0.0));
    EXPECT_FALSE(exchange.Socket()->Failed());
    EXPECT_EQ(FindModByDir(list, "alpha")->GetKeyText("servers"), "3");
    EXPECT_EQ(FindModByDir(list, "alpha")->GetKeyText("players"), "10");
    EXPECT_EQ(FindModByDir(list, "beta")->GetKeyText("servers"), "1");
    EXPECT_EQ(FindModByDir(list, "beta")->GetKeyText("players"), "2");
    EXPECT_EQ(exchange.Socket()->Pages(), 3);
    EXPECT_EQ(exchange.Socket()->Sends(), 3);
}

TEST(ModCountExchange, SilenceIsAskedFourTimesAndFailsAfterFifteenSeconds)
{
    ModMasterConfig config;
    config.countHostile = HostileModCounts::Silent;
    Peers peers(config);
    ASSERT_TRUE(peers.started);
    ModList list;
    FakeClock clock;
    ModCountExchange exchange(list, clock.Fn());
    ASSERT_TRUE(exchange.Start(peers.addresses));
    const double start = clock.now;
    ASSERT_TRUE(RunUntilEnd(exchange, clock, 0.25));
    EXPECT_TRUE(exchange.Socket()->Failed());
    EXPECT_EQ(exchange.Socket()->Sends(), 4);
    EXPECT_DOUBLE_EQ(clock.now - start, 15.0);
}

TEST(ModCountExchange, NoMasterServerIsSaid)
{
    RecordingPrompt prompt;
    ServiceAddressList addresses;
    ModList list;
    ModCountExchange exchange(list);
    EXPECT_FALSE(exchange.Start(addresses));
    ASSERT_EQ(prompt.Texts().size(), 1u);
    EXPECT_EQ(prompt.Texts()[0], kNoMasterText);
}

class HostileModCountsTest : public ::testing::TestWithParam<HostileModCounts>
{
};

TEST_P(HostileModCountsTest, EndsWithinItsBounds)
{
    ModMasterConfig config;
    config.countHostile = GetParam();
    Peers peers(config);
    ASSERT_TRUE(peers.started);
    ModList list;
    FakeClock clock;
    ModCountExchange exchange(list, clock.Fn());
    ASSERT_TRUE(exchange.Start(peers.addresses));
    ASSERT_TRUE(RunUntilEnd(exchange, clock, 0.001));
    EXPECT_LE(exchange.Socket()->Pages(), CModInfoSocket::kMaxPages);
    EXPECT_LT(clock.now - 100.0, CModInfoSocket::kMaxSeconds);
    if (GetParam() == HostileModCounts::SameKey) {
        EXPECT_EQ(exchange.Socket()->Pages(), 1);
    }
    if (GetParam() == HostileModCounts::MoreForever) {
        EXPECT_EQ(exchange.Socket()->Pages(), CModInfoSocket::kMaxPages);
    }
}

INSTANTIATE_TEST_SUITE_P(Modes, HostileModCountsTest,
                         ::testing::Values(HostileModCounts::MoreForever, HostileModCounts::SameKey,
                                           HostileModCounts::Junk));

TEST(ModCountProtocol, RequestsAndRepliesHaveTheirLayout)
{
    const std::vector<uint8_t> request = ComposeModCountRequest("skyline");
    EXPECT_EQ(std::string(request.begin(), request.end()), std::string("x\r\nskyline\r\n\0", 13));
    EXPECT_EQ(ComposeModListRequest(5), (std::vector<uint8_t>{'n', 5, 0, 0, 0}));

    ModList list;
    list.push_back(CModRecord());
    list.back().SetKey("gamedir", "sky");
    const uint8_t empty[] = "\xff\xff\xff\xffy\0sky\0" "3\0\0end-of-list";
    const auto page = ParseModCountReply(empty, sizeof empty);
    ASSERT_TRUE(page);
    ApplyModCounts(list, *page);
    EXPECT_EQ(list.front().GetKey("servers"), nullptr); // an empty player text changes nothing
    const uint8_t big[] = "\xff\xff\xff\xffy\0sky\0" "2147483647\0" "1\0more-in-list";
    ApplyModCounts(list, *ParseModCountReply(big, sizeof big));
    ApplyModCounts(list, *ParseModCountReply(big, sizeof big));
    EXPECT_EQ(list.front().GetKeyText("servers"), "2147483647");
    EXPECT_TRUE(ParseModCountReply(big, sizeof big)->more);
}

TEST(ModDownloadNotice, TheCustomGameMasterHearsTheUniqueId)
{
    Peers peers(ModMasterConfig{}, false);
    ASSERT_TRUE(peers.started);
    ASSERT_TRUE(SendModDownloadNotice(peers.addresses, 4242));
    QElapsedTimer timer;
    timer.start();
    while (peers.network.ModMaster()->Notices().empty() && timer.elapsed() < 5000)
        QCoreApplication::processEvents();
    ASSERT_EQ(peers.network.ModMaster()->Notices().size(), 1u);
    EXPECT_EQ(peers.network.ModMaster()->Notices()[0], 4242);
}
