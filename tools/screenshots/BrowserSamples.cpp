#include "BrowserSamples.h"

#include "browser/record/CServerInfo.h"

#include <array>
#include <string>

namespace {

constexpr std::array<const char*, 12> kPlayers = {"Wren",    "Talon",   "Kite",   "Osprey", "Merlin", "Harrier",
                                                  "Skylark", "Bunting", "Shrike", "Plover", "Corvid", "Swift"};
constexpr std::array<const char*, 14> kNames = {"Harbour Brawl", "Kestrel Central", "Night Owls [EU]", "Saltworks 24/7",
                                                "Cliffside CTF", "Old Mill Arena",  "Lighthouse DM",   "Dockside Duel",
                                                "Granary Gang",  "Windward Public", "Ridge Runners",   "Storm Front",
                                                "Marsh Madness", "Copper Tower"};
constexpr std::array<const char*, 7> kMaps = {"ha_mill",   "ha_docks", "ha_crossfire", "ha_tower",
                                              "ha_bunker", "windward", "saltworks"};
constexpr std::array<const char*, 4> kGames = {"Deathmatch", "Capture the Flag", "Team Play", "Arena"};

} // namespace

std::unique_ptr<CServerInfo> SampleServerWithPlayers()
{
    auto r = std::make_unique<CServerInfo>("127.0.0.1", 27015);
    FillSampleServer(*r, 0);
    r->currentplayers = int(kPlayers.size());
    r->AllocatePlayerSlots();
    for (size_t i = 0; i < kPlayers.size(); ++i) {
        auto player = std::make_unique<CPlayerInfo>(kPlayers[i]);
        player->id = int(i) + 1;
        player->frags = int((i * 7 + 3) % 31);
        player->time = int(300 + i * 611);
        (*r->players)[i] = std::move(player);
    }
    const std::pair<const char*, const char*> rules[] = {{"sv_maxspeed", "320"},
                                                         {"mp_friendlyfire", "0"},
                                                         {"mp_footsteps", "1"},
                                                         {"sv_gravity", "800"},
                                                         {"mp_fraglimit", "40"},
                                                         {"mp_timelimit", "25"},
                                                         {"sv_contact", "admin@localhost"}};
    for (const auto& [key, value] : rules)
        r->AddRule(key, value);
    return r;
}

void FillSampleServer(CServerInfo& r, int i)
{
    const size_t n = size_t(i);
    r.name = kNames[n % kNames.size()];
    if (i >= int(kNames.size()))
        r.name += " #" + std::to_string(i / int(kNames.size()) + 1);
    r.map = kMaps[(n * 5 + 1) % kMaps.size()];
    r.game = kGames[(n * 3) % kGames.size()];
    r.dir = "vrel";
    r.maxplayers = i % 9 == 4 ? 8 : (i % 3 == 0 ? 24 : 16);
    r.currentplayers = int((n * 7) % size_t(r.maxplayers + 1));
    r.svping = i % 23 == 11 ? 0.0 : double(20 + (n * 37) % 780) / 1000.0;
    r.svtype = i % 4 == 1 ? 'l' : 'd';
    r.svos = i % 3 == 2 ? 'w' : 'l';
    r.proxy = i % 17 == 6;
    if (r.proxy) {
        r.svtype = 'p';
        SetProxyAddress(r, "10.30.0." + std::to_string(i % 250 + 1) + ":27015");
    }
    r.password = i % 6 == 5;
    r.favorite = i % 11 == 2;
    r.protocol = i % 29 == 13 ? 44 : 45;
    r.status = CServerInfo::Done;
}
