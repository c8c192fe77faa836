#pragma once
// Spectator proxies that relay the same game server (equal proxy ip and port) show as
// one row: the proxy that serves best stays shown, the others are hidden, and the
// shown one carries the player counts of all of them.
#include <cstdint>
#include <unordered_map>

class CServerInfo;

class ProxyGroups
{
public:
    // Takes a proxy that passed the filters. The first proxy of a target is shown with
    // its own counts; a later one either replaces the shown one or is hidden.
    void Offer(CServerInfo& proxy);
    void Clear() { m_shown.clear(); }
    int Targets() const { return int(m_shown.size()); }

private:
    std::unordered_map<uint64_t, CServerInfo*> m_shown;
};

// How well a proxy serves: maxplayers x ping(ms)^2 / (currentplayers + 1), in
// integers. The divisor is kept at 1 or more, so a negative player count from a
// hostile reply cannot divide by zero.
int64_t ProxyWeight(int32_t maxplayers, int32_t pingMs, int32_t currentplayers);
