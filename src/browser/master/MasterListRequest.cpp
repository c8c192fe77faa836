#include "browser/master/MasterListRequest.h"

#include "app/text/ServiceAddressList.h"
#include "browser/master/MasterDocument.h"
#include "browser/query/BrowserClock.h"

#include <cstdarg>
#include <cstdio>

namespace {
constexpr size_t kMaxHostText = 1023;
constexpr const char* kFinished = "Finished receiving list from %s:%i, transferring data...\n";
} // namespace

MasterListRequest::MasterListRequest(MasterDocument& document, ServiceAddressList& services, Completion completion,
                                     Progress progress)
    : m_completion(std::move(completion)), m_progress(std::move(progress)), m_document(document), m_services(services)
{
}

MasterListRequest::~MasterListRequest() = default;

void MasterListRequest::Report(const char* format, ...)
{
    if (!m_progress)
        return;
    char text[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    m_progress(m_document, text);
}

void MasterListRequest::Finish(int result)
{
    m_active = false;
    if (m_completion)
        m_completion(m_document, result);
}

bool MasterListRequest::FinishWithWhatArrived()
{
    if (!m_socket || m_socket->Received() <= 0)
        return false;
    Report(kFinished, m_masterHost.c_str(), m_masterPort);
    Finish(kComplete);
    return true;
}

void MasterListRequest::Start(const std::string& filter)
{
    m_exchangeStart = BrowserClockNow();
    m_document.SetServerDataReceived(false);
    m_services.ResetMaster();
    if (!m_services.NextMaster()) {
        Finish(kNoMaster);
        return;
    }
    AskMaster(m_services.MasterHost(), m_services.MasterPort(), filter);
}

void MasterListRequest::AskMaster(const std::string& host, int port, const std::string& filter)
{
    m_active = true;
    m_startTime = BrowserClockNow();
    m_socket.reset();
    auto socket = std::make_unique<CKSMasterAsyncSocket>(m_document);
    // Without a socket the next Think moves on to the next master.
    if (!socket->CreateAndConnect(host, port))
        return;
    m_socket = std::move(socket);
    m_masterHost = host.substr(0, kMaxHostText);
    m_masterPort = port;
    m_socket->SetTriesLeft(1);
    if (!filter.empty())
        m_socket->SetFilter(filter);
    m_socket->SendListRequest(0);
    m_socket->SetLastActivity(BrowserClockNow());
}

void MasterListRequest::Think()
{
    if (!m_active)
        return;
    const double now = BrowserClockNow();
    double base = m_socket ? m_socket->LastActivity() : m_startTime;

    // However the masters behave, the exchange ends in time with what arrived.
    if (now - m_exchangeStart > kDeadline && !(m_socket && m_socket->Done())) {
        if (!FinishWithWhatArrived())
            Finish(kAllFailed);
        return;
    }
    // A master that ended its list early is treated as one that fell silent.
    const bool cutOff = m_socket && m_socket->CutOff();
    if (!m_socket || cutOff || now - base > kSilence) {
        if (m_socket && !cutOff) {
            m_socket->SetTriesLeft(m_socket->TriesLeft() - 1);
            if (m_socket->TriesLeft() >= 0) {
                m_socket->Resend();
                m_socket->SetLastActivity(now);
                return;
            }
        }
        if (FinishWithWhatArrived())
            return;
        if (!m_services.NextMaster()) {
            Finish(kAllFailed);
            return;
        }
        base = now;
        // A master asked after the first gets no filter: a fresh socket has none.
        AskMaster(m_services.MasterHost(), m_services.MasterPort(), std::string());
    }

    if (m_socket && m_socket->Done()) {
        Report(kFinished, m_masterHost.c_str(), m_masterPort);
        Finish(kComplete);
        return;
    }
    if (m_lastProgress >= 0.0 && now - m_lastProgress < kProgressInterval)
        return;
    m_lastProgress = now;
    const double remaining = kSilence - (now - base);
    if (m_socket && m_socket->Received() > 0)
        Report("Receiving list from %s:%i, %i received, %.1f remaining\n", m_masterHost.c_str(), m_masterPort,
               m_socket->Received(), remaining);
    else
        Report("Requesting list from %s:%i, %.1f remaining\n", m_services.MasterHost().c_str(),
               int(m_services.MasterPort()), remaining);
}
