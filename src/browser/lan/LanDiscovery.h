#pragma once
// LAN discovery without a window: the info request goes to the game ports of the
// local network, every answer within two seconds becomes a record of the LAN list,
// then the servers found are queried once more to measure their ping, and the list
// shows those of the launcher's game. The LAN dialog drives it from its idle ticks.
#include "browser/lan/CKSLanAsyncSocket.h"
#include "browser/list/ServerRecordList.h"
#include "browser/query/QueryStep.h"
#include "browser/query/RefreshParams.h"

#include <QHostAddress>

#include <memory>
#include <vector>

class LanDiscovery
{
public:
    static constexpr double kCollectWindow = 2.0; // seconds

    enum class Phase
    {
        Idle,       // nothing started
        Collecting, // waiting for answers to the broadcast
        Pinging,    // querying the servers found
        Done,       // the list is ready to show
    };

    // The ping pass uses the document's retries and time-out, info only.
    LanDiscovery();
    ~LanDiscovery();
    LanDiscovery(const LanDiscovery&) = delete;
    LanDiscovery& operator=(const LanDiscovery&) = delete;

    // Where the broadcast goes; tests use the loopback address.
    void SetTarget(const QHostAddress& target) { m_target = target; }
    RefreshParams& PingParams() { return m_params; }

    // Creates and configures the UDP socket and broadcasts on it; false (no
    // discovery) when the socket cannot be set up.
    bool StartDiscovery();
    // Destroys the socket; answers arriving later are lost.
    void StopDiscovery();
    bool Discovering() const { return m_socket != nullptr; }
    // The discovery socket while discovering, else nullptr.
    const CKSLanAsyncSocket* Socket() const { return m_socket.get(); }

    // Empties the list and starts a discovery; the collection window starts now.
    void Refresh();
    // One idle tick: ends the collection after the window, then runs the ping pass one
    // step at a time. Returns the phase reached.
    Phase Tick();
    Phase CurrentPhase() const { return m_phase; }

    ServerRecordList& Servers() { return m_servers; }
    // The rows to show: records not filtered whose game directory is exactly the
    // launcher's, in the order of the sort keys.
    std::vector<CServerInfo*> ShownServers(const std::vector<int>& sortKeys) const;

private:
    ServerRecordList m_servers;
    std::unique_ptr<CKSLanAsyncSocket> m_socket;
    QHostAddress m_target{QHostAddress::Broadcast};
    RefreshParams m_params;
    QueryStepState m_pingState;
    Phase m_phase = Phase::Idle;
    double m_start = 0.0;
};
