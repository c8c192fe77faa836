// The catalogue: liblist.gam files, the installed games and the active one, the list
// the custom games dialog shows (merging, rows, sorting) and the checks on records a
// custom-game master sends.
#include "app/files/SearchPath.h"
#include "app/settings/ActiveCustomGame.h"
#include "app/settings/CommandLine.h"
#include "app/settings/LauncherState.h"
#include "mods/catalogue/CompareMods.h"
#include "mods/catalogue/Liblist.h"
#include "mods/catalogue/ModCatalogue.h"
#include "mods/catalogue/ModListMerge.h"
#include "mods/catalogue/ReceivedModCheck.h"
#include "ui/SortKeyList.h"
#include "support/RecordingPrompt.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

namespace {

CModRecord Offered(const std::string& gamedir, const std::string& version, const std::string& size = "0")
{
    CModRecord record;
    record.SetKey("gamedir", gamedir);
    record.SetKey("game", "Game " + gamedir);
    record.SetKey("version", version);
    record.SetKey("size", size);
    return record;
}

// A game tree with harrow, vrel and a custom game, and the launcher pointed at it.
class CatalogueTree : public ::testing::Test
{
protected:
    void SetUp() override
    {
        tree.Write("harrow/liblist.gam", "game \"Harrow\"\ngamedll \"dlls/h.so\"\n");
        tree.Write("vrel/liblist.gam", "game \"Vrel\" gamedir \"other\" gamedll x\n");
        tree.Write("Skyline/liblist.gam", "// a custom game\ngame \"Skyline\"\ngamedll \"dlls/s.so\"\nversion 3\n"
                                          "type multiplayer_only\nmpentity info_sky_start\n");
        tree.Write("notagame/liblist.gam", "game \"Nothing\"\n");
        tree.Write(".hidden/liblist.gam", "game x gamedll y\n");
        savedLine = EffectiveCommandLine();
        savedBase = Launcher().baseDirectory;
        Launcher().baseDirectory = tree.PathStd();
        EffectiveCommandLine() = CommandLine("kestrel -game skyLINE");
        ResetSearchPath();
        ScanInstalledMods(tree.PathStd());
    }
    void TearDown() override
    {
        ClearInstalledMods();
        CurrentModHooks() = ModHooks{};
        EffectiveCommandLine() = savedLine;
        Launcher().baseDirectory = savedBase;
        ResetSearchPath();
    }
    TempTree tree;
    CommandLine savedLine;
    std::string savedBase;
};

} // namespace

TEST(Liblist, AGameNeedsGamedllAndTakesItsDirectoryName)
{
    EXPECT_FALSE(ParseLiblist("game \"No dll\"\n", "X"));
    const auto record = ParseLiblist("game \"Fun\" gamedir \"other\"\r\ngamedll \"a.so\"\nstartmap", "VREL");
    ASSERT_TRUE(record);
    EXPECT_EQ(record->GetKeyText("gamedir"), "VREL");
    EXPECT_EQ(record->GetKeyText("installed"), "1");
    EXPECT_EQ(record->GetKeyText("game"), "Fun");
    EXPECT_EQ(record->GetKeyText("startmap"), ""); // a key at the end gets the empty value
    EXPECT_EQ(record->GetKeyText("mpentity"), "info_player_deathmatch");

    const std::string longKey(100, 'k');
    const std::string longValue(400, 'v');
    const auto cut = ParseLiblist((longKey + " " + longValue + " gamedll x").c_str(), "D");
    ASSERT_TRUE(cut);
    EXPECT_EQ(cut->GetKeyText(longKey.substr(0, kMaxLiblistKey)), longValue.substr(0, kMaxLiblistValue));
}

