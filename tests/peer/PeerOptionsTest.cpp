#include "peer/PeerOptions.h"

#include <gtest/gtest.h>

TEST(PeerOptions, DefaultsGiveOneServer)
{
    PeerOptions options;
    std::string error;
    ASSERT_TRUE(ParsePeerOptions({"kestrel-peer"}, options, error)) << error;
    ASSERT_EQ(options.gameServers.size(), 1u);
    EXPECT_EQ(options.gameServers[0].port, 27015);
    EXPECT_EQ(options.gameServers[0].maxPlayers, 16);
    EXPECT_FALSE(options.gameServers[0].silent);
}

TEST(PeerOptions, EveryOptionIsRead)
{
    PeerOptions options;
    std::string error;
    ASSERT_TRUE(ParsePeerOptions(
        {"kestrel-peer", "--port",        "28000",   "--count",       "3",       "--name",     "Yard", "--map",
         "dm_arena",     "--max-players", "8",       "--players",     "2",       "--password", "pw",   "--ban",
         "Cheater",      "--ban",         "Griefer", "--refuse-full", "--silent"},
        options, error))
        << error;
    ASSERT_EQ(options.gameServers.size(), 3u);
    const GameServerConfig& last = options.gameServers[2];
    EXPECT_EQ(last.port, 28002);
    EXPECT_EQ(last.name, "Yard #3");
    EXPECT_EQ(last.map, "dm_arena");
    EXPECT_EQ(last.maxPlayers, 8);
    EXPECT_EQ(last.currentPlayers, 2);
    EXPECT_EQ(last.password, "pw");
    EXPECT_EQ(last.bannedNames, (std::vector<std::string>{"Cheater", "Griefer"}));
    EXPECT_TRUE(last.refuseFull);
    EXPECT_TRUE(last.silent);
}

TEST(PeerOptions, BadValuesAreRefused)
{
    PeerOptions options;
    std::string error;
    EXPECT_FALSE(ParsePeerOptions({"kestrel-peer", "--port", "70000"}, options, error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(ParsePeerOptions({"kestrel-peer", "--port", "65535", "--count", "2"}, options, error));
    EXPECT_FALSE(ParsePeerOptions({"kestrel-peer", "--max-players", "x"}, options, error));
    EXPECT_FALSE(ParsePeerOptions({"kestrel-peer", "--bogus"}, options, error));
    EXPECT_FALSE(ParsePeerOptions({"kestrel-peer", "stray"}, options, error));
}
