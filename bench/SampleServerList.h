#pragma once
// A large, varied server list for the list benchmarks: names, maps and games from small
// pools, pings from 0 to 1.2 s, some proxies relaying a few targets, some favourites,
// passworded and unanswered servers. The same seed gives the same list.
#include "browser/record/CServerInfo.h"

#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <vector>

struct SampleServerList
{
    std::vector<std::unique_ptr<CServerInfo>> records;
    CServerInfo* Head() const { return records.front().get(); }
};

inline SampleServerList MakeSampleServerList(int count, uint32_t seed)
{
    static const char* maps[] = {"ha_mill", "ha_docks", "ha_crossfire", "HA_Tower", "?", "ha_bunker"};
    static const char* games[] = {"Deathmatch", "CTF", "team play", "Arena"};
    static const char* dirs[] = {"vrel", "vrel", "vrel", "harrow", "mods/vrel.gam"};
    std::mt19937 random(seed);
    SampleServerList list;
    list.records.reserve(size_t(count));
    for (int i = 0; i < count; ++i) {
        auto r =
            std::make_unique<CServerInfo>("10.1." + std::to_string(i / 256) + "." + std::to_string(i % 256), 27015);
        r->name = (random() % 2 ? "Server " : "server ") + std::to_string(random() % 5000) + " [EU]";
        r->map = maps[random() % 6];
        r->game = games[random() % 4];
        r->dir = dirs[random() % 5];
        r->maxplayers = int(random() % 33);
        r->currentplayers = r->maxplayers ? int(random() % uint32_t(r->maxplayers + 1)) : 0;
        r->svping = random() % 10 == 0 ? 0.0 : double(random() % 1200) / 1000.0;
        r->svtype = "dlp"[random() % 3];
        r->svos = random() % 2 ? 'l' : 'w';
        r->proxy = r->svtype == 'p';
        if (r->proxy)
            SetProxyAddress(*r, "10.9.9." + std::to_string(random() % 40) + ":27015");
        r->favorite = random() % 20 == 0;
        r->password = random() % 8 == 0;
        r->noresponse = random() % 15 == 0;
        r->protocol = 45;
        r->status = CServerInfo::Done;
        if (!list.records.empty())
            list.records.back()->next = r.get();
        list.records.push_back(std::move(r));
    }
    return list;
}
