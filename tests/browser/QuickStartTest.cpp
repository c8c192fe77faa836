// Which servers the quick start considers, and the order it tries them in.
#include "browser/list/QuickStart.h"
#include "RecordChain.h"
#include "app/engine/EngineStatus.h"
#include "app/settings/ActiveCustomGame.h"

#include <gtest/gtest.h>

using Names = std::vector<std::string>;

namespace {

Names CandidateNames(const CandidateList& list)
{
    Names names;
    for (const CServerInfo* r = list.head; r; r = r->nextCandidate)
        names.push_back(r->name);
    return names;
}

Names Ranked(const RecordChain& list, int rate)
{
    std::vector<CServerInfo*> rows = list.All();
    RankServers(rows, rate);
    Names names;
    for (const CServerInfo* r : rows)
        names.push_back(r->name);
    return names;
}

} // namespace

TEST(QuickStartCandidates, EachConditionExcludes)
{
    RecordChain list;
    list.Add("good");
    list.Add("querying").status = CServerInfo::InfoSent;
    list.Add("noresponse").noresponse = true;
    list.Add("unmeasured").svping = 0.0;
    list.Add("single").maxplayers = 1;
    list.Add("full").currentplayers = 16;
    list.Add("old protocol").protocol = 44;
    list.Add("unknown protocol").protocol = 0;
    list.Add("other dir").dir = "harrow";
    list.Add("upper dir").dir = "VREL";
    list.Add("current").address = "192.168.0.7";

    const CandidateList all = QuickStartCandidates(list.Head(), QuickStartContext{});
    EXPECT_EQ(CandidateNames(all), Names({"good", "unknown protocol", "current"}));
    EXPECT_EQ(all.count, 3);

    QuickStartContext exclude;
    exclude.excludeCurrentServer = true;
    exclude.currentServer = "192.168.0.7";
    EXPECT_EQ(CandidateNames(QuickStartCandidates(list.Head(), exclude)), Names({"good", "unknown protocol"}));
}

TEST(QuickStartCandidates, RunningCustomGameNeedsAMatchingDir)
{
    RecordChain list;
    list.Add("vrel");
    list.Add("path").dir = "mods/vrel";
    QuickStartContext context;
    context.customGameRunning = true;
    context.currentGame = "VREL";
    // A matching base name passes the custom game check; the dir must still be "vrel".
    EXPECT_EQ(CandidateNames(QuickStartCandidates(list.Head(), context)), Names({"vrel"}));
    context.currentGame = "harrow";
    EXPECT_EQ(QuickStartCandidates(list.Head(), context).count, 0);
}

TEST(QuickStartCandidates, ContextComesFromTheActiveCustomGame)
{
    SetActiveCustomGame(std::nullopt);
    QuickStartContext none = CurrentQuickStartContext(nullptr);
    EXPECT_FALSE(none.customGameRunning);
    EXPECT_EQ(none.currentGame, "harrow");
    EXPECT_FALSE(none.excludeCurrentServer);

    SetActiveCustomGame(ActiveCustomGameInfo{"Vrel", "", "", 0});
    const std::string server = "10.0.0.9";
    QuickStartContext empty = CurrentQuickStartContext(&server);
    EXPECT_TRUE(empty.customGameRunning);
    EXPECT_EQ(empty.currentGame, "harrow");
    EXPECT_TRUE(empty.excludeCurrentServer);
    EXPECT_EQ(empty.currentServer, "10.0.0.9");

    SetActiveCustomGame(ActiveCustomGameInfo{"Vrel", "vrel", "", 0});
    EXPECT_EQ(CurrentQuickStartContext(nullptr).currentGame, "vrel");
    SetActiveCustomGame(std::nullopt);
}

TEST(QuickStartCandidates, CurrentServerAddressFromTheEngineStatus)
{
    EngineStatus status;
    status.address = {192, 168, 0, 255};
    EXPECT_EQ(CurrentServerAddress(status), "192.168.0.255");
}

TEST(QuickStartCandidates, FastestIsTheFirstOfTheSmallestPing)
{
    RecordChain list;
    list.Add("slow").svping = 0.3;
    list.Add("fast").svping = 0.02;
    list.Add("fast too").svping = 0.02;
    list.Add("absurd").svping = -1.0;
    list.Add("huge").svping = 200000.0;
    list[3].svping = 0.5;
    const CandidateList c = QuickStartCandidates(list.Head(), QuickStartContext{});
    ASSERT_NE(c.fastest, nullptr);
    EXPECT_EQ(c.fastest->name, "fast");

    RecordChain far;
    far.Add("huge").svping = 200000.0;
    EXPECT_EQ(QuickStartCandidates(far.Head(), QuickStartContext{}).fastest, nullptr);
}

