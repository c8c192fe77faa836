#include "peer/MasterResponder.h"

#include "browser/QueryReplies.h"

#include <algorithm>
#include <strings.h>

namespace {

int PlayerCountOf(const GameServerState& state)
{
    return state.PlayerCount();
}

} // namespace

bool PassesMasterFilter(const MasterListing& listing, const std::string& filter)
{
    if (!listing.state || filter.empty())
        return true;
    const GameServerConfig& c = listing.state->Config();
    const std::string type = InfoValueForKey(filter, "type");
    if (!type.empty() && type[0] != c.type)
        return false;
    const std::string gameDir = InfoValueForKey(filter, "gamedir");
    if (!gameDir.empty() && strcasecmp(gameDir.c_str(), c.gameDir.c_str()) != 0)
        return false;
    const std::string map = InfoValueForKey(filter, "map");
    if (!map.empty() && strcasecmp(map.c_str(), c.map.c_str()) != 0)
        return false;
    if (InfoValueForKey(filter, "linux") == "1" && c.os != 'l')
        return false;
    const int players = PlayerCountOf(*listing.state);
    if (InfoValueForKey(filter, "empty") == "1" && players <= 0)
        return false;
    if (InfoValueForKey(filter, "full") == "1" && players >= c.maxPlayers)
        return false;
    return true;
}

std::optional<std::vector<uint8_t>> RespondToMaster(const uint8_t* data, size_t size,
                                                    const std::vector<MasterListing>& servers,
                                                    const MasterServerConfig& config)
{
    if (const auto query = ParseServerDataRequest(data, size)) {
        if (!config.currentVersion.empty() && query->version != config.currentVersion) {
            ServerDataReply outOfDate;
            outOfDate.outOfDate = true;
            return BuildServerDataReply(outOfDate);
        }
        return BuildServerDataReply(config.serverData);
    }
    const auto query = ParseMasterListRequest(data, size);
    if (!query || query->key < 0)
        return std::nullopt;
    const size_t batch = size_t(std::clamp(config.batchSize, 1, MasterServerConfig::kMaxBatch));
    std::vector<MasterEntry> entries;
    size_t passing = 0;
    bool more = false;
    for (const MasterListing& listing : servers) {
        if (!PassesMasterFilter(listing, query->filter))
            continue;
        if (passing++ < size_t(query->key))
            continue;
        if (entries.size() == batch) {
            more = true;
            break;
        }
        entries.push_back(listing.entry);
    }
    const int32_t nextKey = more ? int32_t(size_t(query->key) + batch) : 0;
    return BuildMasterListBatch(nextKey, entries);
}
