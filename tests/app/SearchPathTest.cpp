#include "app/files/SearchPath.h"
#include "app/files/FileHandleTable.h"
#include "app/files/MapList.h"
#include "app/files/PathUtils.h"
#include "app/files/PlayerModelList.h"
#include "app/settings/ActiveCustomGame.h"
#include "app/settings/CommandLine.h"
#include "app/settings/LauncherState.h"
#include "support/PakBuilder.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

const QByteArray kDeathmatch = "{\n\"classname\" \"worldspawn\"\n}\n{\n\"classname\" \"info_player_deathmatch\"\n}\n";
const QByteArray kSinglePlayer = "{\n\"classname\" \"worldspawn\"\n}\n{\n\"classname\" \"info_player_start\"\n}\n";

class SearchPathTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ResetSearchPath();
        SetActiveCustomGame(std::nullopt);
        Launcher().baseDirectory = tree.PathStd();
        EffectiveCommandLine() = CommandLine("kestrel -game vrel");
    }
    void TearDown() override
    {
        ResetSearchPath();
        FileHandles().CloseAll();
        EffectiveCommandLine() = CommandLine();
        SetActiveCustomGame(std::nullopt);
    }

    // The text of a file as the search finds it.
    std::string Found(const std::string& name)
    {
        int64_t length = 0;
        auto data = LoadFile(name, &length);
        return data ? std::string(data.get(), size_t(length)) : std::string("<missing>");
    }

    static std::vector<std::string> Names(const std::vector<GameFileRecord>& records)
    {
        std::vector<std::string> names;
        for (const auto& r : records)
            names.push_back(r.name);
        return names;
    }

    TempTree tree;
};

} // namespace

TEST_F(SearchPathTest, GameDirectoryAndItsArchivesComeBeforeTheBase)
{
    tree.Write("vrel/both.txt", "vrel loose");
    tree.Write("harrow/pak0.pak", BuildPak({{"both.txt", "harrow pak"}, {"inpak.txt", "harrow pak"}}));
    tree.Write("harrow/inpak.txt", "harrow loose");
    tree.Write("vrel/pak0.pak", BuildPak({{"inpak.txt", "vrel pak0"}, {"twice.txt", "vrel pak0"}}));
    tree.Write("vrel/pak1.pak", BuildPak({{"twice.txt", "vrel pak1"}}));

    EXPECT_EQ(Found("both.txt"), "vrel loose");
    EXPECT_EQ(Found("inpak.txt"), "vrel pak0");
    EXPECT_EQ(Found("twice.txt"), "vrel pak1");  // higher numbers first
    EXPECT_EQ(Found("nothing.txt"), "<missing>");

    const auto& entries = SearchPathEntries();
    std::vector<std::string> order;
    for (const auto& e : entries)
        order.push_back(e.pack ? FileBase(e.pack->fileName) + "@" + e.gameDirectoryName : e.gameDirectoryName);
    EXPECT_EQ(order, (std::vector<std::string>{"vrel", "pak1@vrel", "pak0@vrel", "harrow", "pak0@harrow"}));
    EXPECT_EQ(Launcher().gameDirectory, tree.PathStd() + "/vrel");
}

TEST_F(SearchPathTest, ArchiveNumberingStopsAtTheFirstGapOrBadArchive)
{
    tree.Write("harrow/pak0.pak", BuildPak({{"a.txt", "0"}}));
    tree.Write("harrow/pak2.pak", BuildPak({{"c.txt", "2"}}));
    tree.Write("vrel/pak0.pak", "NOTAPACKFILE");
    tree.Write("vrel/pak1.pak", BuildPak({{"d.txt", "1"}}));
    EXPECT_EQ(Found("a.txt"), "0");
    EXPECT_EQ(Found("c.txt"), "<missing>");
    EXPECT_EQ(Found("d.txt"), "<missing>");
}

TEST_F(SearchPathTest, ArchiveNamesMatchIgnoringCaseAndSlashKind)
{
    tree.Write("harrow/pak0.pak", BuildPak({{"maps/x.bsp", "map"}, {"maps", "folder"}}));
    tree.Write("vrel/Gfx/Shell/Strings.lst", "loose");
    EXPECT_EQ(Found("MAPS\\X.BSP"), "map");
    EXPECT_EQ(Found("maps/x.bs"), "<missing>");  // no prefix matches
    EXPECT_EQ(Found("gfx/shell/strings.lst"), "loose");
    EXPECT_EQ(Found("gfx\\shell\\strings.lst"), "loose");
}

TEST_F(SearchPathTest, GameDirectoryNamesIgnoreCase)
{
    EffectiveCommandLine() = CommandLine("kestrel -game VREL");
    tree.Write("vrel/only.txt", "found");
    EXPECT_EQ(Found("only.txt"), "found");
    EXPECT_EQ(Launcher().gameDirectory, tree.PathStd() + "/vrel");
}

