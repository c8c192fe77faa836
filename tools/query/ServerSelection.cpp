#include "query/ServerSelection.h"

#include "browser/list/ApplyServerFilter.h"
#include "browser/list/ServerFilter.h"
#include "browser/list/ServerSort.h"
#include "browser/record/CServerInfo.h"

#include <map>

bool ParseSortKeys(const std::string& text, std::vector<int>& keys, std::string& error)
{
    static const std::map<std::string, int> columns = {
        {"favorite", kColumnFavorite}, {"password", kColumnPassword}, {"type", kColumnType}, {"os", kColumnOs},
        {"name", kColumnName},         {"ping", kColumnPing},         {"map", kColumnMap},   {"game", kColumnGame},
        {"players", kColumnPlayers},   {"proxy", kColumnProxy},
    };
    keys.clear();
    size_t start = 0;
    while (start <= text.size()) {
        const size_t comma = std::min(text.find(',', start), text.size());
        std::string name = text.substr(start, comma - start);
        const bool descending = !name.empty() && name.front() == '-';
        if (descending)
            name.erase(0, 1);
        const auto found = columns.find(name);
        if (found == columns.end()) {
            error = "unknown sort column: \"" + name +
                    "\" (favorite, password, type, os, name, ping, map, game, players or proxy)";
            return false;
        }
        keys.push_back(descending ? -found->second : found->second);
        start = comma + 1;
    }
    return true;
}

ServerFilter FilterFor(const FilterOptions& options)
{
    ServerFilter f;
    f.game = false;
    f.empty = options.notEmpty;
    f.full = options.notFull;
    f.ping = options.maxPing >= 0;
    f.pingMax = options.maxPing >= 0 ? options.maxPing : ServerFilter::kNoPingLimit;
    f.map = options.map.has_value();
    f.mapName = options.map.value_or(std::string()).substr(0, ServerFilter::kMaxMapName);
    f.linuxOnly = options.linuxOnly;
    f.dedicatedOnly = options.dedicated;
    f.proxiesOnly = options.proxies;
    f.noProxies = options.noProxies;
    f.proxyFilter = options.proxies || options.noProxies;
    return f;
}

std::vector<const CServerInfo*> SelectServers(CServerInfo* head, const QueryOptions& options)
{
    // Servers that never answered are hidden first, as the launcher's "responded"
    // filter would. Every server shown answered, so a ping of 0 ms is one measured
    // under a millisecond (loopback, LAN), not a missing one: the ping limit alone
    // decides.
    ServerFilter filter = FilterFor(options.filters);
    filter.responded = true;
    ApplyServerFilter(head, filter, false);
    std::vector<const CServerInfo*> shown;
    for (CServerInfo* r : ShownRowsInOrder(head, options.sortKeys))
        if (r->InfoTime() >= 0.0)
            shown.push_back(r);
    return shown;
}
