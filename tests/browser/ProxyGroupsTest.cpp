// Spectator proxies of one target show as one row carrying everyone's player counts.
#include "browser/list/ProxyGroups.h"
#include "RecordChain.h"
#include "browser/list/ApplyServerFilter.h"
#include "browser/list/ServerRow.h"

#include <gtest/gtest.h>

using Names = std::vector<std::string>;

namespace {

CServerInfo& AddProxy(RecordChain& list, const std::string& name, const std::string& target, int pingMs, int current,
                      int max = 8)
{
    CServerInfo& r = list.Add(name);
    r.proxy = true;
    r.svtype = 'p';
    SetProxyAddress(r, target);
    r.svping = pingMs / 1000.0;
    r.currentplayers = current;
    r.maxplayers = max;
    return r;
}

} // namespace

TEST(ProxyGrouping, ThreeProxiesOfOneTargetShowAsOneRowWithAllPlayers)
{
    RecordChain list;
    AddProxy(list, "p50", "10.1.1.1:27015", 50, 2);
    AddProxy(list, "p60", "10.1.1.1:27015", 60, 3);
    AddProxy(list, "p70", "10.1.1.1:27015", 70, 4);
    ApplyServerFilter(list.Head(), ServerFilter{}, false);

    // Each later proxy outweighs the shown one: 8*60*60/4 > 8*50*50/3, 8*70*70/5 > 8*60*60/4.
    ASSERT_EQ(list.ShownNames(), Names({"p70"}));
    EXPECT_EQ(list[2].proxyCurrentplayers, 2 + 3 + 4);
    EXPECT_EQ(list[2].proxyMaxplayers, 24);
    EXPECT_EQ(ServerRowFor(list[2], false).players, " 9/24");
}

TEST(ProxyGrouping, ABusierLaterProxyIsHiddenAndCountedOnTheShownOne)
{
    RecordChain list;
    AddProxy(list, "quiet", "10.1.1.1:27015", 50, 2);
    AddProxy(list, "busy", "10.1.1.1:27015", 60, 20, 32);
    // 32*60*60/21 = 5485 < 8*50*50/3 = 6666.
    ApplyServerFilter(list.Head(), ServerFilter{}, false);
    ASSERT_EQ(list.ShownNames(), Names({"quiet"}));
    EXPECT_EQ(list[0].proxyCurrentplayers, 22);
    EXPECT_EQ(list[0].proxyMaxplayers, 40);
}

TEST(ProxyGrouping, DifferentTargetsAndPlainServersStaySeparate)
{
    RecordChain list;
    AddProxy(list, "a", "10.1.1.1:27015", 50, 1);
    AddProxy(list, "b", "10.1.1.1:27016", 50, 1);
    AddProxy(list, "c", "10.1.1.2:27015", 50, 1);
    list.Add("plain1");
    list.Add("plain2");
    ApplyServerFilter(list.Head(), ServerFilter{}, false);
    EXPECT_EQ(list.ShownNames(), Names({"a", "b", "c", "plain1", "plain2"}));
    EXPECT_EQ(list[0].proxyCurrentplayers, 1);
    EXPECT_EQ(list[0].proxyMaxplayers, 8);
}

TEST(ProxyGrouping, ProxyFilterTurnsGroupingOff)
{
    RecordChain list;
    AddProxy(list, "a", "10.1.1.1:27015", 50, 1);
    AddProxy(list, "b", "10.1.1.1:27015", 60, 1);
    ServerFilter f;
    f.ForceProxiesOnly();
    ApplyServerFilter(list.Head(), f, false);
    EXPECT_EQ(list.ShownNames(), Names({"a", "b"}));
}

TEST(ProxyGrouping, UngroupedRowsShowTheirOwnCountsAgain)
{
    RecordChain list;
    AddProxy(list, "a", "10.1.1.1:27015", 50, 2);
    AddProxy(list, "b", "10.1.1.1:27015", 60, 3);
    ApplyServerFilter(list.Head(), ServerFilter{}, false);
    ServerFilter f;
    f.ForceProxiesOnly();
    ApplyServerFilter(list.Head(), f, false);
    EXPECT_EQ(ServerRowFor(list[0], false).players, " 2/8");
    EXPECT_EQ(ServerRowFor(list[1], false).players, " 3/8");
}

TEST(ProxyGrouping, HiddenRecordsDoNotTakePart)
{
    RecordChain list;
    AddProxy(list, "elsewhere", "10.1.1.1:27015", 50, 1).map = "ha_docks";
    AddProxy(list, "here", "10.1.1.1:27015", 400, 1);
    ServerFilter f;
    f.map = true;
    f.mapName = "ha_mill";
    ApplyServerFilter(list.Head(), f, false);
    EXPECT_EQ(list.ShownNames(), Names({"here"}));
    EXPECT_EQ(list[1].proxyCurrentplayers, 1);
}

TEST(ProxyGrouping, HostileCountsNeitherDivideByZeroNorOverflow)
{
    EXPECT_EQ(ProxyWeight(8, 50, -1), 8 * 50 * 50);
    EXPECT_GT(ProxyWeight(std::numeric_limits<int32_t>::max(), std::numeric_limits<int32_t>::max(), 0), 0);

    RecordChain list;
    AddProxy(list, "a", "10.1.1.1:27015", 50, -1, std::numeric_limits<int32_t>::max());
    AddProxy(list, "b", "10.1.1.1:27015", 60, -1, std::numeric_limits<int32_t>::max());
    ApplyServerFilter(list.Head(), ServerFilter{}, false);
    ASSERT_EQ(list.ShownNames().size(), 1u);
    const CServerInfo& shown = list[0].IsFiltered() ? list[1] : list[0];
    EXPECT_EQ(shown.proxyMaxplayers, std::numeric_limits<int32_t>::max());
}
