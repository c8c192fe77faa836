#pragma once
// The choices the filter dialog offers and how they map onto the filter settings.
#include "browser/list/ServerFilter.h"

#include <array>
#include <string>

inline constexpr std::array<int, 10> kPingLimits = {100, 175, 250, 350, 500, 700, 900, 1100, 1300, 32767};

// The entry of the ping limit list that equals the stored limit; the first entry when
// none does.
int PingLimitIndex(int pingMax);
// The limit of an entry (the first entry for one out of range).
int PingLimitAt(int index);
// "%i ms"
std::string PingLimitText(int limit);

// Proxies only and no proxies exclude each other: checking one clears the other.
// The proxy filter is on while either is.
void SetProxiesOnly(ServerFilter& filter, bool on);
void SetNoProxies(ServerFilter& filter, bool on);
