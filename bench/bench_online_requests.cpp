// Directory requests against the loopback online service (in-process, its own threads):
// one that must authenticate first, and one on an established session.
// Run: build/default/bin/bench_online_requests
#include "online/service/AuthContext.h"
#include "online/service/DirRequest.h"
#include "peer/online/PeerOnlineService.h"

#include <benchmark/benchmark.h>

#include <ctime>

namespace {

struct Loopback
{
    Loopback()
    {
        std::string error;
        auto keys = PeerKeys::Open("", error);
        service = std::make_unique<PeerOnlineService>(OnlineServiceConfig{}, std::move(*keys));
        service->Start(error);
        context = std::make_unique<AuthContext>(
            *service->Keys().IssueCredentials("Bench", int64_t(std::time(nullptr)), 3600));
    }
    std::unique_ptr<DirRequest> Request() const
    {
        auto request = std::make_unique<DirRequest>("127.0.0.1", service->DirectoryPort());
        request->SetAuth(context.get(), true, true, true);
        return request;
    }
    std::unique_ptr<PeerOnlineService> service;
    std::unique_ptr<AuthContext> context;
};

Loopback& Service()
{
    static Loopback loopback;
    return loopback;
}

void DirectoryWithAuthentication(benchmark::State& state)
{
    for (auto _ : state) {
        auto request = Service().Request();
        ReadBuffer reader;
        if (request->GetDirectory(u"/Kestrel/Public", reader) == 0)
            state.SkipWithError("directory request failed");
    }
}
BENCHMARK(DirectoryWithAuthentication)->Unit(benchmark::kMillisecond);

void DirectoryOnSession(benchmark::State& state)
{
    auto request = Service().Request();
    ReadBuffer reader;
    if (request->GetDirectory(u"/Kestrel/Public", reader) == 0)
        state.SkipWithError("first directory request failed");
    for (auto _ : state) {
        if (request->GetDirectory(u"/Kestrel/Public", reader) == 0)
            state.SkipWithError("directory request failed");
    }
}
BENCHMARK(DirectoryOnSession)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
