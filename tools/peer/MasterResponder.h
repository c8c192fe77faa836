#pragma once
// The master server's side of the list and server-data exchanges: turns one request
// into its reply over the servers the master lists. Free of sockets.
#include "peer/GameServerState.h"
#include "peer/MasterServerConfig.h"

#include <optional>
#include <string>
#include <vector>

struct MasterListing
{
    MasterEntry entry;
    // The server's state for the filters; none for a server known only by address.
    const GameServerState* state = nullptr;
};

// Whether a server passes a list request's filter text ("\type\d\map\x..."; keys the
// master does not know are ignored).
bool PassesMasterFilter(const MasterListing& listing, const std::string& filter);

// The reply to a datagram, or none when it is not a master request. The list key is
// the index of the first server of the batch among those that pass the filter.
std::optional<std::vector<uint8_t>> RespondToMaster(const uint8_t* data, size_t size,
                                                    const std::vector<MasterListing>& servers,
                                                    const MasterServerConfig& config);

// Every datagram the master sends back for one datagram: the reply above, or what the
// configured hostile mode sends instead.
std::vector<std::vector<uint8_t>> MasterReplies(const uint8_t* data, size_t size,
                                                const std::vector<MasterListing>& servers,
                                                const MasterServerConfig& config);
// "endless", "same-key", "junk" or "none".
std::optional<HostileMaster> ParseHostileMaster(const std::string& text);