TEST(Liblist, AFileOfEndlessSettingsIsNoGame)
{
    std::string many = "game \"Many\" gamedll \"a.so\"\n";
    for (int i = 2; i < kMaxLiblistSettings; ++i)
        many += "k" + std::to_string(i) + " v\n";
    EXPECT_TRUE(ParseLiblist(many.c_str(), "D"));
    many += "one more\n";
    EXPECT_FALSE(ParseLiblist(many.c_str(), "D"));
}

TEST_F(CatalogueTree, ScanFindsGamesTheBaseRecordAndTheCommandLinesGameInAnyCase)
{
    EXPECT_EQ(InstalledMods().size(), 3u);
    EXPECT_FALSE(FindModByDir(InstalledMods(), "notagame"));
    EXPECT_FALSE(FindModByDir(InstalledMods(), ".hidden"));
    ASSERT_TRUE(BaseGameRecord());
    EXPECT_EQ(BaseGameRecord()->GetKeyText("gamedir"), "HARROW");
    EXPECT_EQ(FindModByDir(InstalledMods(), "vrel")->GetKeyText("gamedir"), "VREL");
    ASSERT_TRUE(CurrentMod());
    EXPECT_EQ(CurrentMod()->GetKeyText("game"), "Skyline");
    ASSERT_TRUE(ActiveCustomGame());
    EXPECT_EQ(ActiveCustomGame()->mpentity, "info_sky_start");
    EXPECT_EQ(ActiveCustomGame()->type, "multiplayer_only");
}

TEST_F(CatalogueTree, SetCurrentModSavesFirstThenMovesGameAndFileSearch)
{
    std::string gameDirWhenSaved;
    CurrentModHooks().savePlayerConfig = [&] { gameDirWhenSaved = OptionValue("-game"); };
    int refreshes = 0;
    CurrentModHooks().refreshMenu = [&] { ++refreshes; };

    ASSERT_TRUE(SetCurrentMod(FindModByDir(InstalledMods(), "vrel")));
    EXPECT_EQ(gameDirWhenSaved, "skyLINE");
    EXPECT_EQ(OptionValue("-game"), "VREL");
    EXPECT_EQ(SearchPathEntries().front().gameDirectoryName, "vrel");
    EXPECT_EQ(refreshes, 1);

    ASSERT_TRUE(SetCurrentMod(nullptr));
    EXPECT_FALSE(FindOption("-game"));
    EXPECT_EQ(SearchPathEntries().front().gameDirectoryName, "harrow");
    EXPECT_FALSE(ActiveCustomGame());
}

TEST_F(CatalogueTree, AGameInProgressEndsOnlyWhenThePlayerAgrees)
{
    RecordingPrompt prompt;
    prompt.SetAnswer(kPromptSecond);
    int ended = 0;
    CurrentModHooks().gameInProgress = [] { return true; };
    CurrentModHooks().endGame = [&] { ++ended; };
    CModRecord* before = CurrentMod();
    EXPECT_FALSE(SetCurrentMod(nullptr));
    EXPECT_EQ(CurrentMod(), before);
    EXPECT_EQ(ended, 0);
    prompt.SetAnswer(kPromptFirst);
    EXPECT_TRUE(SetCurrentMod(nullptr));
    EXPECT_EQ(ended, 1);
    EXPECT_EQ(prompt.Texts().size(), 2u);
}

TEST_F(CatalogueTree, ForgettingTheBaseGameKeepsTheCommandLine)
{
    ASSERT_TRUE(SetCurrentMod(BaseGameRecord()));
    const std::string line = EffectiveCommandLine().Text();
    ForgetCurrentMod();
    EXPECT_EQ(CurrentMod(), nullptr);
    EXPECT_EQ(EffectiveCommandLine().Text(), line);
}

