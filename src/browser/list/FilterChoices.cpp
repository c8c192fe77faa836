#include "browser/list/FilterChoices.h"

int PingLimitIndex(int pingMax)
{
    for (size_t i = 0; i < kPingLimits.size(); ++i)
        if (kPingLimits[i] == pingMax)
            return int(i);
    return 0;
}

int PingLimitAt(int index)
{
    if (index < 0 || size_t(index) >= kPingLimits.size())
        return kPingLimits.front();
    return kPingLimits[size_t(index)];
}

std::string PingLimitText(int limit)
{
    return std::to_string(limit) + " ms";
}

void SetProxiesOnly(ServerFilter& filter, bool on)
{
    filter.proxiesOnly = on;
    if (on)
        filter.noProxies = false;
    filter.proxyFilter = filter.proxiesOnly || filter.noProxies;
}

void SetNoProxies(ServerFilter& filter, bool on)
{
    filter.noProxies = on;
    if (on)
        filter.proxiesOnly = false;
    filter.proxyFilter = filter.proxiesOnly || filter.noProxies;
}
