#include "browser/master/ServerDataExchange.h"

#include "app/settings/LauncherState.h"
#include "app/text/ServiceAddressList.h"
#include "browser/master/MasterDocument.h"
#include "browser/query/BrowserClock.h"

#include <algorithm>
#include <cstdio>

namespace {
bool g_serverDataNeeded = true;
constexpr int kQuickSuccessPauseMs = 100;
constexpr int kReceivedPauseMs = 200;

std::string Format(const char* format, const std::string& host, int port)
{
    char text[1200];
    std::snprintf(text, sizeof text, format, host.c_str(), port);
    return text;
}
} // namespace

bool ServerDataExchange::ServerDataNeeded()
{
    return g_serverDataNeeded;
}

void ServerDataExchange::SetServerDataNeeded(bool needed)
{
    g_serverDataNeeded = needed;
}

bool SendServerDataRequest(MasterDocument& document, std::unique_ptr<CKSMasterAsyncSocket>& socket,
                           const std::string& host, int port)
{
    document.SetServerDataReceived(false);
    socket.reset();
    auto created = std::make_unique<CKSMasterAsyncSocket>(document);
    if (!created->CreateAndConnect(host, port))
        return false;
    socket = std::move(created);
    socket->SendServerDataRequest(Launcher().patchVersion, Launcher().shortTitle);
    return true;
}

ServerDataExchange::ServerDataExchange(MasterDocument& document, ServiceAddressList& services)
    : m_document(document), m_services(services)
{
    m_services.ResetMaster();
    m_haveMaster = m_services.NextMaster();
    m_opened = BrowserClockNow();
}

ServerDataExchange::~ServerDataExchange() = default;

ServerDataExchange::State ServerDataExchange::Tick()
{
    const double now = BrowserClockNow();
    if (m_done) {
        if (now - m_opened < kQuickSuccess) {
            m_status = "Login successful.";
            m_pauseMs += kQuickSuccessPauseMs;
        }
        SetServerDataNeeded(false);
        return State::Succeeded;
    }
    if (!m_haveMaster)
        return State::GaveUp;
    if (!m_sent) {
        SendServerDataRequest(m_document, m_socket, m_services.MasterHost(), m_services.MasterPort());
        m_sent = true;
        m_sentTime = now;
        m_status = Format("Requesting server data from %s:%i.", m_services.MasterHost(), m_services.MasterPort());
    } else if (m_document.ServerDataReceived()) {
        m_status = "Received server list.";
        m_pauseMs = kReceivedPauseMs;
        m_done = true;
        return State::Running;
    }
    if (now - m_sentTime > kWait) {
        if (--m_attempts <= 0) {
            if (!m_services.NextMaster())
                return State::GaveUp;
            m_sentTime = now;
            m_sent = false;
            m_attempts = kAttempts;
        } else {
            SendServerDataRequest(m_document, m_socket, m_services.MasterHost(), m_services.MasterPort());
            m_sentTime = now;
            m_status = Format("Retrying request from %s:%i.", m_services.MasterHost(), m_services.MasterPort());
        }
        return State::Running;
    }
    if (m_lastCountdown < 0.0 || now - m_lastCountdown >= kCountdownInterval) {
        m_lastCountdown = now;
        char text[64];
        std::snprintf(text, sizeof text, "%.1f s. remaining", std::max(0.0, kWait - (now - m_sentTime)));
        m_countdown = text;
    }
    return State::Running;
}
