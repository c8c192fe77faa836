// The filter settings in the settings store and the rules that hide records.
#include "browser/list/ServerFilter.h"
#include "RecordChain.h"
#include "app/settings/SettingsStore.h"
#include "app/text/StringList.h"
#include "browser/list/ApplyServerFilter.h"
#include "browser/list/FilterRules.h"
#include "browser/list/FilterSummary.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

using Names = std::vector<std::string>;

namespace {

ServerFilter NoFilter()
{
    ServerFilter f;
    return f;
}

} // namespace

TEST(ServerFilterSettings, DefaultsWhenNothingIsStored)
{
    ScopedSettingsFolder folder;
    const ServerFilter f = ReadServerFilter(kSettingsSection);
    EXPECT_FALSE(f.responded || f.empty || f.full || f.favorite || f.ping || f.map || f.linuxOnly || f.dedicatedOnly ||
                 f.proxyFilter || f.proxiesOnly || f.noProxies);
    EXPECT_EQ(f.pingMax, -1);
    EXPECT_TRUE(f.game);
    EXPECT_EQ(f.gameName, "vrel");
    EXPECT_EQ(f.mapName, "");
}

TEST(ServerFilterSettings, ReadsEachValueFromItsOwnSection)
{
    ScopedSettingsFolder folder;
    SetSettingInt(kSpectatorSettingsSection, "Filter Empty", 1);
    SetSettingInt(kSpectatorSettingsSection, "Filter PingMax", 250);
    SetSettingInt(kSpectatorSettingsSection, "Filter Map", 1);
    SetSettingString(kSpectatorSettingsSection, "Filter Map Name", "ha_docks");
    SetSettingInt(kSpectatorSettingsSection, "Filter IsNotProxy", 1);
    SetSettingInt(kSpectatorSettingsSection, "Filter Game", 0);
    SetSettingString(kSpectatorSettingsSection, "Filter Game Name", "other");

    const ServerFilter spectator = ReadServerFilter(kSpectatorSettingsSection);
    EXPECT_TRUE(spectator.empty);
    EXPECT_EQ(spectator.pingMax, 250);
    EXPECT_TRUE(spectator.map);
    EXPECT_EQ(spectator.mapName, "ha_docks");
    EXPECT_TRUE(spectator.noProxies);
    EXPECT_TRUE(spectator.proxyFilter);
    EXPECT_FALSE(spectator.proxiesOnly);
    // The game filter is forced on for the one game, whatever is stored.
    EXPECT_TRUE(spectator.game);
    EXPECT_EQ(spectator.gameName, "vrel");

    const ServerFilter net = ReadServerFilter(kSettingsSection);
    EXPECT_FALSE(net.empty);
    EXPECT_FALSE(net.map);
    EXPECT_FALSE(net.proxyFilter);
}

TEST(ServerFilterSettings, StoredMapNameIsCutToItsField)
{
    ScopedSettingsFolder folder;
    SetSettingString(kSettingsSection, "Filter Map Name", std::string(100, 'm'));
    EXPECT_EQ(ReadServerFilter(kSettingsSection).mapName, std::string(63, 'm'));
}

TEST(ServerFilterSettings, WriteThenReadGivesTheSameFilter)
{
    ScopedSettingsFolder folder;
    ServerFilter f;
    f.responded = true;
    f.full = true;
    f.favorite = true;
    f.ping = true;
    f.pingMax = 175;
    f.map = true;
    f.mapName = "ha_crossfire";
    f.linuxOnly = true;
    f.dedicatedOnly = true;
    f.proxiesOnly = true;
    f.proxyFilter = true;
    WriteServerFilter(kSettingsSection, f);

    const ServerFilter back = ReadServerFilter(kSettingsSection);
    EXPECT_TRUE(back.responded && back.full && back.favorite && back.ping && back.map && back.linuxOnly &&
                back.dedicatedOnly && back.proxiesOnly && back.proxyFilter);
    EXPECT_FALSE(back.empty || back.noProxies);
    EXPECT_EQ(back.pingMax, 175);
    EXPECT_EQ(back.mapName, "ha_crossfire");
    EXPECT_EQ(GetSettingInt(kSettingsSection, "Filter Full", -1), 1);
    EXPECT_EQ(GetSettingInt(kSettingsSection, "Filter Empty", -1), 0);
    EXPECT_EQ(GetSettingInt(kSettingsSection, "Filter Game", -1), 1);
}

TEST(ServerFilterSettings, MapNameIsStoredOnlyWhileTheMapFilterIsOn)
{
    ScopedSettingsFolder folder;
    ServerFilter f;
    f.map = false;
    f.mapName = "ha_mill";
    WriteServerFilter(kSettingsSection, f);
    EXPECT_EQ(GetSettingString(kSettingsSection, "Filter Map Name", "x"), "");
}

