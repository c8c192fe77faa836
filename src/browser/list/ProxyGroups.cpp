#include "browser/list/ProxyGroups.h"

#include "browser/record/CServerInfo.h"
#include "browser/record/PingMs.h"

#include <algorithm>
#include <limits>

namespace {

// Keeps maxplayers x ping^2 within 64 bits; real values are far below.
constexpr int64_t kWeightFactorLimit = int64_t(1) << 20;

int64_t Clamped(int64_t v)
{
    return std::clamp(v, -kWeightFactorLimit, kWeightFactorLimit);
}

int32_t SaturatingAdd(int32_t a, int32_t b)
{
    const int64_t sum = int64_t(a) + int64_t(b);
    return int32_t(std::clamp<int64_t>(sum, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

uint64_t TargetKey(const CServerInfo& r)
{
    return (uint64_t(r.proxyIp) << 32) | uint32_t(r.proxyPort);
}

} // namespace

int64_t ProxyWeight(int32_t maxplayers, int32_t pingMs, int32_t currentplayers)
{
    const int64_t ping = Clamped(pingMs);
    const int64_t divisor = std::max<int64_t>(1, int64_t(currentplayers) + 1);
    return Clamped(maxplayers) * ping * ping / divisor;
}

void ProxyGroups::Offer(CServerInfo& record)
{
    const auto [it, added] = m_shown.try_emplace(TargetKey(record), &record);
    if (added) {
        record.proxyMaxplayers = record.maxplayers;
        record.proxyCurrentplayers = record.currentplayers;
        return;
    }
    CServerInfo& shown = *it->second;
    const int32_t a = PingMs(shown.svping);
    const int32_t b = PingMs(record.svping);
    const int32_t hi = std::max(a, b);
    const int32_t lo = std::min(a, b);
    if (ProxyWeight(record.maxplayers, hi, record.currentplayers) >
        ProxyWeight(shown.maxplayers, lo, shown.currentplayers)) {
        shown.SetFiltered(true);
        record.proxyMaxplayers = SaturatingAdd(record.maxplayers, shown.proxyMaxplayers);
        record.proxyCurrentplayers = SaturatingAdd(record.currentplayers, shown.proxyCurrentplayers);
        it->second = &record;
    } else {
        record.SetFiltered(true);
        shown.proxyMaxplayers = SaturatingAdd(shown.proxyMaxplayers, record.maxplayers);
        shown.proxyCurrentplayers = SaturatingAdd(shown.proxyCurrentplayers, record.currentplayers);
    }
}
