#include "peer/PeerNetwork.h"

#include "peer/ModMasterResponder.h"

#include <sys/resource.h>

long RaiseOpenFileLimit()
{
    rlimit limit{};
    if (getrlimit(RLIMIT_NOFILE, &limit) != 0)
        return -1;
    if (limit.rlim_cur < limit.rlim_max) {
        limit.rlim_cur = limit.rlim_max;
        setrlimit(RLIMIT_NOFILE, &limit);
        getrlimit(RLIMIT_NOFILE, &limit);
    }
    return long(limit.rlim_cur);
}

bool PeerNetwork::Start(const PeerOptions& options, std::string& error)
{
    m_gameServers.clear();
    m_master.reset();
    m_online.reset();
    if (options.online && !StartOnline(*options.online, error))
        return false;
    m_gameServers.reserve(options.gameServers.size());
    for (const GameServerConfig& config : options.gameServers) {
        auto server = std::make_unique<PeerGameServer>(config);
        if (!server->Start()) {
            error = "cannot bind 127.0.0.1:" + std::to_string(config.port) + ": " + server->ErrorText().toStdString();
            return false;
        }
        m_gameServers.push_back(std::move(server));
    }
    m_modMaster.reset();
    if (options.modMaster) {
        m_modMaster = std::make_unique<PeerModMaster>(*options.modMaster);
        if (!m_modMaster->Start()) {
            error = "cannot bind the custom-game master to 127.0.0.1:" + std::to_string(options.modMaster->port) +
                    ": " + m_modMaster->ErrorText().toStdString();
            return false;
        }
    }
    if (!options.master)
        return true;
    m_master = std::make_unique<PeerMasterServer>(*options.master);
    if (!m_master->Start()) {
        error = "cannot bind the master to 127.0.0.1:" + std::to_string(options.master->port) + ": " +
                m_master->ErrorText().toStdString();
        return false;
    }
    for (const auto& server : m_gameServers)
        m_master->AddServer(MasterListing{MasterEntry{"127.0.0.1", server->Port()}, &server->State()});
    if (m_modMaster) {
        PeerModMaster* modMaster = m_modMaster.get();
        m_master->SetExtraResponder([modMaster](const uint8_t* data, size_t size) {
            return ModCountReplies(data, size, modMaster->Config());
        });
    }
    for (const MasterEntry& entry : options.extraListed)
        m_master->AddServer(MasterListing{entry, nullptr});
    return true;
}

bool PeerNetwork::StartOnline(const OnlineServiceConfig& config, std::string& error)
{
    auto keys = PeerKeys::Open(config.keyFolder, error);
    if (!keys)
        return false;
    m_online = std::make_unique<PeerOnlineService>(config, std::move(*keys));
    if (!m_online->Start(error)) {
        error = "cannot start the online service: " + error;
        m_online.reset();
        return false;
    }
    return true;
}
