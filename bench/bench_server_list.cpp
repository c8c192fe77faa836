// Filtering and sorting a large server list: what a fill of the Internet list costs.
#include "browser/ApplyServerFilter.h"
#include "browser/CServerInfo.h"
#include "browser/QuickStart.h"
#include "browser/ServerSort.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int kRecords = 10000;

struct ServerList
{
    std::vector<std::unique_ptr<CServerInfo>> records;
    CServerInfo* Head() const { return records.front().get(); }
};

// A varied list: names, maps and games from small pools, pings from 0 to 1.2 s,
// some proxies relaying a few targets, some favourites and passworded servers.
const ServerList& BigList()
{
    static const ServerList list = [] {
        static const char* maps[] = {"ha_mill", "ha_docks", "ha_crossfire", "HA_Tower", "?", "ha_bunker"};
        static const char* games[] = {"Deathmatch", "CTF", "team play", "Arena"};
        static const char* dirs[] = {"vrel", "vrel", "vrel", "harrow", "mods/vrel.gam"};
        std::mt19937 random(12345);
        ServerList l;
        l.records.reserve(kRecords);
        for (int i = 0; i < kRecords; ++i) {
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
            if (!l.records.empty())
                l.records.back()->next = r.get();
            l.records.push_back(std::move(r));
        }
        return l;
    }();
    return list;
}

ServerFilter TypicalFilter()
{
    ServerFilter f;
    f.responded = true;
    f.full = true;
    f.ping = true;
    f.pingMax = 900;
    return f;
}

std::vector<CServerInfo*> Shown(const ServerList& list)
{
    std::vector<CServerInfo*> rows;
    rows.reserve(list.records.size());
    for (const auto& r : list.records)
        if (!r->IsFiltered())
            rows.push_back(r.get());
    return rows;
}

void BM_ApplyFilter(benchmark::State& state)
{
    const ServerList& list = BigList();
    const ServerFilter f = TypicalFilter();
    for (auto _ : state) {
        ApplyServerFilter(list.Head(), f, true);
        benchmark::ClobberMemory();
    }
    state.counters["shown"] = double(Shown(list).size());
}
BENCHMARK(BM_ApplyFilter)->Unit(benchmark::kMillisecond);

void SortBy(benchmark::State& state, const std::vector<int>& keys, bool filter)
{
    const ServerList& list = BigList();
    const ServerFilter f = filter ? TypicalFilter() : ServerFilter{};
    for (auto _ : state) {
        ApplyServerFilter(list.Head(), f, true);
        std::vector<CServerInfo*> rows = Shown(list);
        SortServers(rows, keys);
        benchmark::DoNotOptimize(rows.data());
    }
}

// The whole fill: filter, collect the shown rows, sort them.
void BM_FilterAndSortByName(benchmark::State& state)
{
    SortBy(state, {5, 1}, true);
}
BENCHMARK(BM_FilterAndSortByName)->Unit(benchmark::kMillisecond);

void BM_FilterAndSortByPingThenName(benchmark::State& state)
{
    SortBy(state, {6, -5, 1}, true);
}
BENCHMARK(BM_FilterAndSortByPingThenName)->Unit(benchmark::kMillisecond);

// Many ties on the first keys: the later keys and the serial decide most comparisons.
void BM_FilterAndSortByMapGamePlayers(benchmark::State& state)
{
    SortBy(state, {7, 8, -9, 3, 4, 2, 1}, true);
}
BENCHMARK(BM_FilterAndSortByMapGamePlayers)->Unit(benchmark::kMillisecond);

void BM_NoFilterSortAllByName(benchmark::State& state)
{
    SortBy(state, {-5}, false);
}
BENCHMARK(BM_NoFilterSortAllByName)->Unit(benchmark::kMillisecond);

void BM_QuickStartRanking(benchmark::State& state)
{
    const ServerList& list = BigList();
    for (auto _ : state) {
        CandidateList c = QuickStartCandidates(list.Head(), QuickStartContext{});
        RankCandidates(c, 9999);
        benchmark::DoNotOptimize(c.head);
    }
}
BENCHMARK(BM_QuickStartRanking)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
