// Joins through the join flow, the real stand-in engine and peer game servers on
// 127.0.0.1.
#include "EngineFixture.h"

#include "app/menu/ConnectLoop.h"
#include "app/menu/HostJoinEngine.h"
#include "app/menu/JoinFlow.h"
#include "app/text/StringList.h"
#include "platform/TerminationSignals.h"
#include "ui/InputPrompt.h"

#include <QTimer>

#include <csignal>

namespace {

class JoinServerTest : public EngineFixture
{
protected:
    void SetUp() override
    {
        EngineFixture::SetUp();
        join.SetPlayerName([] { return std::string("Ann"); });
    }

    JoinTarget Target(const PeerGameServer& server, const std::string& name, bool needsPassword = false)
    {
        JoinTarget target;
        target.address = "127.0.0.1";
        target.port = server.Port();
        target.protocol = JoinFlow::kProtocolVersion;
        target.name = name;
        target.needsPassword = needsPassword;
        return target;
    }

    HostJoinEngine engine{host};
    JoinFlow join{engine};
    ScriptedInputPrompt input;
};

TEST_F(JoinServerTest, JoinSucceedsAndThePlayerIsOnTheServer)
{
    GameServerConfig config;
    config.name = "Yard";
    PeerGameServer& server = StartServer(config);
    const JoinTarget target = Target(server, "Yard");
    ASSERT_TRUE(join.JoinServer(&target));
    EXPECT_TRUE(host.Status().Playing());
    EXPECT_EQ(host.State(), kEngineRunning);
    EXPECT_FALSE(host.Busy());
    ASSERT_EQ(server.State().ConnectedPlayers().size(), 1u);
    EXPECT_EQ(server.State().ConnectedPlayers()[0].name, "Ann");
    EXPECT_EQ(host.ConsoleVariable(kConnectMessage), "0");
}

TEST_F(JoinServerTest, WrongPasswordBringsThePromptBackAndTheRightOneJoins)
{
    GameServerConfig config;
    config.password = "secret";
    PeerGameServer& server = StartServer(config);
    const JoinTarget target = Target(server, "Locked", true);
    input.AddAnswer(std::string("wrong"));
    EXPECT_FALSE(join.JoinServer(&target));
    EXPECT_EQ(host.State(), kEngineSuspended);
    EXPECT_NE(host.Status().text.find("BADPASSWORD"), std::string::npos);

    input.AddAnswer(std::string("secret"));
    ASSERT_TRUE(join.AfterFailedJoin());
    EXPECT_EQ(input.Questions(), (std::vector<std::string>(2, GetString(468))));
    EXPECT_TRUE(prompt.shown.empty());
    // The engine holds the new password now, so the next join does not ask.
    ASSERT_TRUE(join.JoinServer(&target));
    EXPECT_EQ(input.Questions().size(), 2u);
    EXPECT_EQ(server.State().PlayerCount(), 1);
}

TEST_F(JoinServerTest, PasswordOf128CharactersJoinsAnd129IsRefused)
{
    GameServerConfig config;
    config.password = std::string(128, 'k');
    PeerGameServer& server = StartServer(config);
    const JoinTarget target = Target(server, "Long", true);
    input.AddAnswer(std::string(129, 'k'));
    EXPECT_FALSE(join.JoinServer(&target));
    EXPECT_FALSE(host.Loaded());
    EXPECT_EQ(server.DatagramsReceived(), 0);

    input.AddAnswer(std::string(128, 'k'));
    ASSERT_TRUE(join.JoinServer(&target));
    EXPECT_EQ(server.State().PlayerCount(), 1);
}

TEST_F(JoinServerTest, OtherProtocolIsRefusedWithoutTouchingTheServer)
{
    PeerGameServer& server = StartServer(GameServerConfig{});
    JoinTarget target = Target(server, "Old");
    target.protocol = 44;
    EXPECT_FALSE(join.JoinServer(&target));
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0], GetString(499));
    EXPECT_FALSE(host.Loaded());
    EXPECT_EQ(server.DatagramsReceived(), 0);
}

