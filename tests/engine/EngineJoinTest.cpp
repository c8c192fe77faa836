// Joining peer game servers through the real stand-in engine.
#include "EngineFixture.h"

#include "app/settings/SettingsStore.h"

TEST_F(EngineFixture, FullCycleLoadStartConnectDisconnectUnload)
{
    GameServerConfig config;
    config.name = "Yard";
    config.map = "dm_arena";
    PeerGameServer& server = StartServer(config);
    ASSERT_EQ(host.StartEngine(false), 1) << loader.LastError();
    EXPECT_TRUE(host.Loaded());
    EXPECT_EQ(host.LibraryName(), "sw.so");
    EXPECT_EQ(host.State(), kEngineRunning);
    ASSERT_NE(display.Window(), nullptr);
    EXPECT_TRUE(display.Window()->isVisible());
    EXPECT_EQ(host.Status().connectionState, kConnectionNone);

    const EngineStatus joined = Join(server.Port(), "Ann Smith");
    EXPECT_EQ(joined.connectionState, kConnectionPlaying);
    EXPECT_TRUE(joined.Playing());
    EXPECT_EQ(joined.address, (std::array<uint8_t, 4>{127, 0, 0, 1}));
    EXPECT_TRUE(joined.InMultiplayerGame());
    ASSERT_EQ(server.State().ConnectedPlayers().size(), 1u);
    EXPECT_EQ(server.State().ConnectedPlayers()[0].name, "Ann Smith");

    host.AddCommandText(kCommandDisconnect);
    EXPECT_TRUE(RunUntil([&] { return server.State().PlayerCount() == 0; }));
    EXPECT_EQ(host.Status().connectionState, kConnectionNone);

    host.StopEngine();
    EXPECT_FALSE(host.Loaded());
    EXPECT_EQ(host.State(), kEngineNoGame);
    EXPECT_TRUE(quitCodes.empty());
}

TEST_F(EngineFixture, JoinedEngineKeepsTellingTheServerItIsThere)
{
    PeerGameServer& server = StartServer(GameServerConfig{});
    int fromPlayer = 0; // datagrams of the game, neither handshakes nor queries
    server.AddProtocol([&](const uint8_t*, size_t, const PeerAddress& from, GameServerState& state) {
        fromPlayer += state.PlayerAt(from) ? 1 : 0;
        return PeerResponse{};
    });
    ASSERT_EQ(host.StartEngine(false), 1);
    ASSERT_EQ(Join(server.Port(), "Ann").connectionState, kConnectionPlaying);
    EXPECT_TRUE(RunUntil([&] { return fromPlayer > 0; }));
}

TEST_F(EngineFixture, NegotiatingReportsStateFourUntilTheServerAnswers)
{
    PeerGameServer& server = StartServer(GameServerConfig{});
    ASSERT_EQ(host.StartEngine(false), 1);
    host.AddCommandText(JoinCommand("Ann", "127.0.0.1", server.Port()));
    host.EngineFrame(true); // the connect runs; no event processing yet, so no reply
    EXPECT_EQ(host.Status().connectionState, kConnectionNegotiating);
    EXPECT_FALSE(host.Status().text.empty());
    EXPECT_TRUE(RunUntil([&] { return host.Status().connectionState == kConnectionPlaying; }));
}

TEST_F(EngineFixture, WrongPasswordComesBackAsBadPassword)
{
    GameServerConfig config;
    config.password = "secret";
    PeerGameServer& server = StartServer(config);
    ASSERT_EQ(host.StartEngine(false), 1);
    host.AddCommandText(PasswordCommand("wrong"));
    EngineStatus status = Join(server.Port());
    EXPECT_EQ(status.connectionState, kConnectionNone);
    EXPECT_NE(status.text.find("BADPASSWORD"), std::string::npos) << status.text;

    // The launcher's "disconnect" after a failed join keeps the reason readable.
    host.AddCommandText(kCommandDisconnect);
    host.EngineFrame(true);
    EXPECT_NE(host.Status().text.find("BADPASSWORD"), std::string::npos);

    host.AddCommandText(PasswordCommand("secret"));
    status = Join(server.Port());
    EXPECT_EQ(status.connectionState, kConnectionPlaying);
    EXPECT_EQ(host.ConsoleVariable("password"), "secret");
}

TEST_F(EngineFixture, FullServerGivesItsReason)
{
    GameServerConfig config;
    config.maxPlayers = 4;
    config.currentPlayers = 4;
    PeerGameServer& server = StartServer(config);
    ASSERT_EQ(host.StartEngine(false), 1);
    const EngineStatus status = Join(server.Port());
    EXPECT_EQ(status.connectionState, kConnectionNone);
    // The launcher shows what follows the first colon as the reason.
    EXPECT_EQ(status.text.substr(status.text.find(':') + 1), " Server is full.");
    EXPECT_EQ(status.text.find("BADPASSWORD"), std::string::npos);
}

TEST_F(EngineFixture, SilentServerTimesOut)
{
    GameServerConfig config;
    config.silent = true;
    PeerGameServer& server = StartServer(config);
    ASSERT_EQ(host.StartEngine(false), 1);
    host.AddCommandText("cl_connecttimeout 0.5\ncl_resend 0.1\n");
    QElapsedTimer timer;
    timer.start();
    const EngineStatus status = Join(server.Port());
    EXPECT_EQ(status.connectionState, kConnectionNone);
    EXPECT_NE(status.text.find("timed out"), std::string::npos) << status.text;
    EXPECT_NE(status.text.substr(status.text.find(':') + 1).find("127.0.0.1:"), std::string::npos);
    EXPECT_GE(timer.elapsed(), 400);
    // The engine kept asking while it waited.
    EXPECT_GE(server.DatagramsReceived(), 3);
}

TEST_F(EngineFixture, ConnectOnTheCommandLineIsUsedOnceAcrossAReload)
{
    PeerGameServer& server = StartServer(GameServerConfig{});
    EffectiveCommandLine() = CommandLine("kestrel +connect 127.0.0.1:" + std::to_string(server.Port()) + " -game vrel");
    ASSERT_EQ(host.StartEngine(false), 1);
    EXPECT_TRUE(RunUntil([&] { return host.Status().connectionState == kConnectionPlaying; }));
    EXPECT_EQ(server.State().PlayerCount(), 1);
    EXPECT_FALSE(FindOption("+connect"));

    host.StopEngine();
    EXPECT_TRUE(RunUntil([&] { return server.State().PlayerCount() == 0; }));
    ASSERT_EQ(host.StartEngine(false), 1);
    RunUntil([] { return false; }, 300);
    EXPECT_EQ(host.Status().connectionState, kConnectionNone);
    EXPECT_EQ(server.State().PlayerCount(), 0);
}

TEST_F(EngineFixture, HardwareRendererLoadsHwAndSwitchingUnloadsTheOther)
{
    SetSettingInt(kSettingsSection, "EngineType", 2);
    ASSERT_EQ(host.StartEngine(false), 1);
    EXPECT_EQ(host.LibraryName(), "hw.so");
    EXPECT_TRUE(host.Table().Has(kEntryRestoreDisplay));
    SetSettingInt(kSettingsSection, "EngineType", 1);
    ASSERT_EQ(host.StartEngine(false), 1);
    EXPECT_EQ(host.LibraryName(), "sw.so");
    EXPECT_FALSE(host.Table().Has(kEntryRestoreDisplay));
}
