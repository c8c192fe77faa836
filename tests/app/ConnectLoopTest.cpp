// The connect loop on a scripted engine and clock: time-outs, progress texts and
// quick start's candidates.
#include "app/menu/ConnectLoop.h"
#include "app/menu/QuickStartSource.h"
#include "app/settings/CommandLine.h"
#include "app/text/StringList.h"

#include "support/ScriptedJoinEngine.h"

#include <gtest/gtest.h>

namespace {

constexpr int kConnectionWaiting = 3; // neither refused, negotiating nor playing

EngineStatus StatusWith(int connection, const std::string& text = {})
{
    EngineStatus status;
    status.connectionState = connection;
    status.active = connection == kConnectionPlaying ? 1 : 0;
    status.text = text;
    return status;
}

class ConnectLoopTest : public ::testing::Test
{
protected:
    void SetUp() override { EffectiveCommandLine() = CommandLine("kestrel -game vrel"); }
    void TearDown() override { EffectiveCommandLine() = CommandLine(); }

    ConnectLoop MakeLoop()
    {
        return ConnectLoop(engine, [this](const JoinTarget& target) {
            sent.push_back(target.name);
            sendTimes.push_back(engine.now);
        });
    }

    ScriptedJoinEngine engine;
    std::vector<std::string> sent;
    std::vector<double> sendTimes;
};

JoinTarget Server(const std::string& name)
{
    JoinTarget target;
    target.address = "127.0.0.1";
    target.port = 27015;
    target.name = name;
    return target;
}

TEST_F(ConnectLoopTest, TimeoutOptionHasAFloorOfTwentySeconds)
{
    EXPECT_EQ(ConnectLoop::ConnectTimeoutSeconds(), 120);
    EffectiveCommandLine() = CommandLine("kestrel -timeout 5 -game vrel");
    EXPECT_EQ(ConnectLoop::ConnectTimeoutSeconds(), 20);
    EffectiveCommandLine() = CommandLine("kestrel -timeout 45");
    EXPECT_EQ(ConnectLoop::ConnectTimeoutSeconds(), 45);
}

TEST_F(ConnectLoopTest, TimeoutOptionWithoutAValueCountsAsAbsent)
{
    EffectiveCommandLine() = CommandLine("kestrel -game vrel -timeout");
    EXPECT_EQ(ConnectLoop::ConnectTimeoutSeconds(), 120);
    EffectiveCommandLine() = CommandLine("kestrel -game vrel -timeout ");
    EXPECT_EQ(ConnectLoop::ConnectTimeoutSeconds(), 120);
}

TEST_F(ConnectLoopTest, ShortTimeoutOptionGivesUpAfterTwentySeconds)
{
    EffectiveCommandLine() = CommandLine("kestrel -timeout 5 -game vrel");
    engine.status = [](double) { return StatusWith(kConnectionWaiting, "waiting"); };
    ConnectLoop loop = MakeLoop();
    const JoinTarget server = Server("Yard");
    const double start = engine.now;
    EXPECT_FALSE(loop.Run(&server, nullptr));
    ASSERT_EQ(sendTimes.size(), 1u);
    const double waited = engine.now - sendTimes[0];
    EXPECT_GE(waited, 20.0);
    EXPECT_LT(waited, 20.0 + 2 * engine.step);
    EXPECT_LT(engine.now - start, 21.0);
    EXPECT_EQ(engine.commands.back(), "disconnect\n");
    // The seconds left count down in the first detail line.
    EXPECT_EQ(engine.shown[kConnectMessage1].front(), FormatString(401, 20));
    EXPECT_EQ(engine.shown[kConnectMessage2].back(), "waiting");
}

TEST_F(ConnectLoopTest, DefaultTimeoutIsTwoMinutes)
{
    engine.step = 0.5;
    engine.status = [](double) { return StatusWith(kConnectionWaiting); };
    ConnectLoop loop = MakeLoop();
    const JoinTarget server = Server("Yard");
    EXPECT_FALSE(loop.Run(&server, nullptr));
    EXPECT_NEAR(engine.now - sendTimes[0], 120.0, 1.0);
}

TEST_F(ConnectLoopTest, NegotiatingRestartsTheTimeout)
{
    EffectiveCommandLine() = CommandLine("kestrel -timeout 20");
    double negotiateUntil = 0;
    engine.status = [&](double now) {
        return now < negotiateUntil ? StatusWith(kConnectionNegotiating, "Asking") : StatusWith(kConnectionWaiting);
    };
    negotiateUntil = engine.now + 30.0;
    ConnectLoop loop = MakeLoop();
    const JoinTarget server = Server("Yard");
    EXPECT_FALSE(loop.Run(&server, nullptr));
    EXPECT_GE(engine.now - sendTimes[0], 49.0);
    EXPECT_EQ(engine.shown[kConnectMessage1].front(), "Asking");
}

TEST_F(ConnectLoopTest, ConnectedServerIsAnnounced)
{
    engine.status = [&](double now) {
        return now > 102.0 ? StatusWith(kConnectionPlaying) : StatusWith(kConnectionNegotiating);
    };
    ConnectLoop loop = MakeLoop();
    const JoinTarget server = Server("Yard");
    EXPECT_TRUE(loop.Run(&server, nullptr));
    EXPECT_EQ(engine.variables[kConnectMessage], FormatString(231, "Yard"));
    EXPECT_EQ(loop.Joined().name, "Yard");
    EXPECT_FALSE(engine.Sent("disconnect\n"));
}

TEST_F(ConnectLoopTest, ConnectedButInactiveGameIsWaitedForUntilActive)
{
    engine.status = [](double now) {
        if (now < 101.0)
            return StatusWith(kConnectionNegotiating, "Asking");
        EngineStatus status = StatusWith(kConnectionPlaying, "Loading");
        status.active = now >= 104.0 ? 1 : 0;
        return status;
    };
    ConnectLoop loop = MakeLoop();
    const JoinTarget server = Server("Yard");
    EXPECT_TRUE(loop.Run(&server, nullptr));
    EXPECT_GE(engine.now, 104.0);
    EXPECT_LT(engine.now, 104.0 + ConnectLoop::kStatusInterval + engine.step);
    // While the game loaded, the seconds left and the engine's text were shown.
    ASSERT_FALSE(engine.shown[kConnectMessage2].empty());
    EXPECT_EQ(engine.shown[kConnectMessage2].back(), "Loading");
    EXPECT_EQ(engine.variables[kConnectMessage], FormatString(231, "Yard"));
}

TEST_F(ConnectLoopTest, EngineQuitEndsTheLoopAtTheNextFrame)
{
    // The engine quits on the tenth frame, and the clock it leaves behind reads far
    // behind the one the deadline was set on.
    engine.status = [](double) { return StatusWith(kConnectionWaiting, "waiting"); };
    engine.onFrame = [this] {
        if (engine.frames == 10) {
            engine.ending = true;
            engine.now = 0.0;
        }
    };
    ConnectLoop loop = MakeLoop();
    const JoinTarget server = Server("Yard");
    EXPECT_FALSE(loop.Run(&server, nullptr));
    EXPECT_TRUE(loop.Ended());
    EXPECT_EQ(engine.frames, 10);
    EXPECT_FALSE(loop.NoServerFound());
    EXPECT_FALSE(engine.Sent("disconnect\n"));
}

TEST_F(ConnectLoopTest, RefusalShowsTheTextAndPausesBeforeGivingUp)
{
    engine.status = [](double) { return StatusWith(kConnectionNone, "Refused: full"); };
    ConnectLoop loop = MakeLoop();
    const JoinTarget server = Server("Yard");
    EXPECT_FALSE(loop.Run(&server, nullptr));
    EXPECT_EQ(engine.variables[kConnectMessage], "Refused: full");
    EXPECT_GE(engine.now - sendTimes[0], 0.75);
    EXPECT_LT(engine.now - sendTimes[0], 1.5);
}

// A server list whose master exchange and queries follow a timeline.
class TimelineSource : public QuickStartSource
{
public:
    explicit TimelineSource(ScriptedJoinEngine& engine) : m_engine(engine) {}
    void BeginMasterExchange() override { began = m_engine.now; }
    void Work() override { ++work; }
    bool MasterExchangeInProgress() override { return m_engine.now < exchangeEnds; }
    std::string StatusText() override { return "Asking masters"; }
    int AddressCount() override { return m_engine.now >= addressesAt ? int(servers.size()) : 0; }
    void BeginQuerying() override { queryBegan = m_engine.now; }
    int Unanswered() override { return m_engine.now < queryBegan + queriesTake ? unanswered : 0; }
    int ParallelQueryLimit() override { return 8; }
    std::vector<JoinTarget> OrderedCandidates() override { return servers; }