TEST_F(SearchPathTest, DamagedArchivesAreNotUsed)
{
    // 4097 directory entries: the whole archive is refused.
    std::vector<PakItem> many;
    for (int i = 0; i < 4097; ++i)
        many.push_back({"f" + std::to_string(i), "x"});
    tree.Write("vrel/pak0.pak", BuildPak(many));
    // Directory beyond the end of the file.
    QByteArray outside = BuildPak({{"out.txt", "x"}});
    PutLittle32(outside, 4, 1 << 20);
    tree.Write("harrow/pak0.pak", outside);
    EXPECT_EQ(Found("f1"), "<missing>");
    EXPECT_EQ(Found("out.txt"), "<missing>");
    EXPECT_EQ(FileHandles().InUse(), 0);

    // One entry whose data lies outside the file is skipped; the others stay.
    ResetSearchPath();
    QByteArray partly = BuildPak({{"good.txt", "good"}, {"bad.txt", "bad"}});
    PutLittle32(partly, partly.size() - 4, 1 << 20);  // length of the last entry
    tree.Write("harrow/pak0.pak", partly);
    tree.Write("vrel/pak0.pak", BuildPak({{std::string(56, 'n'), "long"}}));
    EXPECT_EQ(Found("good.txt"), "good");
    EXPECT_EQ(Found("bad.txt"), "<missing>");
    EXPECT_EQ(Found(std::string(55, 'n')), "long");  // names without a NUL end at 55
}

TEST_F(SearchPathTest, LocationsUseTheArchiveHandleOrATableSlot)
{
    tree.Write("harrow/pak0.pak", BuildPak({{"in.txt", "packed data"}}));
    tree.Write("vrel/loose.txt", "loose");
    FileLocation packed;
    ASSERT_EQ(COM_FindFile("in.txt", &packed, nullptr), 11);
    EXPECT_GT(packed.position, 0);
    EXPECT_EQ(FileHandles().InUse(), 1);  // the archive's own handle
    CloseLocation(packed);
    EXPECT_EQ(FileHandles().InUse(), 1);  // archives keep theirs

    FileLocation loose;
    ASSERT_EQ(COM_FindFile("loose.txt", &loose, nullptr), 5);
    EXPECT_EQ(loose.position, 0);
    EXPECT_EQ(FileHandles().InUse(), 2);
    CloseLocation(loose);
    EXPECT_EQ(FileHandles().InUse(), 1);

    FileLocation none;
    EXPECT_EQ(COM_FindFile("none.txt", &none, nullptr), -1);
    EXPECT_EQ(none.handle, -1);
}

using SearchPathDeathTest = SearchPathTest;

TEST_F(SearchPathDeathTest, MisuseAndHandleExhaustionAreFatal)
{
    EXPECT_EXIT(COM_FindFile("x", nullptr, nullptr), ::testing::ExitedWithCode(3), "neither phFile or file set");
    FileLocation location;
    FILE* file = nullptr;
    EXPECT_EXIT(COM_FindFile("x", &location, &file), ::testing::ExitedWithCode(3), "both phFile and file set");

    // Eight archives plus one open file use all nine handles; one more is fatal.
    for (int i = 0; i < 8; ++i)
        tree.Write(QString("harrow/pak%1.pak").arg(i), BuildPak({{"p" + std::to_string(i), "x"}}));
    tree.Write("vrel/a.txt", "a");
    tree.Write("vrel/b.txt", "b");
    FileLocation first;
    ASSERT_EQ(COM_FindFile("a.txt", &first, nullptr), 1);
    EXPECT_EQ(FileHandles().InUse(), 9);
    EXPECT_EXIT(
        {
            FileLocation second;
            COM_FindFile("b.txt", &second, nullptr);
        },
        ::testing::ExitedWithCode(3), "out of handles");
    CloseLocation(first);
}

