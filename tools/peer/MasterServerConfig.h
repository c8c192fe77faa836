#pragma once
// How the peer master server answers.
#include "browser/MasterProtocol.h"

#include <cstdint>
#include <string>

struct MasterServerConfig
{
    static constexpr int kMaxBatch = (kMasterBufferSize - int(kMasterListHeader)) / int(kMasterEntryBytes);

    uint16_t port = 27010; // 0: any free port
    int batchSize = 100;   // addresses per list batch (1 … kMaxBatch)
    bool silent = false;   // answer nothing
    // When set, a server-data request with another version is told "outofdate".
    std::string currentVersion;
    // What a server-data reply hands out: Auth, Pylon and Master addresses.
    ServerDataReply serverData;
};
