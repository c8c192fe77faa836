#include "demo/DemoMap.h"

#include <cmath>

namespace {

constexpr float kPi = 3.14159265f;

// Spawn points on a ring, each facing the centre, so every map has several.
void AddRing(DemoMap& map, const QString& className, int count, float radius, float height)
{
    for (int i = 0; i < count; ++i) {
        const float a = 2 * kPi * float(i) / float(count);
        const int facing = (int(std::lround(a * 180 / kPi)) + 180) % 360;
        map.entities.push_back({className, {radius * std::cos(a), radius * std::sin(a), height}, facing});
    }
}

void AddItems(DemoMap& map, std::initializer_list<const char*> classes, float radius, float height)
{
    int i = 0;
    const int count = int(classes.size());
    for (const char* className : classes) {
        const float a = 2 * kPi * (float(i) + 0.5f) / float(count);
        map.entities.push_back({className, {radius * std::cos(a), radius * std::sin(a), height}, 0});
        ++i;
    }
}

DemoMap Multiplayer(const char* name, const char* title, const char* sky, int spawns, float radius)
{
    DemoMap map{name, title, sky, true, {}};
    AddRing(map, "info_player_deathmatch", spawns, radius, 36);
    AddItems(map, {"item_healthkit", "item_armor", "weapon_crossbow", "ammo_bolts", "weapon_shotgun"},
             radius * 0.55f, 24);
    map.entities.push_back({"light_environment", {0, 0, 512}, 225});
    return map;
}

} // namespace

std::vector<DemoMap> DemoMap::Catalogue()
{
    std::vector<DemoMap> maps;
    maps.push_back(Multiplayer("ashfall", "Ashfall Quarry", "dusk", 8, 900));
    maps.push_back(Multiplayer("stormcrag", "Stormcrag Aerie", "storm", 6, 700));
    maps.push_back(Multiplayer("saltworks", "The Saltworks", "haze", 10, 1200));
    maps.push_back(Multiplayer("hollowspire", "Hollow Spire", "night", 8, 640));

    DemoMap single{"windward", "Windward Descent", "dawn", false, {}};
    single.entities.push_back({"info_player_start", {-320, 64, 36}, 90});
    single.entities.push_back({"info_landmark", {0, 1024, 0}, 0});
    single.entities.push_back({"trigger_changelevel", {0, 1088, 0}, 0});
    AddItems(single, {"item_healthkit", "weapon_crossbow"}, 256, 24);
    maps.push_back(single);
    return maps;
}
