#include "browser/list/ServerFilter.h"

#include "app/settings/SettingsStore.h"
#include "browser/list/FilterRules.h"

#include <algorithm>

namespace {

bool ReadFlag(std::string_view section, const char* name)
{
    return GetSettingInt(section, name, 0) != 0;
}

void WriteFlag(std::string_view section, const char* name, bool value)
{
    SetSettingInt(section, name, value ? 1 : 0);
}

std::string Lowercase(std::string_view text)
{
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; });
    return out;
}

} // namespace

void ServerFilter::ForceProxiesOnly()
{
    proxyFilter = true;
    proxiesOnly = true;
    noProxies = false;
}

ServerFilter ReadServerFilter(std::string_view section)
{
    ServerFilter f;
    f.responded = ReadFlag(section, kFilterResponded);
    f.empty = ReadFlag(section, kFilterEmpty);
    f.full = ReadFlag(section, kFilterFull);
    f.favorite = ReadFlag(section, kFilterFavorite);
    f.ping = ReadFlag(section, kFilterPing);
    f.pingMax = GetSettingInt(section, kFilterPingMax, ServerFilter::kNoPingLimit);
    // Only one game is ever listed, whatever the store says.
    f.game = true;
    f.gameName = ServerFilter::kGameName;
    f.map = ReadFlag(section, kFilterMap);
    f.mapName = GetSettingString(section, kFilterMapName, "").substr(0, ServerFilter::kMaxMapName);
    f.linuxOnly = ReadFlag(section, kFilterOs);
    f.dedicatedOnly = ReadFlag(section, kFilterDedicated);
    f.proxiesOnly = ReadFlag(section, kFilterIsProxy);
    f.noProxies = ReadFlag(section, kFilterIsNotProxy);
    f.proxyFilter = f.proxiesOnly || f.noProxies;
    return f;
}

void WriteServerFilter(std::string_view section, const ServerFilter& f)
{
    WriteFlag(section, kFilterResponded, f.responded);
    WriteFlag(section, kFilterEmpty, f.empty);
    WriteFlag(section, kFilterFull, f.full);
    WriteFlag(section, kFilterFavorite, f.favorite);
    WriteFlag(section, kFilterPing, f.ping);
    SetSettingInt(section, kFilterPingMax, f.pingMax);
    WriteFlag(section, kFilterGame, true);
    const std::string_view game = GameBaseName(f.gameName);
    SetSettingString(section, kFilterGameName,
                     game.empty() ? std::string(ServerFilter::kNoGameName)
                                  : Lowercase(game.substr(0, ServerFilter::kMaxGameName)));
    WriteFlag(section, kFilterMap, f.map);
    SetSettingString(section, kFilterMapName, f.map ? f.mapName.substr(0, ServerFilter::kMaxMapName) : std::string());
    WriteFlag(section, kFilterOs, f.linuxOnly);
    WriteFlag(section, kFilterDedicated, f.dedicatedOnly);
    WriteFlag(section, kFilterIsProxy, f.proxiesOnly);
    WriteFlag(section, kFilterIsNotProxy, f.noProxies);
}
