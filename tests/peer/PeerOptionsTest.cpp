#include "peer/PeerOptions.h"

#include "support/TempTree.h"

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

TEST(PeerOptions, QueryMasterAndMisbehaviourOptions)
{
    PeerOptions options;
    std::string error;
    ASSERT_TRUE(ParsePeerOptions({"kestrel-peer",
                                  "--count",
                                  "3",
                                  "--map",
                                  "a,b",
                                  "--players",
                                  "1,2,3",
                                  "--rule",
                                  "mp_timelimit=20",
                                  "--delay",
                                  "50",
                                  "--loss",
                                  "0.25",
                                  "--hostile",
                                  "truncated",
                                  "--protocol",
                                  "44",
                                  "--master",
                                  "0",
                                  "--master-batch",
                                  "10",
                                  "--next-master",
                                  "127.0.0.1:27010",
                                  "--list",
                                  "127.0.0.1:27999"},
                                 options, error))
        << error;
    ASSERT_EQ(options.gameServers.size(), 3u);
    EXPECT_EQ(options.gameServers[2].map, "a");
    EXPECT_EQ(options.gameServers[1].currentPlayers, 2);
    EXPECT_EQ(options.gameServers[0].rules.size(), 1u);
    EXPECT_EQ(options.gameServers[0].delayMs, 50);
    EXPECT_DOUBLE_EQ(options.gameServers[0].lossRate, 0.25);
    EXPECT_EQ(options.gameServers[0].hostile, HostileReply::Truncated);
    EXPECT_EQ(options.gameServers[0].protocol, 44);
    ASSERT_TRUE(options.master);
    EXPECT_EQ(options.master->batchSize, 10);
    EXPECT_EQ(options.master->serverData.groups[2].size(), 1u);
    EXPECT_EQ(options.extraListed.size(), 1u);
    EXPECT_FALSE(ParsePeerOptions({"kestrel-peer", "--hostile", "rude"}, options, error));
    EXPECT_FALSE(ParsePeerOptions({"kestrel-peer", "--loss", "1.5"}, options, error));
    EXPECT_FALSE(ParsePeerOptions({"kestrel-peer", "--master", "0", "--auth", "nohostport"}, options, error));
    ASSERT_TRUE(ParsePeerOptions({"kestrel-peer", "--master", "0", "--master-hostile", "endless"}, options, error))
        << error;
    EXPECT_EQ(options.master->hostile, HostileMaster::Endless);
    EXPECT_FALSE(ParsePeerOptions({"kestrel-peer", "--master", "0", "--master-hostile", "rude"}, options, error));
}

TEST(PeerOptions, ConfigFileSetsDefaultsAndPerServerSections)
{
    TempTree tree;
    tree.Write("peer.conf", "# three servers\ncount 3\nname Yard\n"
                            "[server 2]\nsilent 1\nhostile long\nrule a=b\n"
                            "[server 3]\nname Third\n");
    const std::string path = tree.PathStd() + "/peer.conf";
    PeerOptions options;
    std::string error;
    ASSERT_TRUE(
        ParsePeerOptions({"kestrel-peer", "--config", QString::fromStdString(path), "--map", "dm_x"}, options, error))
        << error;
    ASSERT_EQ(options.gameServers.size(), 3u);
    EXPECT_EQ(options.gameServers[0].name, "Yard #1");
    EXPECT_FALSE(options.gameServers[0].silent);
    EXPECT_TRUE(options.gameServers[1].silent);
    EXPECT_EQ(options.gameServers[1].hostile, HostileReply::LongStrings);
    EXPECT_EQ(options.gameServers[2].name, "Third");
    EXPECT_EQ(options.gameServers[2].map, "dm_x");
    tree.Write("bad.conf", "count 1\n[server 4]\nsilent 1\n");
    const std::string bad = tree.PathStd() + "/bad.conf";
    EXPECT_FALSE(ParsePeerOptions({"kestrel-peer", "--config", QString::fromStdString(bad)}, options, error));
}