TEST_F(JoinServerTest, FullServerShowsItsReason)
{
    GameServerConfig config;
    config.refuseFull = true;
    PeerGameServer& server = StartServer(config);
    const JoinTarget target = Target(server, "Busy");
    EXPECT_FALSE(join.JoinServer(&target));
    EXPECT_FALSE(join.AfterFailedJoin());
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0], FormatString(467, " Server is full."));
    EXPECT_TRUE(input.Questions().empty());
}

TEST_F(JoinServerTest, SilentServerFailsWithTheEnginesReason)
{
    GameServerConfig config;
    config.silent = true;
    PeerGameServer& server = StartServer(config);
    ASSERT_EQ(host.StartEngine(false), 1);
    host.AddCommandText("cl_connecttimeout 0.5\ncl_resend 0.1\n");
    const JoinTarget target = Target(server, "Silent");
    QElapsedTimer timer;
    timer.start();
    EXPECT_FALSE(join.JoinServer(&target));
    EXPECT_LT(timer.elapsed(), 5000);
    EXPECT_EQ(host.State(), kEngineSuspended);
    EXPECT_FALSE(join.AfterFailedJoin());
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_NE(prompt.shown[0].find("did not answer"), std::string::npos) << prompt.shown[0];
}

TEST_F(JoinServerTest, JoinWaitsWhileTheConnectedGameLoads)
{
    PeerGameServer& server = StartServer(GameServerConfig{});
    ASSERT_EQ(host.StartEngine(false), 1);
    // Longer than the join's status interval, so the join surely sees the game
    // connected but not yet active.
    host.AddCommandText("cl_signon 1.2\n");
    const JoinTarget target = Target(server, "Loading");
    QElapsedTimer timer;
    timer.start();
    ASSERT_TRUE(join.JoinServer(&target));
    EXPECT_GE(timer.elapsed(), 1100);
    EXPECT_TRUE(host.Status().Playing());
    EXPECT_EQ(host.State(), kEngineRunning);
    EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(JoinServerTest, BadAddressShowsTheEnginesReason)
{
    JoinTarget target;
    target.address = "127.0.0.1:99999";
    target.addressHasPort = true;
    target.protocol = JoinFlow::kProtocolVersion;
    target.name = "Nowhere";
    EXPECT_FALSE(join.JoinServer(&target));
    EXPECT_FALSE(join.AfterFailedJoin());
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0], FormatString(467, " bad server address 127.0.0.1:99999."));
}

TEST_F(JoinServerTest, EngineQuitDuringAJoinEndsItAtOnce)
{
    GameServerConfig config;
    config.silent = true;
    PeerGameServer& server = StartServer(config);
    ASSERT_EQ(host.StartEngine(false), 1);
    host.AddCommandText("cl_connecttimeout 60\n");
    QTimer::singleShot(300, [this] { host.AddCommandText(kCommandQuit); });
    const JoinTarget target = Target(server, "Silent");
    QElapsedTimer timer;
    timer.start();
    EXPECT_FALSE(join.JoinServer(&target));
    EXPECT_LT(timer.elapsed(), 3000);
    EXPECT_TRUE(join.Ended());
    EXPECT_EQ(quitCodes, (std::vector<int>{1}));
    EXPECT_FALSE(host.Loaded());
    EXPECT_EQ(host.State(), kEngineNoGame);
    EXPECT_FALSE(host.Busy());
    EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(JoinServerTest, TerminationSignalDuringAJoinEndsItAtOnce)
{
    GameServerConfig config;
    config.silent = true;
    PeerGameServer& server = StartServer(config);
    TerminationSignals termination;
    ASSERT_EQ(host.StartEngine(false), 1);
    host.AddCommandText("cl_connecttimeout 60\n");
    QTimer::singleShot(300, [] { std::raise(SIGTERM); });
    const JoinTarget target = Target(server, "Silent");
    QElapsedTimer timer;
    timer.start();
    EXPECT_FALSE(join.JoinServer(&target));
    EXPECT_LT(timer.elapsed(), 3000);
    EXPECT_TRUE(join.Ended());
    EXPECT_TRUE(TerminationSignals::Received());
    EXPECT_FALSE(host.Busy());
    EXPECT_TRUE(prompt.shown.empty());
}

} // namespace
