// Which maps the create-server dialog offers: those of the custom game when it has
// any, else those of the other directories; only names safe on a command line.
#include "ServerWorld.h"
#include "config/server/ServerMapList.h"

#include <gtest/gtest.h>

namespace {

using Maps = std::vector<std::string>;

class ServerMapList : public ServerWorldTest
{
};

TEST_F(ServerMapList, WithoutACustomGameTheBaseGamesMultiplayerMapsAreListed)
{
    EXPECT_EQ(ServerMapGameDirectory(), "harrow");
    EXPECT_EQ(ListServerMaps(), (Maps{"ashfall.bsp", "hollowspire.bsp", "saltworks.bsp", "stormcrag.bsp"}));
}

TEST_F(ServerMapList, ACustomGameWithMapsListsOnlyItsOwnSafeNames)
{
    UseGame("arena");
    EXPECT_EQ(ListServerMaps(), (Maps{"pit.bsp"}));
}

TEST_F(ServerMapList, TheCustomGamesSpawnClassChoosesItsMaps)
{
    UseGame("arena", "info_arena_spawn");
    EXPECT_EQ(ListServerMaps(), (Maps{"tower.bsp"}));
}

TEST_F(ServerMapList, ACustomGameWithoutMapsListsTheOtherDirectories)
{
    UseGame("nomaps");
    EXPECT_EQ(ListServerMaps(), (Maps{"ashfall.bsp", "hollowspire.bsp", "saltworks.bsp", "stormcrag.bsp"}));
}

TEST(ServerMapChoice, EntriesAreLowerCasedSortedAndOnlySafeNamesKept)
{
    const std::vector<GameFileRecord> records = {
        {"maps/Zed.bsp", "arena", nullptr, 0},     {"maps/x.bsp", "ARENA", nullptr, 0},
        {"maps/a.b.bsp", "arena", nullptr, 0},     {"maps/b;quit.bsp", "arena", nullptr, 0},
        {"maps/" + std::string(32, 'l') + ".bsp", "arena", nullptr, 0},
        {"maps/" + std::string(31, 'k') + ".bsp", "arena", nullptr, 0},
        {"mapsx", "arena", nullptr, 0},            {"maps/base.bsp", "harrow", nullptr, 0}};
    EXPECT_EQ(ChooseServerMaps(records, "arena"), (Maps{std::string(31, 'k') + ".bsp", "x.bsp", "zed.bsp"}));
    EXPECT_EQ(ChooseServerMaps(records, "nomaps").size(), 4u);
    EXPECT_TRUE(ChooseServerMaps({}, "arena").empty());
}

} // namespace
