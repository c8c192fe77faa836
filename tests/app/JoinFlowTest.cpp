// The join flow against a scripted engine: protocol check, passwords, the join's
// notifications and the after-failure handling.
#include "app/menu/JoinFlow.h"
#include "app/menu/ConnectLoop.h"
#include "app/settings/CommandLine.h"
#include "app/text/StringList.h"

#include "support/RecordingPrompt.h"
#include "support/ScriptedJoinEngine.h"
#include "ui/InputPrompt.h"

#include <gtest/gtest.h>

namespace {

EngineStatus StatusWith(int connection, int active, const std::string& text = {})
{
    EngineStatus status;
    status.connectionState = connection;
    status.active = active;
    status.text = text;
    return status;
}

class JoinFlowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        EffectiveCommandLine() = CommandLine("kestrel -game vrel");
        server.address = "127.0.0.1";
        server.port = 27016;
        server.protocol = 45;
        server.name = "Yard";
        join.SetPlayerName([] { return std::string("Ann"); });
        engine.status = [](double) { return StatusWith(kConnectionPlaying, 1); };
    }
    void TearDown() override { EffectiveCommandLine() = CommandLine(); }

    std::vector<std::string> PasswordCommands() const
    {
        std::vector<std::string> sent;
        for (const std::string& command : engine.commands)
            if (command.rfind("password ", 0) == 0)
                sent.push_back(command);
        return sent;
    }

    RecordingPrompt prompt;
    ScriptedInputPrompt input;
    ScriptedJoinEngine engine;
    JoinFlow join{engine};
    JoinTarget server;
};

TEST_F(JoinFlowTest, SuccessfulJoinSendsConnectAndHidesTheConsole)
{
    EXPECT_TRUE(join.JoinServer(&server));
    EXPECT_EQ(engine.starts, 1);
    EXPECT_TRUE(engine.Sent("name \"Ann\"\nconnect 127.0.0.1:27016\n"));
    EXPECT_EQ(engine.commands.back(), "hideconsole\n");
    EXPECT_EQ(engine.notified, (std::vector<int>{16, 2}));
    EXPECT_FALSE(engine.busy);
    EXPECT_EQ(engine.suspends, 0);
    for (const char* variable : {kConnectMessage, kConnectMessage1, kConnectMessage2})
        EXPECT_EQ(engine.variables[variable], "0") << variable;
    EXPECT_EQ(engine.shown[kConnectMessage].front(), "Starting Network...");
    EXPECT_TRUE(prompt.Texts().empty());
}

TEST_F(JoinFlowTest, AddressWithItsPortIsSentAsItStands)
{
    server.address = "127.0.0.1:27020";
    server.addressHasPort = true;
    EXPECT_TRUE(join.JoinServer(&server));
    EXPECT_TRUE(engine.Sent("name \"Ann\"\nconnect 127.0.0.1:27020\n"));
}

TEST_F(JoinFlowTest, ConnectedButInactiveGameIsAFailure)
{
    engine.status = [](double) { return StatusWith(kConnectionPlaying, 0); };
    EXPECT_FALSE(join.JoinServer(&server));
    EXPECT_EQ(engine.suspends, 1);
    EXPECT_FALSE(engine.background);
}

TEST_F(JoinFlowTest, OtherProtocolIsRefusedBeforeTheEngineStarts)
{
    server.protocol = 44;
    EXPECT_FALSE(join.JoinServer(&server));
    EXPECT_EQ(engine.starts, 0);
    ASSERT_EQ(prompt.Texts().size(), 1u);
    EXPECT_EQ(prompt.Texts()[0], GetString(499));
}

TEST_F(JoinFlowTest, UnknownProtocolIsJoined)
{
    server.protocol = 0;
    EXPECT_TRUE(join.JoinServer(&server));
}

TEST_F(JoinFlowTest, PasswordFromTheLoadedEngine)
{
    server.needsPassword = true;
    engine.loaded = true;
    engine.variables["password"] = "hawk";
    EXPECT_TRUE(join.JoinServer(&server));
    EXPECT_EQ(PasswordCommands(), (std::vector<std::string>{"password \"hawk\"\n"}));
    EXPECT_TRUE(input.Questions().empty());
}

TEST_F(JoinFlowTest, PasswordFromTheCommandLineWithoutAnEngine)
{
    server.needsPassword = true;
    EffectiveCommandLine() = CommandLine("kestrel -password plain +password plus -game vrel");
    EXPECT_TRUE(join.JoinServer(&server));
    EXPECT_EQ(PasswordCommands(), (std::vector<std::string>{"password \"plus\"\n"}));
    EffectiveCommandLine() = CommandLine("kestrel -password plain -game vrel");
    engine.commands.clear();
    engine.loaded = false;
    EXPECT_TRUE(join.JoinServer(&server));
    EXPECT_EQ(PasswordCommands(), (std::vector<std::string>{"password \"plain\"\n"}));
}

TEST_F(JoinFlowTest, PlusPasswordWithoutAValueLeavesMinusPasswordToBeUsed)
{
    server.needsPassword = true;
    EffectiveCommandLine() = CommandLine("kestrel -game vrel -password plain +password");
    EXPECT_TRUE(join.JoinServer(&server));
    EXPECT_EQ(PasswordCommands(), (std::vector<std::string>{"password \"plain\"\n"}));
    EXPECT_TRUE(input.Questions().empty());
}