TEST_F(SearchPathTest, MapsQualifyOnlyWithASpawnPointInASaneHeader)
{
    QByteArray oversized(124, '\0');
    PutLittle32(oversized, 0, 30);
    PutLittle32(oversized, 4, 124);
    PutLittle32(oversized, 8, 16 * 1024 * 1024 + 1);
    QByteArray pastEnd = BuildMap(30, kDeathmatch);
    PutLittle32(pastEnd, 8, int32_t(kDeathmatch.size()) + 10);

    tree.Write("harrow/pak0.pak", BuildPak({{"maps/arena.bsp", BuildMap(30, kDeathmatch)},
                                            {"maps/story.bsp", BuildMap(30, kSinglePlayer)},
                                            {"maps/future.bsp", BuildMap(31, kDeathmatch)},
                                            {"maps/huge.bsp", oversized},
                                            {"maps/cut.bsp", pastEnd},
                                            {"sound/maps.bsp", BuildMap(30, kDeathmatch)}}));
    tree.Write("vrel/maps/old.bsp", BuildMap(29, kDeathmatch));
    tree.Write("vrel/maps/notes.txt", "x");

    EXPECT_TRUE(MapHasSpawnEntity("maps/arena.bsp"));
    EXPECT_FALSE(MapHasSpawnEntity("maps/story.bsp"));
    EXPECT_FALSE(MapHasSpawnEntity("maps/future.bsp"));
    EXPECT_FALSE(MapHasSpawnEntity("maps/huge.bsp"));
    EXPECT_FALSE(MapHasSpawnEntity("maps/cut.bsp"));
    EXPECT_TRUE(MapHasSpawnEntity("maps/old.bsp"));
    EXPECT_FALSE(MapHasSpawnEntity("maps/none.bsp"));

    auto all = Names(ListMaps(kMapsLoose | kMapsInArchives, false));
    std::sort(all.begin(), all.end());
    EXPECT_EQ(all, (std::vector<std::string>{"maps/arena.bsp", "maps/cut.bsp", "maps/future.bsp", "maps/huge.bsp",
                                             "maps/old.bsp", "maps/story.bsp"}));
    EXPECT_EQ(Names(ListMaps(kMapsLoose | kMapsInArchives, true)),
              (std::vector<std::string>{"maps/old.bsp", "maps/arena.bsp"}));
    EXPECT_EQ(Names(ListMaps(kMapsLoose, true)), (std::vector<std::string>{"maps/old.bsp"}));

    // A custom game with its own spawn class.
    SetActiveCustomGame(ActiveCustomGameInfo{"Story", "vrel", "info_player_start", 0});
    EXPECT_TRUE(MapHasSpawnEntity("maps/story.bsp"));
    EXPECT_FALSE(MapHasSpawnEntity("maps/arena.bsp"));
}

TEST_F(SearchPathTest, LooseMapsCoverTheirArchivedCopiesAndCarryFlags)
{
    tree.Write("harrow/pak0.pak", BuildPak({{"maps/dup.bsp", BuildMap(30, kDeathmatch)}}));
    tree.Write("harrow/maps/dup.bsp", BuildMap(30, kDeathmatch));
    tree.Write("vrel/pak0.pak", BuildPak({{"MAPS/Game.BSP", BuildMap(30, kDeathmatch)}}));
    const auto maps = ListMaps(kMapsLoose | kMapsInArchives, false);
    ASSERT_EQ(maps.size(), 2u);
    // Found at the head: the base directory's loose map was found last.
    EXPECT_EQ(maps[0].name, "maps/dup.bsp");
    EXPECT_EQ(maps[0].flags, 0);
    EXPECT_EQ(maps[1].name, "maps/Game.bsp");
    EXPECT_EQ(maps[1].flags, GameFileRecord::kInArchive | GameFileRecord::kInGameDirectory);
}

TEST_F(SearchPathTest, PlayerModelsPreferTheWantedGameDirectory)
{
    tree.Write("harrow/models/player/hawk/hawk.mdl", "m");
    tree.Write("harrow/models/player/Owl/owl.mdl", "m");
    tree.Write("harrow/models/player/.hidden/x.mdl", "m");
    tree.Write("vrel/pak0.pak", BuildPak({{"models/player/kite/kite.bmp", "b"}, {"models/player/kite/other.bmp", "b"}}));
    auto models = Names(ListPlayerModels());
    std::sort(models.begin(), models.end());
    EXPECT_EQ(models, (std::vector<std::string>{"models/player/hawk/hawk.bmp", "models/player/owl/owl.bmp"}));

    SetActiveCustomGame(ActiveCustomGameInfo{"Kite", "vrel", "", 0});
    EXPECT_EQ(Names(ListPlayerModels()), (std::vector<std::string>{"models/player/kite/kite.bmp"}));

    SetActiveCustomGame(ActiveCustomGameInfo{"Kite", "vrel", "", 1});
    EXPECT_TRUE(ListPlayerModels().empty());
}

TEST_F(SearchPathTest, LooseFilesByPathAndPathHelpers)
{
    tree.Write("harrow/media/logo.avi", "x");
    tree.Write("vrel/media/intro.avi", "x");
    EXPECT_EQ(FindLooseFile("media/intro.avi"), tree.PathStd() + "/vrel/media/intro.avi");
    EXPECT_EQ(FindLooseFile("media/logo.avi"), tree.PathStd() + "/harrow/media/logo.avi");
    EXPECT_EQ(FindLooseFile("media/none.avi"), tree.PathStd() + "/harrow/media/none.avi");

    EXPECT_EQ(FileBase("maps\\dm/arena.final.bsp"), "arena.final");
    EXPECT_EQ(FileBase("noext"), "noext");
    EXPECT_EQ(UseBackslashes("a/b/c"), "a\\b\\c");
    const uint8_t bytes[] = {0x00, 0xab, 0x7f};
    EXPECT_EQ(HexString(bytes, 3), "00ab7f");
    std::vector<uint8_t> many(100, 0xff);
    EXPECT_EQ(HexString(many.data(), many.size()).size(), 126u);

    CreatePath(tree.PathStd() + "/new/deeper/file.txt");
    EXPECT_TRUE(tree.Exists("new/deeper"));
    EXPECT_FALSE(tree.Exists("new/deeper/file.txt"));
}
