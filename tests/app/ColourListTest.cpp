#include "app/text/ColourList.h"
#include "support/SearchTree.h"

#include <gtest/gtest.h>

TEST(ColourList, NamedEntriesIgnoreCaseAndTheLaterWins)
{
    ColourList list;
    list.Parse("HELP_COLOR 1 2 3\n// comment\n\"help_color\" 4 5 6\n");
    EXPECT_EQ(list.Get("Help_Color"), (Colour{4, 5, 6}));
}

TEST(ColourList, MissingNamesFallBackToTheBuiltInTable)
{
    ColourList list;
    list.Parse("HELP_COLOR 1 2 3");
    EXPECT_EQ(list.Get("PROMPT_BG_COLOR"), (Colour{56, 56, 56}));
    EXPECT_EQ(list.Get("PROMPT_TEXT_COLOR"), (Colour{255, 180, 24}));
    EXPECT_EQ(list.Get("REFRESH_BG_COLOR"), (Colour{127, 127, 127}));
    EXPECT_EQ(list.Get("NO_SUCH_COLOR"), (Colour{56, 56, 56}));
}

TEST(ColourList, EmptyListGivesGreyForEveryName)
{
    ColourList list;
    list.Parse("// nothing but a comment\n");
    EXPECT_TRUE(list.IsEmpty());
    for (const char* name : {"PROMPT_TEXT_COLOR", "PROMPT_BG_COLOR", "ANY"})
        EXPECT_EQ(list.Get(name), (Colour{127, 127, 127})) << name;
}

TEST(ColourList, ChannelsAreTakenModulo256)
{
    ColourList list;
    list.Parse("A 300 -1 99999999999");
    const Colour colour = list.Get("A");
    EXPECT_EQ(colour.red, 44);
    EXPECT_EQ(colour.green, 255);
    EXPECT_EQ(colour.blue, uint8_t(2147483647u & 0xFF));
}

TEST(ColourList, GroupWithoutBlueEndsReading)
{
    ColourList list;
    list.Parse("A 1 2 3 B 4 5");
    EXPECT_EQ(list.Size(), 1u);
    EXPECT_EQ(list.Get("B"), (Colour{56, 56, 56}));
}

TEST(ColourList, LongNamesAreCut)
{
    ColourList list;
    const std::string name(40, 'N');
    list.Parse((name + " 1 2 3").c_str());
    EXPECT_EQ(list.Get(name.substr(0, ColourList::kMaxName)), (Colour{1, 2, 3}));
}

TEST(ColourListFile, LoadedThroughTheSearchAndReplacedOnReload)
{
    SearchTree tree;
    tree.WriteGame("gfx/shell/colors.lst", "HELP_COLOR 9 8 7\n");
    EXPECT_TRUE(LoadColourList());
    EXPECT_EQ(GetColour("help_color"), (Colour{9, 8, 7}));
    tree.WriteGame("gfx/shell/colors.lst", "");
    EXPECT_TRUE(LoadColourList());
    EXPECT_EQ(GetColour("help_color"), (Colour{127, 127, 127}));
    LoadedColourList().Clear();
}
