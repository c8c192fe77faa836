#include "browser/list/QuickStart.h"

#include "app/engine/EngineStatus.h"
#include "app/settings/ActiveCustomGame.h"
#include "app/text/TextCase.h"
#include "browser/list/FilterRules.h"
#include "browser/list/ServerRow.h"
#include "browser/record/CServerInfo.h"
#include "browser/record/PingMs.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr const char* kListedGameDir = "vrel";
constexpr const char* kBaseGameDir = "harrow";
// A ping this long (seconds) is never remembered as the fastest.
constexpr double kFastestPingLimit = 100000.0;

struct RateCapacity
{
    int32_t above;
    int capacity;
};
constexpr std::array<RateCapacity, 5> kCapacities = {{
    {9500, 32},
    {4900, 24},
    {3400, 16},
    {2900, 10},
    {2400, 6},
}};
constexpr int kLowestCapacity = 4;

constexpr int kFullScore = 100;
constexpr double kBestPingMs = 50.0;
constexpr double kWorstPingMs = 800.0;
constexpr double kPingScorePerMs = 0.13333333333333333;
constexpr int kLowestFillScore = 20;
constexpr int kFillScoreRange = 80;
constexpr int kCapacityWeight = 5;
constexpr int kPingWeight = 4;
constexpr int kFillWeight = 3;

bool Measured(const CServerInfo& r)
{
    return r.svping != 0.0;
}

bool KnownMap(const CServerInfo& r)
{
    return r.map != "?";
}

} // namespace

QuickStartContext CurrentQuickStartContext(const std::string* excludeServerAddress)
{
    QuickStartContext context;
    if (const ActiveCustomGameInfo* game = ActiveCustomGame()) {
        context.customGameRunning = true;
        context.currentGame = game->gamedir.empty() ? kBaseGameDir : game->gamedir;
    }
    if (excludeServerAddress) {
        context.excludeCurrentServer = true;
        context.currentServer = *excludeServerAddress;
    }
    return context;
}

std::string CurrentServerAddress(const EngineStatus& status)
{
    const auto& a = status.address;
    return std::to_string(a[0]) + "." + std::to_string(a[1]) + "." + std::to_string(a[2]) + "." + std::to_string(a[3]);
}

bool IsQuickStartCandidate(const CServerInfo& r, const QuickStartContext& context)
{
    if (r.status != CServerInfo::Done || r.noresponse || r.svping == 0.0)
        return false;
    if (r.maxplayers <= 1 || r.currentplayers >= r.maxplayers)
        return false;
    if (context.customGameRunning && (r.dir.empty() || !SameText(GameBaseName(r.dir), context.currentGame)))
        return false;
    if (context.excludeCurrentServer && SameText(r.address, context.currentServer))
        return false;
    if (r.protocol != 0 && r.protocol != kLauncherProtocol)
        return false;
    return r.dir == kListedGameDir;
}

CandidateList QuickStartCandidates(CServerInfo* head, const QuickStartContext& context)
{
    CandidateList list;
    CServerInfo* tail = nullptr;
    for (CServerInfo* r = head; r; r = r->next) {
        r->nextCandidate = nullptr;
        if (!IsQuickStartCandidate(*r, context))
            continue;
        (tail ? tail->nextCandidate : list.head) = r;
        tail = r;
        ++list.count;
        if (r->svping < kFastestPingLimit && (!list.fastest || r->svping < list.fastest->svping))
            list.fastest = r;
    }
    return list;
}

int CapacityForRate(int32_t rate)
{
    for (const RateCapacity& step : kCapacities)
        if (rate > step.above)
            return step.capacity;
    return kLowestCapacity;
}

int CapacityScore(int32_t maxplayers, int32_t rate)
{
    const int64_t c = CapacityForRate(rate);
    if (maxplayers <= c)
        return kFullScore;
    if (maxplayers > 2 * c)
        return 0;
    return int(kFullScore - kFullScore * (int64_t(maxplayers) - c) / c);
}

int PingScore(double svping)
{
    if (svping == 0.0 || std::isnan(svping))
        return 0;
    const double p = svping * 1000.0;
    if (p < kBestPingMs)
        return kFullScore;
    if (p > kWorstPingMs)
        return 0;
    return int((kWorstPingMs - p) * kPingScorePerMs);
}

int FillScore(int32_t currentplayers, int32_t maxplayers)
{
    const int64_t u = currentplayers;
    const int64_t m = maxplayers;
    if (m == 0 || u == 0 || u == m)
        return 0;
    const int64_t h = std::max<int64_t>(m / 2, 1);
    const int64_t score = kLowestFillScore + kFillScoreRange * (h - std::llabs(h - u)) / h;
    return int(std::clamp<int64_t>(score, kLowestFillScore, kFullScore));
}

int TotalScore(const CServerInfo& r, int32_t rate)
{
    return kCapacityWeight * CapacityScore(r.maxplayers, rate) + kPingWeight * PingScore(r.svping) +
           kFillWeight * FillScore(r.currentplayers, r.maxplayers);
}

bool RanksBefore(const CServerInfo& a, const CServerInfo& b, int32_t rate)
{
    if (a.proxy || b.proxy)
        return a.proxy && !b.proxy;
    if (!Measured(a) || !Measured(b))
        return Measured(a) && !Measured(b);
    if (!KnownMap(a) || !KnownMap(b))
        return KnownMap(a) && !KnownMap(b);
    const bool dedicatedA = a.svtype == 'd';
    const bool dedicatedB = b.svtype == 'd';
    if (dedicatedA != dedicatedB)
        return dedicatedA;
    const bool filledA = FillScore(a.currentplayers, a.maxplayers) != 0;
    const bool filledB = FillScore(b.currentplayers, b.maxplayers) != 0;
    if (filledA != filledB)
        return filledA;
    const int scoreA = TotalScore(a, rate);
    const int scoreB = TotalScore(b, rate);
    if (scoreA != scoreB)
        return scoreA > scoreB;
    return a.Serial() < b.Serial();
}

void RankServers(std::vector<CServerInfo*>& records, int32_t rate)
{
    std::stable_sort(records.begin(), records.end(),
                     [rate](const CServerInfo* a, const CServerInfo* b) { return RanksBefore(*a, *b, rate); });
}

void RankCandidates(CandidateList& candidates, int32_t rate)
{
    std::vector<CServerInfo*> records;
    records.reserve(size_t(candidates.count));
    for (CServerInfo* r = candidates.head; r; r = r->nextCandidate)
        records.push_back(r);
    RankServers(records, rate);
    candidates.head = records.empty() ? nullptr : records.front();
    for (size_t i = 0; i < records.size(); ++i)
        records[i]->nextCandidate = i + 1 < records.size() ? records[i + 1] : nullptr;
}
