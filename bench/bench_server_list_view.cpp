// What the games dialog pays for its list of 10,000 servers: applying a filter (flags,
// rows, sort), sorting the rows again after a header click, and one batch of row
// updates while a refresh runs. Each must stay well under 20 ms.
#include "browser/CServerInfo.h"
#include "browser/ServerFilter.h"
#include "browser/ServerListView.h"

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

// Names, maps and games from small pools, pings up to 1.2 s, some proxies relaying a
// few targets, some favourites and passworded servers.
ServerList MakeList()
{
    static const char* maps[] = {"ha_mill", "ha_docks", "ha_crossfire", "HA_Tower", "?", "ha_bunker"};
    static const char* games[] = {"Deathmatch", "CTF", "team play", "Arena"};
    static const char* dirs[] = {"vrel", "vrel", "vrel", "harrow"};
    std::mt19937 random(777);
    ServerList l;
    l.records.reserve(kRecords);
    for (int i = 0; i < kRecords; ++i) {
        auto r =
            std::make_unique<CServerInfo>("10.2." + std::to_string(i / 256) + "." + std::to_string(i % 256), 27015);
        r->name = (random() % 2 ? "Server " : "server ") + std::to_string(random() % 5000) + " [EU]";
        r->map = maps[random() % 6];
        r->game = games[random() % 4];
        r->dir = dirs[random() % 4];
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
        r->protocol = 45;
        r->status = CServerInfo::Done;
        if (!l.records.empty())
            l.records.back()->next = r.get();
        l.records.push_back(std::move(r));
    }
    return l;
}

SortKeyList Keys(const char* text)
{
    SortKeyList keys;
    keys.FromText(text);
    return keys;
}

ServerFilter TypicalFilter()
{
    ServerFilter f;
    f.full = true;
    f.ping = true;
    f.pingMax = 900;
    return f;
}

void ApplyAndSort(benchmark::State& state, const char* keys, const ServerFilter& filter)
{
    const ServerList list = MakeList();
    KSListModel model;
    ServerListView view(model);
    const SortKeyList order = Keys(keys);
    for (auto _ : state) {
        view.ApplyFilters(list.Head(), filter, true, order);
        benchmark::DoNotOptimize(model.Rows().data());
    }
    state.counters["rows"] = double(model.rowCount());
}

// The filter dialog's OK: filter flags, one row per shown record, sorted.
void BM_ApplyFilterAndSortByName(benchmark::State& state)
{
    ApplyAndSort(state, "5;1;", TypicalFilter());
}
BENCHMARK(BM_ApplyFilterAndSortByName)->Unit(benchmark::kMillisecond);

void BM_ApplyFilterAndSortByPingThenName(benchmark::State& state)
{
    ApplyAndSort(state, "6;-5;1;", TypicalFilter());
}
BENCHMARK(BM_ApplyFilterAndSortByPingThenName)->Unit(benchmark::kMillisecond);

// Nothing hidden but the other game: the most rows.
void BM_ApplyNoFilterSortByMapPlayers(benchmark::State& state)
{
    ApplyAndSort(state, "7;-9;3;1;", ServerFilter{});
}
BENCHMARK(BM_ApplyNoFilterSortByMapPlayers)->Unit(benchmark::kMillisecond);

// A header click: the rows sorted again by another key.
void BM_SortRowsAfterHeaderClick(benchmark::State& state)
{
    const ServerList list = MakeList();
    KSListModel model;
    ServerListView view(model);
    view.ApplyFilters(list.Head(), ServerFilter{}, true, Keys("5;"));
    const SortKeyList byPing = Keys("6;5;");
    const SortKeyList byName = Keys("-5;");
    bool flip = false;
    for (auto _ : state) {
        view.Sort(flip ? byName : byPing);
        flip = !flip;
    }
    state.counters["rows"] = double(model.rowCount());
}
BENCHMARK(BM_SortRowsAfterHeaderClick)->Unit(benchmark::kMillisecond);

// One batch while a refresh runs: every row checked, a tenth of them changed.
void BM_RefreshBatchUpdate(benchmark::State& state)
{
    ServerList list = MakeList();
    KSListModel model;
    ServerListView view(model);
    view.ApplyFilters(list.Head(), ServerFilter{}, true, Keys("5;"));
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        ++round;
        for (size_t i = size_t(round % 10); i < list.records.size(); i += 10)
            list.records[i]->currentplayers = (list.records[i]->currentplayers + 1) % 33;
        state.ResumeTiming();
        benchmark::DoNotOptimize(view.UpdateBatch(list.Head()));
    }
}
BENCHMARK(BM_RefreshBatchUpdate)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
