// What the games dialog pays for its list of 10,000 servers: applying a filter (flags,
// rows, sort), sorting the rows again after a header click, and one batch of row
// updates while a refresh runs. Each must stay well under 20 ms.
#include "SampleServerList.h"
#include "browser/list/ServerFilter.h"
#include "browser/list/ServerListView.h"
#include "browser/record/CServerInfo.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int kRecords = 10000;

using ServerList = SampleServerList;

ServerList MakeList()
{
    return MakeSampleServerList(kRecords, 777);
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
