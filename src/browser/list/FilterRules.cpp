#include "browser/list/FilterRules.h"

#include "app/text/TextCase.h"
#include "browser/record/CServerInfo.h"
#include "browser/record/PingMs.h"

std::string_view GameBaseName(std::string_view dir)
{
    const size_t slash = dir.find_last_of("/\\");
    if (slash != std::string_view::npos)
        dir.remove_prefix(slash + 1);
    const size_t dot = dir.rfind('.');
    if (dot != std::string_view::npos)
        dir = dir.substr(0, dot);
    return dir;
}

bool HiddenAsUnresponsive(const ServerFilter& f, const CServerInfo& r)
{
    return f.responded && r.noresponse;
}

// A server that reports no player limit is never counted as empty or full.
bool HiddenAsEmpty(const ServerFilter& f, const CServerInfo& r)
{
    return f.empty && r.maxplayers > 0 && r.currentplayers < 1;
}

bool HiddenAsFull(const ServerFilter& f, const CServerInfo& r)
{
    return f.full && r.maxplayers > 0 && r.currentplayers == r.maxplayers;
}

bool HiddenAsNotFavorite(const ServerFilter& f, const CServerInfo& r)
{
    return f.favorite && !r.favorite;
}

bool HiddenByPing(const ServerFilter& f, const CServerInfo& r, bool refreshDone)
{
    if (!f.ping || f.pingMax == ServerFilter::kNoPingLimit)
        return false;
    const int32_t p = PingMs(r.svping);
    return p > f.pingMax || (refreshDone && p == 0);
}

bool HiddenByGame(const ServerFilter& f, const CServerInfo& r)
{
    return f.game && !SameText(GameBaseName(r.dir), f.gameName);
}

bool HiddenByMap(const ServerFilter& f, const CServerInfo& r)
{
    return f.map && !SameText(r.map, f.mapName);
}

bool HiddenAsNotLinux(const ServerFilter& f, const CServerInfo& r)
{
    return f.linuxOnly && r.svos != 'l';
}

bool HiddenAsNotDedicated(const ServerFilter& f, const CServerInfo& r)
{
    return f.dedicatedOnly && r.svtype != 'd';
}

bool HiddenByProxyFilter(const ServerFilter& f, const CServerInfo& r)
{
    if (!f.proxyFilter)
        return false;
    return (f.proxiesOnly && !r.proxy) || (f.noProxies && r.proxy);
}

FilterRule FirstHidingRule(const ServerFilter& f, const CServerInfo& r, bool refreshDone)
{
    if (HiddenAsUnresponsive(f, r))
        return FilterRule::Responded;
    if (HiddenAsEmpty(f, r))
        return FilterRule::Empty;
    if (HiddenAsFull(f, r))
        return FilterRule::Full;
    if (HiddenAsNotFavorite(f, r))
        return FilterRule::Favorite;
    if (HiddenByPing(f, r, refreshDone))
        return FilterRule::Ping;
    if (HiddenByGame(f, r))
        return FilterRule::Game;
    if (HiddenByMap(f, r))
        return FilterRule::Map;
    if (HiddenAsNotLinux(f, r))
        return FilterRule::LinuxOnly;
    if (HiddenAsNotDedicated(f, r))
        return FilterRule::DedicatedOnly;
    if (HiddenByProxyFilter(f, r))
        return FilterRule::Proxy;
    return FilterRule::None;
}
