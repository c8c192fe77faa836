// What a server list row shows: icons, texts, ping bars and colours, as data.
#include "browser/list/ServerRow.h"
#include "RecordChain.h"
#include "app/settings/CommandLine.h"

#include <gtest/gtest.h>

TEST(ServerRow, IconsFollowTheRecordsFlags)
{
    RecordChain list;
    CServerInfo& r = list.Add("x");
    ServerRow row = ServerRowFor(r, false);
    EXPECT_EQ(row.favoriteIcon, "nonfav");
    EXPECT_EQ(row.passwordIcon, "unlock");
    EXPECT_EQ(row.typeIcon, "dedicate");
    EXPECT_EQ(row.osIcon, "linux");

    r.favorite = true;
    r.password = true;
    r.svtype = 'l';
    r.svos = 'w';
    row = ServerRowFor(r, false);
    EXPECT_EQ(row.favoriteIcon, "favorite");
    EXPECT_EQ(row.passwordIcon, "lock");
    EXPECT_EQ(row.typeIcon, "listen");
    EXPECT_EQ(row.osIcon, "windows");

    r.svtype = '?';
    r.svos = 'm';
    row = ServerRowFor(r, false);
    EXPECT_EQ(row.typeIcon, "");
    EXPECT_EQ(row.osIcon, "");
    // A proxy shows the proxy icon whatever its type letter says.
    r.proxy = true;
    EXPECT_EQ(ServerRowFor(r, false).typeIcon, "proxy");
    EXPECT_EQ(ServerIconPath("lock"), "gfx/shell/lock.bmp");
}

TEST(ServerRow, TextsAndPlayerCounts)
{
    RecordChain list;
    CServerInfo& r = list.Add("Frag Hall");
    const ServerRow row = ServerRowFor(r, false);
    EXPECT_EQ(row.name, " Frag Hall");
    EXPECT_EQ(row.map, " ha_mill");
    EXPECT_EQ(row.game, " Deathmatch");
    EXPECT_EQ(row.players, " 4/16");
    EXPECT_FALSE(row.greyedName);
    EXPECT_FALSE(row.proxyColours);
}

TEST(ServerRow, ProxyRowShowsGroupCountsOnlyWhenItHasThem)
{
    RecordChain list;
    CServerInfo& r = list.Add("relay");
    r.proxy = true;
    EXPECT_EQ(ServerRowFor(r, false).players, " 4/16");
    r.proxyCurrentplayers = 9;
    r.proxyMaxplayers = 40;
    const ServerRow row = ServerRowFor(r, false);
    EXPECT_EQ(row.players, " 9/40");
    EXPECT_TRUE(row.proxyColours);
    r.proxy = false;
    EXPECT_EQ(ServerRowFor(r, false).players, " 4/16");
}

TEST(ServerRow, LongNamesAreCutWithoutSplittingACharacter)
{
    RecordChain list;
    CServerInfo& r = list.Add(std::string(300, 'n'));
    EXPECT_EQ(ServerRowFor(r, false).name.size(), 1 + 250u);
    r.name = std::string(249, 'n') + "\xc3\xa9" + "tail"; // é straddles the limit
    EXPECT_EQ(ServerRowFor(r, false).name, " " + std::string(249, 'n'));
}

TEST(ServerRow, OtherProtocolsAreGreyed)
{
    RecordChain list;
    CServerInfo& r = list.Add("x");
    r.protocol = 0;
    EXPECT_FALSE(ServerRowFor(r, false).greyedName);
    r.protocol = 44;
    EXPECT_TRUE(ServerRowFor(r, false).greyedName);
}

TEST(PingBars, StepsAndColoursAtTheirBounds)
{
    struct Case
    {
        int ms;
        int bars;
        bool good;
    };
    const Case cases[] = {
        {1, 8, true},    {100, 8, true},  {101, 7, true},  {175, 7, true},   {176, 6, true},    {250, 6, true},
        {251, 5, true},  {350, 5, true},  {351, 4, true},  {500, 4, true},   {501, 3, false},   {700, 3, false},
        {701, 2, false}, {900, 2, false}, {901, 1, false}, {1300, 1, false}, {32767, 1, false},
    };
    for (const Case& c : cases) {
        const PingBars bars = PingBarsFor(c.ms, false);
        EXPECT_EQ(bars.bars, c.bars) << c.ms;
        EXPECT_EQ(bars.good, c.good) << c.ms;
        EXPECT_EQ(bars.number, "") << c.ms;
    }
    EXPECT_EQ(PingBarsFor(0, false).bars, 0);
    EXPECT_EQ(PingBarsFor(32768, false).bars, 0);
    EXPECT_EQ(PingBarsFor(-5, false).bars, 0);
}

TEST(PingBars, NumericPingAddsTheNumber)
{
    EXPECT_EQ(PingBarsFor(123, true).number, "123 ");
    EXPECT_EQ(PingBarsFor(0, true).number, "9999");

    RecordChain list;
    CServerInfo& r = list.Add("x");
    r.svping = 0.0429;
    EXPECT_EQ(ServerRowFor(r, true).ping.number, "42 ");
    EXPECT_EQ(ServerRowFor(r, true).ping.bars, 8);
    // Measured, but below a millisecond (this machine, a LAN): the best bars, not "?".
    r.svping = 0.0003;
    EXPECT_EQ(ServerRowFor(r, true).ping.number, "1 ");
    EXPECT_EQ(ServerRowFor(r, false).ping.bars, 8);
    r.svping = 0.0;
    EXPECT_EQ(ServerRowFor(r, false).ping.bars, 0);
    r.svping = 0.0429;

    EffectiveCommandLine() = CommandLine("kestrel -numericping");
    EXPECT_EQ(ServerRowFor(r).ping.number, "42 ");
    EffectiveCommandLine() = CommandLine();
    EXPECT_EQ(ServerRowFor(r).ping.number, "");
}
