// Parsing speed of a full master list batch (1363 addresses, the most a datagram holds).
#include "browser/master/MasterProtocol.h"

#include <benchmark/benchmark.h>

namespace {

void ParseFullBatch(benchmark::State& state)
{
    std::vector<MasterEntry> entries;
    for (int i = 0; i < int((kMasterBufferSize - kMasterListHeader) / kMasterEntryBytes); ++i)
        entries.push_back({"10." + std::to_string(i / 256) + '.' + std::to_string(i % 256) + ".7", 27015 + i % 10});
    const std::vector<uint8_t> datagram = BuildMasterListBatch(42, entries);
    for (auto _ : state) {
        auto batch = ParseMasterListBatch(datagram.data(), datagram.size());
        benchmark::DoNotOptimize(batch);
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(entries.size()));
}
BENCHMARK(ParseFullBatch);

} // namespace

BENCHMARK_MAIN();