    double began = -1, queryBegan = -1;
    double exchangeEnds = 0, addressesAt = 0, queriesTake = 1;
    int unanswered = 3;
    int work = 0;
    std::vector<JoinTarget> servers;

private:
    ScriptedJoinEngine& m_engine;
};

TEST_F(ConnectLoopTest, QuickStartTriesCandidatesBestFirst)
{
    TimelineSource source(engine);
    source.servers = {Server("Best"), Server("Second")};
    source.exchangeEnds = engine.now + 2;
    source.addressesAt = engine.now + 1;
    int connects = 0;
    engine.status = [&](double) {
        return connects >= 2 ? StatusWith(kConnectionPlaying) : StatusWith(kConnectionNone);
    };
    ConnectLoop loop(engine, [&](const JoinTarget& target) {
        sent.push_back(target.name);
        ++connects;
    });
    EXPECT_TRUE(loop.Run(nullptr, &source));
    EXPECT_EQ(sent, (std::vector<std::string>{"Best", "Second"}));
    EXPECT_EQ(loop.Joined().name, "Second");
    EXPECT_GT(source.work, 0);
    const auto& steps = engine.shown[kConnectMessage];
    EXPECT_NE(std::find(steps.begin(), steps.end(), "Asking masters"), steps.end());
    EXPECT_NE(std::find(steps.begin(), steps.end(), GetString(377)), steps.end());
    EXPECT_NE(std::find(steps.begin(), steps.end(), GetString(378)), steps.end());
    EXPECT_EQ(engine.shown[kConnectMessage1].front(), "3 servers left...\n");
}

TEST_F(ConnectLoopTest, SilentMastersWithoutAnyAddressFail)
{
    TimelineSource source(engine);
    source.exchangeEnds = engine.now + 1000;
    source.addressesAt = engine.now + 1000;
    ConnectLoop loop = MakeLoop();
    EXPECT_FALSE(loop.Run(nullptr, &source));
    EXPECT_TRUE(loop.NoServerFound());
    EXPECT_NEAR(engine.now - source.began, 10.0, 0.5);
    EXPECT_TRUE(sent.empty());
}

TEST_F(ConnectLoopTest, StalledMastersWithAddressesQueryWhatArrived)
{
    TimelineSource source(engine);
    source.servers = {Server("Only")};
    source.exchangeEnds = engine.now + 1000;
    source.addressesAt = engine.now + 1;
    engine.status = [](double) { return StatusWith(kConnectionPlaying); };
    ConnectLoop loop = MakeLoop();
    EXPECT_TRUE(loop.Run(nullptr, &source));
    EXPECT_NEAR(source.queryBegan - source.began, 11.0, 0.5);
    const auto& steps = engine.shown[kConnectMessage];
    EXPECT_NE(std::find(steps.begin(), steps.end(), GetString(350)), steps.end());
}

TEST_F(ConnectLoopTest, FewStragglersEndQueryingAfterSevenAndAHalfSeconds)
{
    TimelineSource source(engine);
    source.servers = {Server("Only")};
    source.queriesTake = 1000;
    source.unanswered = 2; // fewer than the parallel limit of 8
    engine.status = [](double) { return StatusWith(kConnectionPlaying); };
    ConnectLoop loop = MakeLoop();
    EXPECT_TRUE(loop.Run(nullptr, &source));
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_NEAR(engine.now - source.queryBegan, 7.5, 1.0);
}

TEST_F(ConnectLoopTest, QuickStartLeavesTheCurrentGameFirst)
{
    TimelineSource source(engine);
    engine.status = [](double) { return StatusWith(kConnectionPlaying); };
    ConnectLoop loop = MakeLoop();
    EXPECT_FALSE(loop.Run(nullptr, &source)); // the list stays empty
    ASSERT_FALSE(engine.commands.empty());
    EXPECT_EQ(engine.commands.front(), "disconnect\n");
    EXPECT_TRUE(loop.NoServerFound());
}

TEST_F(ConnectLoopTest, EndingDuringTheMasterExchangeIsNoServerNotFound)
{
    TimelineSource source(engine);
    source.exchangeEnds = engine.now + 1000;
    source.addressesAt = engine.now + 1000;
    engine.onFrame = [this] { engine.ending = engine.frames >= 5; };
    ConnectLoop loop = MakeLoop();
    EXPECT_FALSE(loop.Run(nullptr, &source));
    EXPECT_TRUE(loop.Ended());
    EXPECT_FALSE(loop.NoServerFound());
    EXPECT_EQ(engine.frames, 5);
    const auto& steps = engine.shown[kConnectMessage];
    EXPECT_EQ(std::find(steps.begin(), steps.end(), GetString(350)), steps.end());
}

} // namespace
