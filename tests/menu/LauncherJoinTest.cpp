// Joining from the dialogs through the launcher's engine host: the password prompt
// comes back after a refusal and the join is tried again.
#include "app/menu/LauncherJoin.h"
#include "app/engine/EngineHost.h"
#include "app/engine/QtEngineDisplay.h"
#include "app/menu/JoinFlow.h"
#include "app/settings/CommandLine.h"
#include "app/settings/LauncherState.h"
#include "app/text/StringList.h"
#include "peer/PeerGameServer.h"
#include "support/RecordingPrompt.h"
#include "ui/InputPrompt.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

#include "MenuTestSkin.h"
#include "support/LauncherEngine.h"

namespace {

class LauncherJoinTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        InstallMenuTestSkin();
        UseLauncherEngine();
        EffectiveCommandLine() = CommandLine("kestrel -game vrel");
        SetJoinPlayerName([] { return std::string("Wren"); });
    }
    void TearDown() override
    {
        StopEngine();
        TheEngineDisplay().DestroyEngineWindow();
        SetJoinPlayerName(nullptr);
        EffectiveCommandLine() = CommandLine();
    }

    PeerGameServer& Start(GameServerConfig config)
    {
        config.port = 0;
        server = std::make_unique<PeerGameServer>(config);
        EXPECT_TRUE(server->Start());
        return *server;
    }

    JoinTarget Target(bool needsPassword)
    {
        JoinTarget target;
        target.address = "127.0.0.1";
        target.port = server->Port();
        target.protocol = JoinFlow::kProtocolVersion;
        target.needsPassword = needsPassword;
        target.name = "Peer";
        return target;
    }

    RecordingPrompt prompt;
    ScriptedInputPrompt input;
    std::unique_ptr<PeerGameServer> server;
};

TEST_F(LauncherJoinTest, RefusedPasswordIsAskedAgainAndTheJoinRetried)
{
    GameServerConfig config;
    config.password = "talon";
    Start(config);
    input.AddAnswer(std::string("claw"));
    input.AddAnswer(std::string("talon"));
    const JoinTarget target = Target(true);
    ASSERT_TRUE(LauncherJoinServer(&target));
    EXPECT_EQ(input.Questions().size(), 2u);
    ASSERT_EQ(server->State().ConnectedPlayers().size(), 1u);
    EXPECT_EQ(server->State().ConnectedPlayers()[0].name, "Wren");
    EXPECT_TRUE(prompt.Texts().empty());
}

TEST_F(LauncherJoinTest, CancelledRetryEndsWithTheMenu)
{
    GameServerConfig config;
    config.password = "talon";
    Start(config);
    input.AddAnswer(std::string("claw"));
    const JoinTarget target = Target(true);
    EXPECT_FALSE(LauncherJoinServer(&target));
    EXPECT_EQ(input.Questions().size(), 2u); // the second question was cancelled
    EXPECT_EQ(TheEngineHost().State(), kEngineSuspended);
    EXPECT_EQ(server->State().PlayerCount(), 0);
}

TEST_F(LauncherJoinTest, QuickStartWithoutServersSaysSo)
{
    EXPECT_FALSE(LauncherJoinServer(nullptr));
    ASSERT_EQ(prompt.Texts().size(), 1u);
    EXPECT_EQ(prompt.Texts()[0], GetString(350));
}

} // namespace
