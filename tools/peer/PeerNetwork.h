#pragma once
// Everything one kestrel-peer process runs: its game servers and, when asked, a
// master server that lists them. Used by the program and by in-process tests.
#include "peer/PeerGameServer.h"
#include "peer/PeerMasterServer.h"
#include "peer/PeerModMaster.h"
#include "peer/PeerOptions.h"
#include "peer/online/PeerOnlineService.h"

#include <memory>
#include <string>
#include <vector>

class PeerNetwork
{
public:
    // Starts the servers (all on 127.0.0.1); false with the reason in error.
    bool Start(const PeerOptions& options, std::string& error);

    std::vector<std::unique_ptr<PeerGameServer>>& GameServers() { return m_gameServers; }
    PeerMasterServer* Master() { return m_master.get(); }
    PeerOnlineService* Online() { return m_online.get(); }
    PeerModMaster* ModMaster() { return m_modMaster.get(); }

private:
    bool StartOnline(const OnlineServiceConfig& config, std::string& error);

    std::vector<std::unique_ptr<PeerGameServer>> m_gameServers;
    std::unique_ptr<PeerMasterServer> m_master;
    std::unique_ptr<PeerOnlineService> m_online;
    std::unique_ptr<PeerModMaster> m_modMaster;
};

// Raises the soft limit of open files to the hard limit (one socket per server);
// returns the limit now in force.
long RaiseOpenFileLimit();
