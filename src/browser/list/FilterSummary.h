#pragma once
// The status line that tells which filters a games list applies.
#include <string>

struct ServerFilter;

inline constexpr int kMsgFilters = 567;
inline constexpr int kMsgFilterGame = 566;
inline constexpr int kMsgFilterMap = 568;
inline constexpr int kMsgFilterEmpty = 569;
inline constexpr int kMsgFilterFull = 570;
inline constexpr int kMsgFilterDedicated = 571;
inline constexpr int kMsgFilterLinux = 572;
inline constexpr int kMsgFilterFavorites = 573;
inline constexpr int kMsgFilterPing = 574;
inline constexpr int kMsgNoFilters = 575;
inline constexpr int kMsgFilterProxiesOnly = 580;
inline constexpr int kMsgFilterNoProxies = 581;

// "Filters:", two spaces, then the active filters joined by ", " (or the text for
// none), from the localised texts.
std::string FilterSummary(const ServerFilter& filter);