TEST(ServerFilterSettings, GameNameIsStoredAsLowercaseBaseName)
{
    ScopedSettingsFolder folder;
    ServerFilter f;
    f.gameName = "games\\VREL.dir";
    WriteServerFilter(kSettingsSection, f);
    EXPECT_EQ(GetSettingString(kSettingsSection, "Filter Game Name", ""), "vrel");
    f.gameName.clear();
    WriteServerFilter(kSettingsSection, f);
    EXPECT_EQ(GetSettingString(kSettingsSection, "Filter Game Name", ""), "Kestrel");
}

TEST(ServerFilterSettings, SpectatorListForcesProxiesOnly)
{
    ScopedSettingsFolder folder;
    SetSettingInt(kSpectatorSettingsSection, "Filter IsNotProxy", 1);
    ServerFilter f = ReadServerFilter(kSpectatorSettingsSection);
    f.ForceProxiesOnly();
    EXPECT_TRUE(f.proxyFilter && f.proxiesOnly);
    EXPECT_FALSE(f.noProxies);

    RecordChain list;
    list.Add("plain");
    list.Add("relay").proxy = true;
    ApplyServerFilter(list.Head(), f, false);
    EXPECT_EQ(list.ShownNames(), Names({"relay"}));
}

TEST(FilterRules, GameBaseNameDropsFoldersAndExtension)
{
    EXPECT_EQ(GameBaseName("vrel"), "vrel");
    EXPECT_EQ(GameBaseName("mods/VREL.gam"), "VREL");
    EXPECT_EQ(GameBaseName("c:\\games\\vrel"), "vrel");
    EXPECT_EQ(GameBaseName("a.b/c"), "c");
    EXPECT_EQ(GameBaseName("dir/"), "");
}

TEST(FilterRules, NothingIsHiddenWithEveryFilterOff)
{
    RecordChain list;
    list.Add("a").noresponse = true;
    list.Add("b").currentplayers = 0;
    list.Add("c").currentplayers = 16;
    list.Add("d").svping = 5.0;
    list.Add("e").svos = 'w';
    for (size_t i = 0; i < list.Size(); ++i)
        list[i].SetFiltered(true);
    ApplyServerFilter(list.Head(), NoFilter(), true);
    EXPECT_EQ(list.ShownNames(), Names({"a", "b", "c", "d", "e"}));
}

TEST(FilterRules, RespondedHidesServersThatDidNotAnswer)
{
    RecordChain list;
    list.Add("answered");
    list.Add("silent").noresponse = true;
    ServerFilter f;
    f.responded = true;
    ApplyServerFilter(list.Head(), f, false);
    EXPECT_EQ(list.ShownNames(), Names({"answered"}));
    EXPECT_EQ(FirstHidingRule(f, list[1], false), FilterRule::Responded);
}

TEST(FilterRules, EmptyAndFullIgnoreServersWithoutPlayerLimit)
{
    RecordChain list;
    list.Add("some");
    list.Add("empty").currentplayers = 0;
    list.Add("full").currentplayers = 16;
    CServerInfo& unlimited = list.Add("unlimited");
    unlimited.maxplayers = 0;
    unlimited.currentplayers = 0;

    ServerFilter empty;
    empty.empty = true;
    ApplyServerFilter(list.Head(), empty, false);
    EXPECT_EQ(list.ShownNames(), Names({"some", "full", "unlimited"}));

    ServerFilter full;
    full.full = true;
    ApplyServerFilter(list.Head(), full, false);
    EXPECT_EQ(list.ShownNames(), Names({"some", "empty", "unlimited"}));
}

TEST(FilterRules, FavoriteHidesOthers)
{
    RecordChain list;
    list.Add("mine").favorite = true;
    list.Add("theirs");
    ServerFilter f;
    f.favorite = true;
    ApplyServerFilter(list.Head(), f, false);
    EXPECT_EQ(list.ShownNames(), Names({"mine"}));
}

TEST(FilterRules, PingLimitKeepsTheLimitAndHidesAbove)
{
    RecordChain list;
    list.Add("at100").svping = 0.100;
    list.Add("at101").svping = 0.101;
    list.Add("fast").svping = 0.020;
    list.Add("unmeasured").svping = 0.0;
    ServerFilter f;
    f.ping = true;
    f.pingMax = 100;
    ApplyServerFilter(list.Head(), f, false);
    EXPECT_EQ(list.ShownNames(), Names({"at100", "fast", "unmeasured"}));
    // After the first refresh of everything, no ping means no answer.
    ApplyServerFilter(list.Head(), f, true);
    EXPECT_EQ(list.ShownNames(), Names({"at100", "fast"}));
}