TEST_F(JoinFlowTest, EngineQuitDuringTheJoinLeavesTheMenuAlone)
{
    constexpr int kConnectionWaiting = 3; // neither refused, negotiating nor playing
    engine.status = [](double) { return StatusWith(kConnectionWaiting, 0, "waiting"); };
    engine.onFrame = [this] { engine.ending = engine.frames >= 20; };
    EXPECT_FALSE(join.JoinServer(&server));
    EXPECT_TRUE(join.Ended());
    EXPECT_EQ(engine.frames, 20);
    EXPECT_FALSE(engine.busy);
    EXPECT_EQ(engine.suspends, 0);
    EXPECT_EQ(engine.notified, (std::vector<int>{16}));
    EXPECT_FALSE(engine.Sent("disconnect\n"));
}

TEST_F(JoinFlowTest, NoneOrEmptyPasswordAsksThePlayer)
{
    server.needsPassword = true;
    engine.loaded = true;
    engine.variables["password"] = "NoNe";
    input.AddAnswer("swift");
    EXPECT_TRUE(join.JoinServer(&server));
    ASSERT_EQ(input.Questions().size(), 1u);
    EXPECT_EQ(input.Questions()[0], GetString(468));
    EXPECT_EQ(PasswordCommands(), (std::vector<std::string>{"password \"swift\"\n"}));
}

TEST_F(JoinFlowTest, CancelledOrEmptyAnswerEndsTheJoin)
{
    server.needsPassword = true;
    EXPECT_FALSE(join.JoinServer(&server));
    input.AddAnswer("");
    EXPECT_FALSE(join.JoinServer(&server));
    EXPECT_EQ(engine.starts, 0);
    EXPECT_EQ(input.Questions().size(), 2u);
}

TEST_F(JoinFlowTest, PasswordOf128CharactersTakenAnd129Refused)
{
    server.needsPassword = true;
    input.AddAnswer(std::string(129, 'p'));
    EXPECT_FALSE(join.JoinServer(&server));
    EXPECT_EQ(engine.starts, 0);
    // The field itself lets an overlong answer through, so it is refused, not cut.
    EXPECT_GT(input.MaxLengths().at(0), 128u);

    input.AddAnswer(std::string(128, 'p'));
    EXPECT_TRUE(join.JoinServer(&server));
    EXPECT_EQ(PasswordCommands(), (std::vector<std::string>{"password \"" + std::string(128, 'p') + "\"\n"}));
}

TEST_F(JoinFlowTest, OverlongKnownPasswordIsAskedForAgain)
{
    server.needsPassword = true;
    EffectiveCommandLine() = CommandLine("kestrel +password " + std::string(100, 'x') + " -game vrel");
    EXPECT_TRUE(join.JoinServer(&server));
    EXPECT_TRUE(input.Questions().empty());
    engine.loaded = true;
    engine.variables["password"] = std::string(129, 'x');
    input.AddAnswer("short");
    EXPECT_TRUE(join.JoinServer(&server));
    EXPECT_EQ(input.Questions().size(), 1u);
}

TEST_F(JoinFlowTest, EngineThatFailsToStartEndsTheJoin)
{
    engine.startSucceeds = false;
    EXPECT_FALSE(join.JoinServer(&server));
    EXPECT_TRUE(engine.commands.empty());
    EXPECT_TRUE(engine.notified.empty());
}

TEST_F(JoinFlowTest, RefusedJoinDisconnectsAndBringsTheMenuBack)
{
    engine.status = [](double) { return StatusWith(kConnectionNone, 0, "Refused: Server is full."); };
    EXPECT_FALSE(join.JoinServer(&server));
    EXPECT_TRUE(engine.Sent("disconnect\n"));
    EXPECT_FALSE(engine.Sent("hideconsole\n"));
    EXPECT_EQ(engine.suspends, 1);
    EXPECT_EQ(engine.notified, (std::vector<int>{16, 2}));
}

TEST_F(JoinFlowTest, BadPasswordBringsThePromptBack)
{
    engine.status = [](double) { return StatusWith(kConnectionNone, 0, "Refused: BADPASSWORD"); };
    input.AddAnswer("second");
    EXPECT_TRUE(join.AfterFailedJoin());
    EXPECT_EQ(input.Questions(), (std::vector<std::string>{GetString(468)}));
    EXPECT_EQ(engine.commands.back(), "password \"second\"\n");
    EXPECT_TRUE(prompt.Texts().empty());

    input.AddAnswer(std::string(129, 'q'));
    EXPECT_FALSE(join.AfterFailedJoin());
    EXPECT_EQ(engine.commands.size(), 1u);
}

TEST_F(JoinFlowTest, OtherFailureShowsTheReasonAfterTheFirstColon)
{
    engine.status = [](double) { return StatusWith(kConnectionNone, 0, "Refused: Server is full: sorry"); };
    EXPECT_FALSE(join.AfterFailedJoin());
    ASSERT_EQ(prompt.Texts().size(), 1u);
    EXPECT_EQ(prompt.Texts()[0], FormatString(467, " Server is full: sorry"));
    EXPECT_TRUE(input.Questions().empty());
}

TEST_F(JoinFlowTest, FailureWithoutAColonShowsTheDefaultReason)
{
    EXPECT_EQ(JoinFlow::FailureReason("gone"), "Could not complete connection attempt.");
    EXPECT_EQ(JoinFlow::FailureReason(""), "Could not complete connection attempt.");
    EXPECT_EQ(JoinFlow::FailureReason("a:"), "");
}

TEST_F(JoinFlowTest, QuickStartWithoutAServerListFindsNoServer)
{
    EXPECT_FALSE(join.JoinServer(nullptr));
    EXPECT_TRUE(join.NoServerFound());
    const std::vector<std::string>& steps = engine.shown[kConnectMessage];
    ASSERT_GE(steps.size(), 2u);
    EXPECT_EQ(steps[steps.size() - 2], GetString(350));
    EXPECT_EQ(steps.back(), "0");
    EXPECT_EQ(engine.suspends, 1);
}

} // namespace
