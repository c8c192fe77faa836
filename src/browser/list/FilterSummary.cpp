#include "browser/list/FilterSummary.h"

#include "app/text/StringList.h"
#include "browser/list/ServerFilter.h"

#include <vector>

std::string FilterSummary(const ServerFilter& f)
{
    std::vector<std::string> parts;
    if (f.game)
        parts.push_back(FormatString(kMsgFilterGame, f.gameName.c_str()));
    if (f.map)
        parts.push_back(FormatString(kMsgFilterMap, f.mapName.c_str()));
    if (f.empty)
        parts.push_back(GetString(kMsgFilterEmpty));
    if (f.full)
        parts.push_back(GetString(kMsgFilterFull));
    if (f.dedicatedOnly)
        parts.push_back(GetString(kMsgFilterDedicated));
    if (f.linuxOnly)
        parts.push_back(GetString(kMsgFilterLinux));
    if (f.favorite)
        parts.push_back(GetString(kMsgFilterFavorites));
    if (f.ping)
        parts.push_back(FormatString(kMsgFilterPing, f.pingMax));
    if (f.proxyFilter)
        parts.push_back(GetString(f.proxiesOnly ? kMsgFilterProxiesOnly : kMsgFilterNoProxies));

    std::string line = GetString(kMsgFilters) + "  ";
    if (parts.empty())
        return line + GetString(kMsgNoFilters);
    for (size_t i = 0; i < parts.size(); ++i)
        line += (i ? ", " : "") + parts[i];
    return line;
}
