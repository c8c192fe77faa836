#pragma once
// The filter settings of a server list and where they are stored: one value per field
// in a section of the settings store ("Settings", or "SpectatorSettings" for the
// spectator games list).
#include <string>
#include <string_view>

inline constexpr const char* kSpectatorSettingsSection = "SpectatorSettings";

inline constexpr const char* kFilterResponded = "Filter Responded";
inline constexpr const char* kFilterEmpty = "Filter Empty";
inline constexpr const char* kFilterFull = "Filter Full";
inline constexpr const char* kFilterFavorite = "Filter Favorite";
inline constexpr const char* kFilterPing = "Filter Ping";
inline constexpr const char* kFilterPingMax = "Filter PingMax";
inline constexpr const char* kFilterGame = "Filter Game";
inline constexpr const char* kFilterGameName = "Filter Game Name";
inline constexpr const char* kFilterMap = "Filter Map";
inline constexpr const char* kFilterMapName = "Filter Map Name";
inline constexpr const char* kFilterOs = "Filter OS";
inline constexpr const char* kFilterDedicated = "Filter Dedicated";
inline constexpr const char* kFilterIsProxy = "Filter IsProxy";
inline constexpr const char* kFilterIsNotProxy = "Filter IsNotProxy";

struct ServerFilter
{
    static constexpr int kNoPingLimit = -1;
    static constexpr size_t kMaxGameName = 259;
    static constexpr size_t kMaxMapName = 63;
    // The one game this launcher lists; the game filter is always on for it.
    static constexpr const char* kGameName = "vrel";
    // What is stored as the game name when the filter dialog has no game chosen.
    static constexpr const char* kNoGameName = "Kestrel";

    bool responded = false;
    bool empty = false;
    bool full = false;
    bool favorite = false;
    bool ping = false;
    int pingMax = kNoPingLimit;
    bool game = true;
    std::string gameName = kGameName;
    bool map = false;
    std::string mapName;
    bool linuxOnly = false;
    bool dedicatedOnly = false;
    bool proxyFilter = false; // proxiesOnly or noProxies
    bool proxiesOnly = false;
    bool noProxies = false;

    // The spectator list shows proxies and nothing else, whatever is stored.
    void ForceProxiesOnly();
};

// Reads the filter from a settings section; the game filter and its name are forced.
ServerFilter ReadServerFilter(std::string_view section);
// Writes every value back the way the filter dialog stores them: flags as 0 or 1, the
// map name only while the map filter is on, the game as its lowercase base name.
void WriteServerFilter(std::string_view section, const ServerFilter& filter);
