// Filtering and sorting a large server list: what a fill of the Internet list costs.
#include "SampleServerList.h"
#include "browser/list/ApplyServerFilter.h"
#include "browser/list/QuickStart.h"
#include "browser/list/ServerSort.h"
#include "browser/record/CServerInfo.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int kRecords = 10000;

using ServerList = SampleServerList;

const ServerList& BigList()
{
    static const ServerList list = MakeSampleServerList(kRecords, 12345);
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
