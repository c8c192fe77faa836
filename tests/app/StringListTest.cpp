#include "app/text/StringList.h"
#include "app/settings/ActiveCustomGame.h"
#include "app/text/BuiltinStrings.h"
#include "app/text/Messages.h"
#include "support/RecordingPrompt.h"
#include "support/SearchTree.h"

#include <gtest/gtest.h>

namespace {

class StringListFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        LoadedStringList().Clear();
        SetActiveCustomGame(std::nullopt);
    }
    void TearDown() override
    {
        LoadedStringList().Clear();
        SetActiveCustomGame(std::nullopt);
    }
    void UseList(const char* text) { LoadedStringList().Parse(text); }
    RecordingPrompt prompt;
};

void ActivateGame(const std::string& name)
{
    ActiveCustomGameInfo info;
    info.game = name;
    SetActiveCustomGame(info);
}

} // namespace

TEST(StringListFormat, LaterLineForTheSameNumberWins)
{
    StringList list;
    list.Parse("5 first\r\n5 \"the second\"\r\n6 other\r\n");
    ASSERT_NE(list.Find(5), nullptr);
    EXPECT_EQ(*list.Find(5), "the second");
    EXPECT_EQ(*list.Find(6), "other");
    EXPECT_EQ(list.Size(), 2u);
}

TEST(StringListFormat, CommentsSkippedAndNumberWithoutTextEndsReading)
{
    StringList list;
    list.Parse("// header\n1 \"one // not a comment\" // trailing\n2 two\n3");
    EXPECT_EQ(*list.Find(1), "one // not a comment");
    EXPECT_EQ(*list.Find(2), "two");
    EXPECT_EQ(list.Find(3), nullptr);
}

TEST_F(StringListFixture, ListOverridesTheBuiltInText)
{
    ASSERT_NE(BuiltinString(37), nullptr);
    EXPECT_EQ(GetString(37), BuiltinString(37));
    UseList("37 \"Pick one\"");
    EXPECT_EQ(GetString(37), "Pick one");
}

TEST_F(StringListFixture, GameMarkerInAnyCaseBecomesTheActiveGameName)
{
    UseList("900 \"Welcome to !GAME, enjoy !game.\"");
    EXPECT_EQ(GetString(900), "Welcome to Kestrel, enjoy Kestrel.");
    ActivateGame("Night Raid   ");
    EXPECT_EQ(GetString(900), "Welcome to Night Raid, enjoy Night Raid.");
}

TEST_F(StringListFixture, MissingNumberIsReportedOnceAndYieldsNothing)
{
    EXPECT_EQ(GetString(99999), "");
    ASSERT_EQ(prompt.Texts().size(), 1u);
    EXPECT_EQ(prompt.Texts()[0], "Error Loading String: 99999");
}

namespace {
// A prompt that looks up another missing number while it shows a report.
class ReenteringPrompt : public RecordingPrompt
{
public:
    int Show(const std::string& text, PromptButtons buttons) override
    {
        inner = GetString(88888);
        return RecordingPrompt::Show(text, buttons);
    }
    std::string inner = "unset";
};
} // namespace

TEST(StringListReport, NoSecondReportWhileOneIsShown)
{
    LoadedStringList().Clear();
    ReenteringPrompt prompt;
    EXPECT_EQ(GetString(77777), "");
    EXPECT_EQ(prompt.inner, "");
    ASSERT_EQ(prompt.Texts().size(), 1u);
    EXPECT_EQ(prompt.Texts()[0], "Error Loading String: 77777");
    // Once the report has closed, failures are reported again.
    GetString(66666);
    EXPECT_EQ(prompt.Texts().size(), 2u);
}

TEST_F(StringListFixture, LongTextsAreCut)
{
    const std::string text = "901 \"" + std::string(3000, 'a') + "\"";
    UseList(text.c_str());
    EXPECT_EQ(GetString(901).size(), StringList::kMaxText);
}

TEST_F(StringListFixture, FormatUsesTheArguments)
{
    UseList("59 \"No bitmap %s here\"");
    EXPECT_EQ(FormatString(59, "x.bmp"), "No bitmap x.bmp here");
    ShowFormattedMessage(59, "y.bmp");
    ASSERT_EQ(prompt.Texts().size(), 1u);
    EXPECT_EQ(prompt.Texts()[0], "No bitmap y.bmp here");
}

TEST_F(StringListFixture, ListTextWithOtherConversionsFallsBackToBuiltIn)
{
    UseList("59 \"bad %i %s\" 103 \"%n\"");
    const std::string builtin = BuiltinString(59);
    EXPECT_EQ(FormatString(59, "z.bmp"),
              builtin.substr(0, builtin.find("%s")) + "z.bmp" + builtin.substr(builtin.find("%s") + 2));
    EXPECT_EQ(FormatString(103, 3).find("%n"), std::string::npos);
}

TEST_F(StringListFixture, ListTextMayUseFewerOfTheValues)
{
    UseList("452 \"%s is somewhere\" 130 \"Display error %s\"");
    EXPECT_EQ(FormatString(452, "Ann", "Room"), "Ann is somewhere");
    EXPECT_EQ(FormatString(130, 5u, "name").find("Display error"), std::string::npos);
}

TEST_F(StringListFixture, ListTextWithoutBuiltInIsNotUsedAsAFormat)
{
    UseList("902 \"%s%s%s\" 903 \"plain 100%% sure\"");
    EXPECT_EQ(FormatString(902), "%s%s%s");
    EXPECT_EQ(FormatString(903), "plain 100% sure");
}

TEST_F(StringListFixture, PercentInTheGameNameAddsNoConversion)
{
    UseList("341 \"!game: %s\"");
    ActivateGame("100% %s%n");
    EXPECT_EQ(FormatString(341, "file"), "100% %s%n: file");
}

TEST_F(StringListFixture, StringNumberReadsSpaceSeparatedWords)
{
    UseList("482 \"110  50 x 80\"");
    EXPECT_EQ(StringNumber(482, 0), 110);
    EXPECT_EQ(StringNumber(482, 1), 50);
    EXPECT_EQ(StringNumber(482, 2), 0);
    EXPECT_EQ(StringNumber(482, 3), 80);
    EXPECT_EQ(StringNumber(482, 4), 0);
}

TEST(StringListFile, LoadedThroughTheGameFileSearch)
{
    RecordingPrompt prompt;
    SearchTree tree;
    tree.WriteBase("gfx/shell/strings.lst", "5 base\n");
    tree.WriteGame("gfx/shell/strings.lst", "5 \"from the game\"\n");
    EXPECT_TRUE(LoadStringList());
    EXPECT_EQ(GetString(5), "from the game");
    LoadedStringList().Parse("6 extra");
    EXPECT_TRUE(LoadStringList());
    EXPECT_EQ(LoadedStringList().Find(6), nullptr);
    LoadedStringList().Clear();
}

TEST(StringListFile, MissingFileLeavesTheListEmpty)
{
    SearchTree tree;
    LoadedStringList().Parse("5 old");
    EXPECT_FALSE(LoadStringList());
    EXPECT_TRUE(LoadedStringList().IsEmpty());
}
