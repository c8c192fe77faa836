// The order of a server list's rows under the sort keys, and the stored keys.
#include "browser/list/ServerSort.h"
#include "RecordChain.h"
#include "app/settings/SettingsStore.h"
#include "browser/list/SortOrderSetting.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

using Names = std::vector<std::string>;

namespace {

Names Sorted(const RecordChain& list, const std::vector<int>& keys)
{
    std::vector<CServerInfo*> rows = list.All();
    SortServers(rows, keys);
    Names names;
    for (const CServerInfo* r : rows)
        names.push_back(r->name);
    return names;
}

} // namespace

TEST(ServerSort, NameIgnoresCaseAndNegativeKeyReverses)
{
    RecordChain list;
    list.Add("bravo");
    list.Add("Alpha");
    list.Add("charlie");
    EXPECT_EQ(Sorted(list, {5}), Names({"Alpha", "bravo", "charlie"}));
    EXPECT_EQ(Sorted(list, {-5}), Names({"charlie", "bravo", "Alpha"}));
}

TEST(ServerSort, KeysOutsideTheColumnsSortByName)
{
    RecordChain list;
    list.Add("b");
    list.Add("a");
    EXPECT_EQ(Sorted(list, {42}), Names({"a", "b"}));
    EXPECT_EQ(Sorted(list, {0}), Names({"a", "b"}));
    EXPECT_EQ(Sorted(list, {std::numeric_limits<int>::min()}), Names({"b", "a"}));
}

TEST(ServerSort, MultibyteNamesSortAfterPlainLetters)
{
    RecordChain list;
    list.Add("\xc3\x89toile"); // É
    list.Add("zulu");
    list.Add("Echo");
    EXPECT_EQ(Sorted(list, {5}), Names({"Echo", "zulu", "\xc3\x89toile"}));
}

TEST(ServerSort, EachColumnHasItsForwardOrder)
{
    RecordChain list;
    CServerInfo& a = list.Add("a");
    CServerInfo& b = list.Add("b");
    a.favorite = true;
    EXPECT_EQ(Sorted(list, {1}), Names({"b", "a"}));
    a.favorite = false;
    b.password = true;
    EXPECT_EQ(Sorted(list, {2}), Names({"a", "b"}));
    a.svtype = 'l';
    b.svtype = 'd';
    EXPECT_EQ(Sorted(list, {3}), Names({"b", "a"}));
    a.svos = 'w';
    b.svos = 'l';
    EXPECT_EQ(Sorted(list, {4}), Names({"b", "a"}));
    a.map = "Zeta";
    b.map = "alpha";
    EXPECT_EQ(Sorted(list, {7}), Names({"b", "a"}));
    a.game = "ctf";
    b.game = "CTF2";
    EXPECT_EQ(Sorted(list, {8}), Names({"a", "b"}));
    a.currentplayers = 9;
    b.currentplayers = 3;
    EXPECT_EQ(Sorted(list, {9}), Names({"b", "a"}));
    EXPECT_EQ(Sorted(list, {10}), Names({"b", "a"}));
    b.proxy = true;
    EXPECT_EQ(Sorted(list, {11}), Names({"b", "a"}));
    EXPECT_EQ(Sorted(list, {-11}), Names({"a", "b"}));
}

TEST(ServerSort, UnmeasuredPingsComeAfterAllOthers)
{
    RecordChain list;
    list.Add("none").svping = 0.0;
    list.Add("slow").svping = 0.9;
    list.Add("fast").svping = 0.02;
    list.Add("nan").svping = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(Sorted(list, {6}), Names({"fast", "slow", "none", "nan"}));
    // Unmeasured pings tie with each other, so creation order stays between them.
    EXPECT_EQ(Sorted(list, {-6}), Names({"none", "nan", "slow", "fast"}));
}

TEST(ServerSort, LaterKeysBreakTiesAndSerialBreaksTheRest)
{
    RecordChain list;
    list.Add("d").map = "m1";
    list.Add("c").map = "m2";
    list.Add("b").map = "m1";
    list.Add("a").map = "m2";
    EXPECT_EQ(Sorted(list, {7, 5}), Names({"b", "d", "a", "c"}));
    EXPECT_EQ(Sorted(list, {-7, -5}), Names({"c", "a", "d", "b"}));
    // Tying on every key keeps creation order, whatever the order in the vector.
    EXPECT_EQ(Sorted(list, {7}), Names({"d", "b", "c", "a"}));
    EXPECT_EQ(Sorted(list, {}), Names({"d", "c", "b", "a"}));
}

