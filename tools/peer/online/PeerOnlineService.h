#pragma once
// The loopback online service: a directory server and factory servers on 127.0.0.1,
// each connection served on its own thread (the launcher's requests block the thread
// that sends them, so the service never shares it), with sessions that outlive their
// connections and switches for every fault.
#include "peer/online/OnlineServiceConfig.h"
#include "peer/online/OnlineServiceState.h"

#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class PeerOnlineService
{
public:
    PeerOnlineService(OnlineServiceConfig config, PeerKeys keys);
    ~PeerOnlineService();
    PeerOnlineService(const PeerOnlineService&) = delete;
    PeerOnlineService& operator=(const PeerOnlineService&) = delete;

    bool Start(std::string& error);
    void Stop();

    uint16_t DirectoryPort() const { return m_state.directoryPort; }
    const std::vector<uint16_t>& FactoryPorts() const { return m_factoryPorts; }
    OnlineFaults& Faults() { return m_state.faults; }
    const PeerKeys& Keys() const { return m_state.keys; }
    std::vector<PeerRoom> Rooms() const { return m_state.directory.Rooms(); }
    PeerChatServer* ChatServer(const std::string& name) const { return m_state.directory.ChatServer(name); }
    int Authentications() const { return m_state.authentications; }
    int Requests() const { return m_state.requests; }
    size_t Sessions() const { return m_state.sessions.Count(); }

private:
    struct Listener
    {
        int handle = -1;
        bool factory = false;
    };

    void AcceptLoop();
    void RobotLoop();
    void Serve(int handle, bool factory);

    static constexpr int kMaxConnections = 64;

    OnlineServiceConfig m_config;
    OnlineServiceState m_state;
    std::vector<Listener> m_listeners;
    std::vector<uint16_t> m_factoryPorts;
    int m_wake[2] = {-1, -1};
    std::thread m_acceptor;
    std::thread m_robots;
    std::mutex m_mutex;
    std::condition_variable m_idle;
    int m_connections = 0;
};
