#include "ui/SortKeyList.h"

#include <gtest/gtest.h>

namespace {

TEST(SortKeyList, PrimaryKeyGoesFirstAndReplacesItsColumn)
{
    SortKeyList keys;
    keys.SetPrimaryKey(3);
    keys.SetPrimaryKey(-5);
    keys.SetPrimaryKey(1);
    EXPECT_EQ(keys.Keys(), (std::vector<int>{1, -5, 3}));
    keys.SetPrimaryKey(5);
    EXPECT_EQ(keys.Keys(), (std::vector<int>{5, 1, 3}));
    EXPECT_EQ(keys.Key(0), 5);
    EXPECT_EQ(keys.Key(3), 0); // ended by 0
    EXPECT_EQ(keys.Key(-1), 0);
}

TEST(SortKeyList, FullListTakesNoNewColumnButReordersAKnownOne)
{
    SortKeyList keys;
    for (int column = 1; column <= SortKeyList::kMaxKeys; ++column)
        keys.SetPrimaryKey(column);
    ASSERT_EQ(keys.Count(), SortKeyList::kMaxKeys);
    keys.SetPrimaryKey(15);
    EXPECT_EQ(keys.Count(), SortKeyList::kMaxKeys);
    EXPECT_EQ(keys.Key(0), 14);
    // A column already present is removed first, so there is room for it again.
    keys.SetPrimaryKey(-3);
    EXPECT_EQ(keys.Key(0), -3);
    EXPECT_EQ(keys.Count(), SortKeyList::kMaxKeys);
}

TEST(SortKeyList, HeaderClickFlipsTheSameColumnAndTakesANewOneAscending)
{
    SortKeyList keys;
    keys.FromText("6;1;");
    keys.ChooseSortKey(5); // column 6 again
    EXPECT_EQ(keys.Keys(), (std::vector<int>{-6, 1}));
    keys.ChooseSortKey(5);
    EXPECT_EQ(keys.Keys(), (std::vector<int>{6, 1}));
    keys.ChooseSortKey(2);
    EXPECT_EQ(keys.Keys(), (std::vector<int>{3, 6, 1}));
}

TEST(SortKeyList, EmptyListStandsForItsDefaultPrimary)
{
    SortKeyList keys;
    keys.ChooseSortKey(0); // an empty list sorts by column 1: the click flips it
    EXPECT_EQ(keys.Keys(), (std::vector<int>{-1}));
    SortKeyList mods;
    mods.ChooseSortKey(0, 0);
    EXPECT_EQ(mods.Keys(), (std::vector<int>{1}));
}

TEST(SortKeyList, TextRoundTripAndBadInput)
{
    SortKeyList keys;
    keys.FromText("5;-6;2;");
    EXPECT_EQ(keys.ToText(), "5;-6;2;");
    keys.FromText("4;x;7;");
    EXPECT_EQ(keys.Keys(), (std::vector<int>{4}));
    keys.FromText("3;0;9;");
    EXPECT_EQ(keys.Keys(), (std::vector<int>{3}));
    keys.FromText("");
    EXPECT_EQ(keys.Count(), 0);
    keys.FromText("1;2;3;4;5;6;7;8;9;10;11;12;13;14;15;16;");
    EXPECT_EQ(keys.Count(), SortKeyList::kMaxKeys);
    keys.FromText("99999999999999;");
    EXPECT_EQ(keys.Count(), 0);
}

} // namespace