TEST(ServerSort, ShownRowsLeaveFilteredRecordsOut)
{
    RecordChain list;
    list.Add("b");
    list.Add("hidden").SetFiltered(true);
    list.Add("a");
    Names names;
    for (const CServerInfo* r : ShownRowsInOrder(list.Head(), {5}))
        names.push_back(r->name);
    EXPECT_EQ(names, Names({"a", "b"}));
}

TEST(SortOrderSetting, TextForm)
{
    EXPECT_EQ(SortKeysToText({6, -5, 1}), "6;-5;1;");
    EXPECT_EQ(SortKeysFromText("6;-5;1;"), (std::vector<int>{6, -5, 1}));
    EXPECT_EQ(SortKeysFromText("3;x;4;"), (std::vector<int>{3}));
    EXPECT_EQ(SortKeysFromText("3;0;4;"), (std::vector<int>{3}));
    EXPECT_EQ(SortKeysFromText(""), (std::vector<int>{}));
    EXPECT_EQ(SortKeysFromText("-2147483648;"), (std::vector<int>{}));
    EXPECT_EQ(SortKeysFromText("1;2;3;4;5;6;7;8;9;10;11;12;13;14;15;16;").size(), 14u);
}

TEST(SortOrderSetting, MissingValueReadsAsFirstColumn)
{
    ScopedSettingsFolder folder;
    EXPECT_EQ(LoadSortKeys(kNetSortOrderSetting), (std::vector<int>{1}));
    EXPECT_EQ(LoadSortKeys(kLanSortOrderSetting), (std::vector<int>{1}));
}

TEST(SortOrderSetting, HeaderClicksFromStoredDefault)
{
    ScopedSettingsFolder folder;
    std::vector<int> keys = LoadSortKeys(kNetSortOrderSetting);
    ChooseSortKey(keys, 4); // name header
    EXPECT_EQ(keys, (std::vector<int>{5, 1}));
    ChooseSortKey(keys, 4);
    EXPECT_EQ(keys, (std::vector<int>{-5, 1}));
    ChooseSortKey(keys, 5); // ping header
    EXPECT_EQ(keys, (std::vector<int>{6, -5, 1}));
    ChooseSortKey(keys, 0);
    EXPECT_EQ(keys, (std::vector<int>{1, 6, -5}));

    std::vector<int> empty;
    ChooseSortKey(empty, 0);
    EXPECT_EQ(empty, (std::vector<int>{-1}));
}

TEST(SortOrderSetting, FullListTakesNoNewColumn)
{
    std::vector<int> keys;
    for (int c = 14; c >= 1; --c)
        keys.push_back(c + 100);
    ChooseSortKey(keys, 1);
    EXPECT_EQ(keys.size(), 14u);
    EXPECT_EQ(keys.front(), 114);
    EXPECT_EQ(std::count(keys.begin(), keys.end(), 2), 0);
    // A column already in the list moves to the front even when the list is full.
    ChooseSortKey(keys, 100);
    EXPECT_EQ(keys.size(), 14u);
    EXPECT_EQ(keys.front(), 101);
}

TEST(SortOrderSetting, OrderSurvivesSaveAndLoadThroughNetSortOrder)
{
    ScopedSettingsFolder folder;
    RecordChain list;
    list.Add("b").map = "x";
    list.Add("a").map = "y";
    list.Add("c").map = "x";
    std::vector<int> keys = LoadSortKeys(kNetSortOrderSetting);
    ChooseSortKey(keys, 6); // map
    ChooseSortKey(keys, 4); // name
    ChooseSortKey(keys, 6); // map again, now primary
    ChooseSortKey(keys, 6); // reversed
    const Names before = Sorted(list, keys);
    EXPECT_EQ(before, Names({"a", "b", "c"}));
    SaveSortKeys(kNetSortOrderSetting, keys);

    EXPECT_EQ(GetSettingString(kSettingsSection, kNetSortOrderSetting, ""), "-7;5;1;");
    EXPECT_EQ(LoadSortKeys(kLanSortOrderSetting), (std::vector<int>{1}));
    const std::vector<int> loaded = LoadSortKeys(kNetSortOrderSetting);
    EXPECT_EQ(loaded, keys);
    EXPECT_EQ(Sorted(list, loaded), before);
}
