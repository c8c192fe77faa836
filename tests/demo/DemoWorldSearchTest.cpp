// The demo world as the launcher's file search sees it: archive, maps, models.
#include "DemoTreeFixture.h"

#include "app/files/MapList.h"
#include "app/files/PackFile.h"
#include "app/files/PlayerModelList.h"
#include "app/files/SearchPath.h"
#include "demo/DemoMap.h"
#include "demo/PicturePainter.h"
#include "demo/SoundSynth.h"

#include <algorithm>
#include <cstdio>
#include <set>

namespace {

std::set<std::string> MapFileNames(bool multiplayerOnly)
{
    std::set<std::string> names;
    for (const DemoMap& map : DemoMap::Catalogue())
        if (map.multiplayer || !multiplayerOnly)
            names.insert("maps/" + map.name.toStdString() + ".bsp");
    return names;
}

} // namespace

TEST_F(DemoTreeTest, BaseArchiveOpensWithEveryMapAndPreview)
{
    const auto pack = ReadPackFile(Tree().PathStd() + "/harrow/pak0.pak");
    ASSERT_TRUE(pack.has_value());
    std::set<std::string> names;
    for (const PackEntry& entry : pack->entries) {
        names.insert(entry.name);
        EXPECT_GT(entry.length, 0) << entry.name;
    }
    for (const std::string& map : MapFileNames(false))
        EXPECT_TRUE(names.count(map)) << map;
    for (const DemoPlayerModel& model : PicturePainter::PlayerModels()) {
        const std::string name = "models/player/" + model.name.toStdString() + "/" + model.name.toStdString() + ".bmp";
        EXPECT_TRUE(names.count(name)) << name;
    }
    EXPECT_EQ(pack->entries.size(),
              MapFileNames(false).size() + PicturePainter::PlayerModels().size() + SoundSynth::MenuSounds().size());
}

TEST_F(DemoTreeTest, FileSearchFindsMapsInTheBaseArchive)
{
    for (const std::string& map : MapFileNames(false)) {
        FileLocation location;
        const int64_t length = COM_FindFile(map, &location, nullptr);
        EXPECT_GT(length, 124) << map;
        EXPECT_GT(location.position, 0) << map << " should come from the archive";
        CloseLocation(location);
    }
    FILE* file = nullptr;
    EXPECT_GT(COM_FindFile("MAPS\\ASHFALL.BSP", nullptr, &file), 0);
    if (file)
        std::fclose(file);
}

TEST_F(DemoTreeTest, FileSearchFindsTheGameDirectoryLists)
{
    for (const char* name : {"liblist.gam", "settings.scr", "user.scr", "gfx/shell/strings.lst", "gfx/shell/colors.lst",
                             "gfx/shell/kb_keys.lst", "gfx/shell/kb_def.lst", "gfx/shell/kb_act.lst",
                             "gfx/shell/splash.bmp", "gfx/shell/btns_main.bmp"}) {
        int64_t length = 0;
        EXPECT_TRUE(LoadFile(name, &length)) << name;
        EXPECT_GT(length, 0) << name;
    }
}

TEST_F(DemoTreeTest, ListMapsOffersExactlyTheMultiplayerMaps)
{
    const std::vector<GameFileRecord> maps = ListMaps(kMapsLoose | kMapsInArchives, true);
    std::multiset<std::string> listed;
    for (const GameFileRecord& record : maps) {
        listed.insert(record.name);
        EXPECT_EQ(record.gameDirectoryName, "harrow");
        EXPECT_EQ(record.flags, GameFileRecord::kInArchive);
    }
    const std::set<std::string> wanted = MapFileNames(true);
    EXPECT_EQ(wanted.size(), 4u);
    EXPECT_EQ(listed, std::multiset<std::string>(wanted.begin(), wanted.end()));

    // Without the check the single-player map is there too.
    EXPECT_EQ(ListMaps(kMapsLoose | kMapsInArchives, false).size(), MapFileNames(false).size());
    EXPECT_TRUE(ListMaps(kMapsLoose, true).empty());
}

TEST_F(DemoTreeTest, PlayerModelsAreListedFromTheArchive)
{
    const std::vector<GameFileRecord> models = ListPlayerModels();
    EXPECT_EQ(models.size(), PicturePainter::PlayerModels().size());
    for (const DemoPlayerModel& model : PicturePainter::PlayerModels()) {
        const std::string name = "models/player/" + model.name.toStdString() + "/" + model.name.toStdString() + ".bmp";
        EXPECT_TRUE(std::any_of(models.begin(), models.end(), [&](const GameFileRecord& r) { return r.name == name; }))
            << name;
    }
}

TEST_F(DemoTreeTest, MapsCarryTheirTitleInTheWorldspawn)
{
    for (const DemoMap& map : DemoMap::Catalogue()) {
        const QByteArray bytes = ReadArchived("maps/" + map.name.toStdString() + ".bsp");
        ASSERT_GE(bytes.size(), 124);
        const auto* raw = reinterpret_cast<const uint8_t*>(bytes.constData());
        const MapHeaderCheck check = CheckMapHeader(raw, size_t(bytes.size()), bytes.size());
        ASSERT_TRUE(check.usable) << map.name.toStdString();
        EXPECT_EQ(ReadLittle32(raw), 30u);
        const QByteArray entities = bytes.mid(check.entityOffset, check.entityLength);
        EXPECT_TRUE(entities.startsWith("{\n\"classname\" \"worldspawn\"")) << map.name.toStdString();
        EXPECT_TRUE(entities.contains("\"message\" \"" + map.title.toUtf8() + "\""));
        EXPECT_EQ(entities.contains("info_player_deathmatch"), map.multiplayer);
    }
}
