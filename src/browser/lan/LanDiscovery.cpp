#include "browser/lan/LanDiscovery.h"

#include "browser/lan/LanReply.h"
#include "browser/list/RefreshPass.h"
#include "browser/list/ServerSort.h"
#include "browser/query/BrowserClock.h"
#include "browser/record/CServerInfo.h"

LanDiscovery::LanDiscovery()
{
    m_params.maxRetries = DefaultQueryRetries();
    m_params.timeout = DefaultQueryTimeout();
    m_params.flags = RefreshParams::kRequestInfo;
    m_params.idleTimeout = RefreshParams::kDefaultIdleTimeout;
}

LanDiscovery::~LanDiscovery()
{
    StopDiscovery();
}

bool LanDiscovery::StartDiscovery()
{
    if (!m_socket) {
        m_socket = std::make_unique<CKSLanAsyncSocket>(m_servers);
        m_socket->SetTarget(m_target);
    }
    if (!m_socket->Configure()) {
        m_socket.reset();
        return false;
    }
    m_socket->Broadcast();
    return true;
}

void LanDiscovery::StopDiscovery()
{
    m_socket.reset();
}

void LanDiscovery::Refresh()
{
    StopDiscovery();
    m_servers.DeleteAll();
    m_pingState = QueryStepState{};
    StartDiscovery();
    m_start = BrowserClockNow();
    m_phase = Phase::Collecting;
}

LanDiscovery::Phase LanDiscovery::Tick()
{
    if (m_phase == Phase::Collecting) {
        if (BrowserClockNow() - m_start <= kCollectWindow)
            return m_phase;
        StopDiscovery();
        BeginRefresh(m_servers.Head(), m_params, m_pingState);
        m_phase = Phase::Pinging;
    }
    if (m_phase == Phase::Pinging) {
        if (RunRefreshPass(m_servers.Head(), m_params, m_pingState).stop)
            m_phase = Phase::Done;
    }
    return m_phase;
}

std::vector<CServerInfo*> LanDiscovery::ShownServers(const std::vector<int>& sortKeys) const
{
    std::vector<CServerInfo*> rows = ShownRowsInOrder(m_servers.Head(), sortKeys);
    std::erase_if(rows, [](const CServerInfo* r) { return r->dir != kLanGameDir; });
    return rows;
}