TEST(ModMerge, OfferedGamesMergeByGamedirAndMarkNewVersions)
{
    ModList installed;
    installed.push_front(*ParseLiblist("game Old gamedll x version 1.9", "OLDIE"));
    installed.push_front(*ParseLiblist("game Same gamedll x version 1.2", "SAME"));
    installed.push_front(*ParseLiblist("game Harrow gamedll x", "HARROW"));
    ModList offered;
    offered.push_back(Offered("oldie", "2"));
    offered.push_back(Offered("same", "1.9"));
    offered.push_back(Offered("fresh", "1"));

    ModList list = MergeOfferedMods(installed, offered);
    EXPECT_EQ(list.size(), 4u);
    const CModRecord* oldie = FindModByDir(list, "OLDIE");
    EXPECT_EQ(oldie->GetKeyText("newversion"), "1");
    EXPECT_EQ(oldie->GetKeyText("installed"), "1");
    EXPECT_EQ(oldie->GetKeyText("version"), "2");
    EXPECT_EQ(FindModByDir(list, "same")->GetKeyText("newversion"), "0");
    EXPECT_EQ(FindModByDir(list, "fresh")->GetKeyText("installed"), "0");
    EXPECT_EQ(FindModByDir(list, "fresh")->GetKeyText("servers"), "0");
    // The installed records themselves are untouched.
    EXPECT_EQ(FindModByDir(installed, "oldie")->GetKeyText("version"), "1.9");

    SortKeyList keys;
    keys.SetPrimaryKey(kModColumnGame);
    const std::vector<CModRecord*> rows = ModRows(list, keys);
    ASSERT_EQ(rows.size(), 3u); // no row for the base game
    for (const CModRecord* row : rows)
        EXPECT_NE(row->GetKeyText("gamedir"), "HARROW");
}

TEST(ModSort, ClickingAColumnTwiceReversesAndEarlierKeysStaySecond)
{
    ModList list;
    list.push_back(Offered("a", "1", "30"));
    list.push_back(Offered("b", "1", "10"));
    list.push_back(Offered("c", "1", "10"));
    list.back().SetKey("game", "Alpha");
    SortKeyList keys;
    keys.ChooseSortKey(kModColumnSize - 1);
    auto rows = ModRows(list, keys);
    EXPECT_EQ(rows.front()->GetKeyText("size"), "10");
    keys.ChooseSortKey(kModColumnSize - 1);
    EXPECT_EQ(keys.Key(0), -kModColumnSize);
    rows = ModRows(list, keys);
    EXPECT_EQ(rows.front()->GetKeyText("size"), "30");
    keys.ChooseSortKey(kModColumnGame - 1);
    EXPECT_EQ(keys.Key(0), kModColumnGame);
    EXPECT_EQ(keys.Key(1), -kModColumnSize);

    CModRecord without = CModRecord::Empty();
    EXPECT_EQ(CompareMods(without, list.front(), kModColumnRating, 1), -1);
    EXPECT_EQ(CompareMods(without, without, kModColumnRating, 1), 0);
}

TEST(ReceivedMod, UnsafeNamesAreDroppedAndComputedKeysIgnored)
{
    for (const char* bad : {"../up", "a/b", "", "HaRrOw", "with space", "x\\y",
                            "0123456789012345678901234567890123456789012345678901234567890123"}) {
        CModRecord record = Offered(bad, "1");
        EXPECT_FALSE(CheckReceivedMod(record)) << bad;
    }
    CModRecord record = Offered("good_1", "1");
    record.SetKey("game", "Ni\x01" "ce\x1b[31m");
    record.SetKey("installed", "1");
    record.SetKey("servers", "99");
    record.SetKey("startmap", "c0a0; quit");
    record.SetKey("mpentity", "info_ok");
    ASSERT_TRUE(CheckReceivedMod(record));
    EXPECT_EQ(record.GetKeyText("game"), "Nice[31m");
    EXPECT_EQ(record.GetKeyText("installed"), "0");
    EXPECT_EQ(record.GetKeyText("servers"), "0");
    EXPECT_EQ(record.GetKeyText("startmap"), "c0a0");
    EXPECT_EQ(record.GetKeyText("mpentity"), "info_ok");
}
