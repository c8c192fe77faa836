#pragma once
// How many query sockets a refresh keeps open at once: from the player's connection
// rate, bounded by the sockets the launcher may hold, "-maxsockets N" replacing the
// result, and never fewer than kMinInFlight.
#include <cstdint>

inline constexpr int kMinInFlight = 4;

// socketBudget: the launcher's socket budget; maxSocketsOption: the value of
// "-maxsockets" when the command line has it.
int MaxInFlightFor(int32_t rate, int socketBudget, const int* maxSocketsOption);
// The same from the launcher's socket budget and command line.
int MaxInFlightForRate(int32_t rate);

// The player's connection rate in bytes per second, used until the player's
// configuration sets it.
inline constexpr int32_t kDefaultConnectionRate = 2500;
int32_t PlayerConnectionRate();
void SetPlayerConnectionRate(int32_t rate);
