#include "peer/online/PeerOnlineService.h"

#include "peer/online/OnlineConnection.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <ctime>

PeerOnlineService::PeerOnlineService(OnlineServiceConfig config, PeerKeys keys)
    : m_config(std::move(config)), m_state(std::move(keys), m_config.sessionLifetime)
{
    m_state.idleTimeoutMs = m_config.idleTimeoutMs;
    for (const auto& [fault, count] : m_config.faults)
        m_state.faults.Set(fault, count);
}

PeerOnlineService::~PeerOnlineService()
{
    Stop();
}

bool PeerOnlineService::Start(std::string& error)
{
    const int64_t now = int64_t(std::time(nullptr));
    m_state.keyBlock = m_state.keys.KeyBlock();
    m_state.serverKey = ElGamalPrivateKey::Generate();
    if (!m_state.serverKey) {
        error = "cannot make the server's key";
        return false;
    }
    const CryptoBytes publicValue = m_state.serverKey->PublicBytes();
    m_state.serverCertificate = m_state.keys.IssueCertificate(CertificateKind::Server, "Kestrel Directory",
                                                              publicValue, now - 60, now + PeerKeys::kServerLifetime);
    // Expired well beyond any allowance for clock drift.
    m_state.expiredCertificate = m_state.keys.IssueCertificate(CertificateKind::Server, "Kestrel Directory",
                                                               publicValue, now - 2 * 86400, now - 86400);
    if (m_state.serverCertificate.empty() || m_state.expiredCertificate.empty()) {
        error = "cannot issue the server's certificate";
        return false;
    }
    if (::pipe2(m_wake, O_CLOEXEC | O_NONBLOCK) != 0) {
        error = "cannot make a pipe";
        return false;
    }
    uint16_t port = m_config.directoryPort;
    const int directory = ListenOnLoopback(port, error);
    if (directory < 0)
        return false;
    m_listeners.push_back({directory, false});
    m_state.directoryPort = port;
    for (int i = 0; i < m_config.factories; ++i) {
        uint16_t factoryPort = 0;
        const int factory = ListenOnLoopback(factoryPort, error);
        if (factory < 0)
            return false;
        m_listeners.push_back({factory, true});
        m_factoryPorts.push_back(factoryPort);
        m_state.directory.AddFactory(factoryPort);
    }
    for (const std::string& room : m_config.rooms) {
        const size_t colon = room.rfind(':');
        const std::string name = room.substr(0, colon);
        const std::string password = colon == std::string::npos ? "" : room.substr(colon + 1);
        if (m_state.directory.StartRoom(name, password, true, error) == 0)
            return false;
    }
    m_acceptor = std::thread([this] { AcceptLoop(); });
    if (m_config.robots && !m_config.rooms.empty())
        m_robots = std::thread([this] { RobotLoop(); });
    return true;
}

void PeerOnlineService::Stop()
{
    if (m_state.stopping.exchange(true))
        return;
    if (m_wake[1] >= 0) {
        const char byte = 1;
        [[maybe_unused]] const ssize_t written = ::write(m_wake[1], &byte, 1);
    }
    if (m_acceptor.joinable())
        m_acceptor.join();
    m_idle.notify_all();
    if (m_robots.joinable())
        m_robots.join();
    {
        std::unique_lock lock(m_mutex);
        m_idle.wait(lock, [this] { return m_connections == 0; });
    }
    for (const Listener& listener : m_listeners)
        ::close(listener.handle);
    m_listeners.clear();
    for (int& end : m_wake)
        if (end >= 0)
            ::close(end), end = -1;
}

void PeerOnlineService::AcceptLoop()
{
    std::vector<pollfd> entries;
    for (const Listener& listener : m_listeners)
        entries.push_back({listener.handle, POLLIN, 0});
    entries.push_back({m_wake[0], POLLIN, 0});
    while (!m_state.stopping) {
        if (::poll(entries.data(), entries.size(), -1) < 0)
            continue;
        if (entries.back().revents != 0)
            return;
        for (size_t i = 0; i < m_listeners.size(); ++i) {
            if ((entries[i].revents & POLLIN) == 0)
                continue;
            const int handle = ::accept4(m_listeners[i].handle, nullptr, nullptr, SOCK_CLOEXEC);
            if (handle < 0)
                continue;
            std::unique_lock lock(m_mutex);
            if (m_connections >= kMaxConnections) {
                ::close(handle);
                continue;
            }
            ++m_connections;
            const bool factory = m_listeners[i].factory;
            std::thread([this, handle, factory] { Serve(handle, factory); }).detach();
        }
    }
}

void PeerOnlineService::RobotLoop()
{
    static const char* const kRobots[] = {"Rusty", "Bolt", "Sprocket"};
    static const char* const kLines[] = {
        "anyone up for a round on ha_mill?\r\n", "gg all\r\n", "/me polishes his railgun\r\n",
        "that last map was brutal\r\n", "who is hosting tonight?\r\n", "brb\r\n",
        "the new patch fixed the lag for me\r\n", "hi everyone\r\n",
    };
    const std::string room = m_config.rooms.front().substr(0, m_config.rooms.front().rfind(':'));
    PeerChatServer* server = m_state.directory.ChatServer(room);
    if (!server)
        return;
    size_t turn = 0;
    std::unique_lock lock(m_mutex);
    while (!m_state.stopping) {
        server->Say(kRobots[turn % 3], kLines[turn % (sizeof kLines / sizeof *kLines)]);
        ++turn;
        m_idle.wait_for(lock, std::chrono::seconds(m_config.robotInterval), [this] { return m_state.stopping.load(); });
    }
}

void PeerOnlineService::Serve(int handle, bool factory)
{
    {
        OnlineConnection connection(m_state, factory ? OnlineConnection::Role::Factory : OnlineConnection::Role::Directory,
                                    handle);
        connection.Run();
    }
    std::lock_guard lock(m_mutex);
    --m_connections;
    m_idle.notify_all();
}