TEST(QuickStartScores, CapacityFromTheConnectionRate)
{
    EXPECT_EQ(CapacityForRate(9999), 32);
    EXPECT_EQ(CapacityForRate(9500), 24);
    EXPECT_EQ(CapacityForRate(5000), 24);
    EXPECT_EQ(CapacityForRate(3500), 16);
    EXPECT_EQ(CapacityForRate(3000), 10);
    EXPECT_EQ(CapacityForRate(2500), 6);
    EXPECT_EQ(CapacityForRate(2400), 4);
    EXPECT_EQ(CapacityScore(12, 2500), 0);
    EXPECT_EQ(CapacityScore(13, 2500), 0);
    EXPECT_EQ(CapacityScore(9, 2500), 50);
    EXPECT_EQ(CapacityScore(6, 2500), 100);
    // Integer arithmetic: 100 - 100 * 1 / 6 = 100 - 16.
    EXPECT_EQ(CapacityScore(7, 2500), 84);
}

TEST(QuickStartScores, PingScore)
{
    EXPECT_EQ(PingScore(0.0), 0);
    EXPECT_EQ(PingScore(0.0499), 100);
    EXPECT_EQ(PingScore(0.1), 93);
    EXPECT_EQ(PingScore(0.2), 80);
    EXPECT_EQ(PingScore(0.5), 40);
    EXPECT_EQ(PingScore(0.8), 0);
    EXPECT_EQ(PingScore(0.9), 0);
}

TEST(QuickStartScores, FillScorePeaksAtHalfFull)
{
    EXPECT_EQ(FillScore(0, 16), 0);
    EXPECT_EQ(FillScore(16, 16), 0);
    EXPECT_EQ(FillScore(3, 0), 0);
    EXPECT_EQ(FillScore(8, 16), 100);
    EXPECT_EQ(FillScore(4, 16), 60);
    EXPECT_EQ(FillScore(1, 16), 30);
    EXPECT_EQ(FillScore(15, 16), 30);
    EXPECT_EQ(FillScore(1, 3), 100);
    EXPECT_EQ(FillScore(2, 3), 20);
    EXPECT_EQ(FillScore(40, 16), 20); // more players than slots: clamped
    EXPECT_EQ(FillScore(std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()), 20);
}

TEST(RankCandidates, ProxiesFirstAndEqualAmongThemselves)
{
    RecordChain list;
    list.Add("server");
    list.Add("proxy slow").proxy = true;
    list.Add("proxy fast").proxy = true;
    list[1].svping = 0.9;
    list[2].svping = 0.01;
    EXPECT_EQ(Ranked(list, 9999), Names({"proxy slow", "proxy fast", "server"}));
}

TEST(RankCandidates, MeasuredPingsThenKnownMapsThenDedicated)
{
    RecordChain list;
    list.Add("unmeasured").svping = 0.0;
    list.Add("unknown map").map = "?";
    list.Add("listen").svtype = 'l';
    list.Add("dedicated");
    EXPECT_EQ(Ranked(list, 9999), Names({"dedicated", "listen", "unknown map", "unmeasured"}));
}

TEST(RankCandidates, SomePlayersThenHigherScoreThenCreationOrder)
{
    RecordChain list;
    list.Add("empty").currentplayers = 0;
    list.Add("quarter");                 // 4/16: fill 60
    list.Add("half").currentplayers = 8; // fill 100
    list.Add("half again").currentplayers = 8;
    list.Add("half slow").currentplayers = 8;
    list[4].svping = 0.5;
    // The empty server scores best on ping and capacity but has no players.
    list[0].svping = 0.01;
    // Totals: half 5*100 + 4*100 + 3*100 = 1200, quarter 500 + 400 + 3*60 = 1080,
    // half slow 500 + 4*40 + 300 = 960.
    EXPECT_EQ(Ranked(list, 9999), Names({"half", "half again", "quarter", "half slow", "empty"}));
}

TEST(RankCandidates, CapacityWeighsWithTheRate)
{
    RecordChain list;
    CServerInfo& big = list.Add("big");
    big.maxplayers = 32;
    big.currentplayers = 16;
    CServerInfo& small = list.Add("small");
    small.maxplayers = 8;
    small.currentplayers = 4;
    EXPECT_EQ(Ranked(list, 9999), Names({"big", "small"}));
    EXPECT_EQ(Ranked(list, 2500), Names({"small", "big"}));
}

TEST(RankCandidates, RelinksTheCandidateList)
{
    RecordChain list;
    list.Add("far").svping = 0.6;
    list.Add("near").svping = 0.03;
    list.Add("listen").svtype = 'l';
    CandidateList c = QuickStartCandidates(list.Head(), QuickStartContext{});
    ASSERT_EQ(c.count, 3);
    RankCandidates(c, 9999);
    EXPECT_EQ(CandidateNames(c), Names({"near", "far", "listen"}));
    EXPECT_EQ(c.fastest->name, "near");

    CandidateList empty;
    RankCandidates(empty, 9999);
    EXPECT_EQ(empty.head, nullptr);
}
