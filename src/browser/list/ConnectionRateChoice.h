#pragma once
// The connection-rate selector of the Internet games dialog: eight entries, of which
// entries 1 to 7 stand for a rate in bytes per second and entry 0 sets nothing.
#include <array>
#include <cstdint>

inline constexpr int kRateEntries = 8;
// The labels' message numbers, in entry order.
inline constexpr std::array<int, kRateEntries> kRateEntryLabels = {444, 422, 409, 421, 408, 407, 558, 406};
// The rates of entries 1 ... 7.
inline constexpr std::array<int32_t, kRateEntries - 1> kRateEntryRates = {1500, 2500, 3000, 3500, 5000, 7500, 9999};
// A rate this close to an entry's selects it.
inline constexpr int32_t kRateTolerance = 4;

// The entry the selector opens on for the player's rate; 0 when no entry is close.
int RateEntryFor(int32_t rate);
// The rate of an entry, or 0 for entry 0 and entries out of range (nothing to set).
int32_t RateForEntry(int entry);