TEST(FilterRules, PingFilterNeedsBothItsFlagAndALimit)
{
    RecordChain list;
    list.Add("slow").svping = 2.0;
    ServerFilter noLimit;
    noLimit.ping = true;
    noLimit.pingMax = -1;
    ApplyServerFilter(list.Head(), noLimit, true);
    EXPECT_EQ(list.ShownNames(), Names({"slow"}));
    ServerFilter off;
    off.pingMax = 100;
    ApplyServerFilter(list.Head(), off, true);
    EXPECT_EQ(list.ShownNames(), Names({"slow"}));
}

TEST(FilterRules, GameComparesTheBaseNameOfDirIgnoringCase)
{
    RecordChain list;
    list.Add("plain");
    list.Add("upper").dir = "VREL";
    list.Add("path").dir = "mods/vrel.pak";
    list.Add("other").dir = "harrow";
    list.Add("prefix").dir = "vrelx";
    ApplyServerFilter(list.Head(), NoFilter(), false);
    EXPECT_EQ(list.ShownNames(), Names({"plain", "upper", "path"}));
}

TEST(FilterRules, MapShowsOnlyTheNamedMap)
{
    RecordChain list;
    list.Add("mill");
    list.Add("docks").map = "HA_Docks";
    ServerFilter f;
    f.map = true;
    f.mapName = "ha_docks";
    ApplyServerFilter(list.Head(), f, false);
    EXPECT_EQ(list.ShownNames(), Names({"docks"}));
}

TEST(FilterRules, LinuxAndDedicatedOnly)
{
    RecordChain list;
    list.Add("linux dedicated");
    list.Add("windows dedicated").svos = 'w';
    list.Add("linux listen").svtype = 'l';
    ServerFilter os;
    os.linuxOnly = true;
    ApplyServerFilter(list.Head(), os, false);
    EXPECT_EQ(list.ShownNames(), Names({"linux dedicated", "linux listen"}));
    ServerFilter dedicated;
    dedicated.dedicatedOnly = true;
    ApplyServerFilter(list.Head(), dedicated, false);
    EXPECT_EQ(list.ShownNames(), Names({"linux dedicated", "windows dedicated"}));
}

TEST(FilterRules, ProxyFilterShowsOnlyProxiesOrNone)
{
    RecordChain list;
    list.Add("server");
    list.Add("relay").proxy = true;
    ServerFilter only;
    only.proxyFilter = only.proxiesOnly = true;
    ApplyServerFilter(list.Head(), only, false);
    EXPECT_EQ(list.ShownNames(), Names({"relay"}));
    ServerFilter none;
    none.proxyFilter = none.noProxies = true;
    ApplyServerFilter(list.Head(), none, false);
    EXPECT_EQ(list.ShownNames(), Names({"server"}));
}

TEST(FilterRules, FirstMatchingRuleIsReported)
{
    RecordChain list;
    CServerInfo& r = list.Add("bad");
    r.noresponse = true;
    r.currentplayers = 0;
    r.svos = 'w';
    ServerFilter f;
    f.responded = f.empty = f.linuxOnly = true;
    EXPECT_EQ(FirstHidingRule(f, r, false), FilterRule::Responded);
    f.responded = false;
    EXPECT_EQ(FirstHidingRule(f, r, false), FilterRule::Empty);
    f.empty = false;
    EXPECT_EQ(FirstHidingRule(f, r, false), FilterRule::LinuxOnly);
}

TEST(FilterSummary, NamesTheActiveFiltersInOrder)
{
    ServerFilter f;
    EXPECT_EQ(FilterSummary(f), GetString(567) + "  " + FormatString(566, "vrel"));
    f.ping = true;
    f.pingMax = 250;
    f.full = true;
    f.map = true;
    f.mapName = "ha_mill";
    f.ForceProxiesOnly();
    EXPECT_EQ(FilterSummary(f), GetString(567) + "  " + FormatString(566, "vrel") + ", " +
                                    FormatString(568, "ha_mill") + ", " + GetString(570) + ", " +
                                    FormatString(574, 250) + ", " + GetString(580));
    f.proxiesOnly = false;
    f.noProxies = true;
    EXPECT_NE(FilterSummary(f).find(GetString(581)), std::string::npos);
    f = ServerFilter{};
    f.game = false;
    EXPECT_EQ(FilterSummary(f), GetString(567) + "  " + GetString(575));
}
