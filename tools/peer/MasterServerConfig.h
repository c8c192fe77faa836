#pragma once
// How the peer master server answers.
#include "browser/master/MasterProtocol.h"

#include <cstdint>
#include <string>

// How a hostile master answers list requests, to test the bounds of the exchange.
enum class HostileMaster
{
    None,
    Endless, // every batch names new addresses (127.x.y.z) and a new non-zero key: the list never ends
    SameKey, // every batch lists the servers again with the next key -1
    Junk,    // every request gets three datagrams to ignore: an echo, noise, a reply of an unknown type
};

struct MasterServerConfig
{
    static constexpr int kMaxBatch = (kMasterBufferSize - int(kMasterListHeader)) / int(kMasterEntryBytes);

    uint16_t port = 27010; // 0: any free port
    int batchSize = 100;   // addresses per list batch (1 … kMaxBatch)
    bool silent = false;   // answer nothing
    HostileMaster hostile = HostileMaster::None;
    // When set, a server-data request with another version is told "outofdate".
    std::string currentVersion;
    // What a server-data reply hands out: Auth, Pylon and Master addresses.
    ServerDataReply serverData;
};
