#include "peer/MasterResponder.h"

#include "browser/query/QueryReplies.h"

#include <algorithm>
#include <map>
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

std::optional<HostileMaster> ParseHostileMaster(const std::string& text)
{
    static const std::map<std::string, HostileMaster> kinds = {
        {"none", HostileMaster::None},
        {"endless", HostileMaster::Endless},
        {"same-key", HostileMaster::SameKey},
        {"junk", HostileMaster::Junk},
    };
    const auto found = kinds.find(text);
    if (found == kinds.end())
        return std::nullopt;
    return found->second;
}

std::vector<std::vector<uint8_t>> MasterReplies(const uint8_t* data, size_t size,
                                                const std::vector<MasterListing>& servers,
                                                const MasterServerConfig& config)
{
    const std::optional<MasterListQuery> query = ParseMasterListRequest(data, size);
    if (config.hostile == HostileMaster::None || !query) {
        auto reply = RespondToMaster(data, size, servers, config);
        if (!reply)
            return {};
        return {std::move(*reply)};
    }
    const size_t batch = size_t(std::clamp(config.batchSize, 1, MasterServerConfig::kMaxBatch));
    switch (config.hostile) {
    case HostileMaster::Endless: {
        // Addresses numbered on from the key, and a key that only grows (skipping 0).
        std::vector<MasterEntry> entries;
        const uint32_t first = uint32_t(query->key) * uint32_t(batch);
        for (size_t i = 0; i < batch; ++i) {
            const uint32_t n = (first + uint32_t(i)) & 0xffffffu;
            entries.push_back({"127." + std::to_string(n >> 16) + '.' + std::to_string((n >> 8) & 0xff) + '.' +
                                   std::to_string(n & 0xff),
                               27015});
        }
        int32_t next = int32_t(uint32_t(query->key) + 1u);
        if (next == 0)
            next = 1;
        return {BuildMasterListBatch(next, entries)};
    }
    case HostileMaster::SameKey: {
        std::vector<MasterEntry> entries;
        for (const MasterListing& listing : servers) {
            if (entries.size() == batch)
                break;
            entries.push_back(listing.entry);
        }
        return {BuildMasterListBatch(-1, entries)};
    }
    case HostileMaster::Junk: {
        std::vector<uint8_t> noise(16);
        for (size_t i = 0; i < noise.size(); ++i)
            noise[i] = uint8_t(i * 37 + 11);
        std::vector<uint8_t> unknownType = BuildMasterListBatch(7, {});
        unknownType[4] = 'g';
        return {std::vector<uint8_t>(data, data + size), noise, unknownType};
    }
    case HostileMaster::None:
        break;
    }
    return {};
}
