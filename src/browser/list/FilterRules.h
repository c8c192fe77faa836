#pragma once
// The rules that hide a server record from a list, each a plain function of the
// filter and the record. A record is hidden by the first rule that matches.
#include "browser/list/ServerFilter.h"

#include <string_view>

class CServerInfo;

enum class FilterRule
{
    None, // shown
    Responded,
    Empty,
    Full,
    Favorite,
    Ping,
    Game,
    Map,
    LinuxOnly,
    DedicatedOnly,
    Proxy,
};

// The name of a game directory: the text after the last slash or backslash, without
// its extension ("mods/vrel.dir" gives "vrel").
std::string_view GameBaseName(std::string_view dir);

bool HiddenAsUnresponsive(const ServerFilter& f, const CServerInfo& r);
bool HiddenAsEmpty(const ServerFilter& f, const CServerInfo& r);
bool HiddenAsFull(const ServerFilter& f, const CServerInfo& r);
bool HiddenAsNotFavorite(const ServerFilter& f, const CServerInfo& r);
// refreshDone: the list had its first full refresh, so a ping of 0 means "no answer".
bool HiddenByPing(const ServerFilter& f, const CServerInfo& r, bool refreshDone);
bool HiddenByGame(const ServerFilter& f, const CServerInfo& r);
bool HiddenByMap(const ServerFilter& f, const CServerInfo& r);
bool HiddenAsNotLinux(const ServerFilter& f, const CServerInfo& r);
bool HiddenAsNotDedicated(const ServerFilter& f, const CServerInfo& r);
bool HiddenByProxyFilter(const ServerFilter& f, const CServerInfo& r);

FilterRule FirstHidingRule(const ServerFilter& f, const CServerInfo& r, bool refreshDone);
