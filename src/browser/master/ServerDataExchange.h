#pragma once
// The server-data exchange that runs once per launcher run before the Internet games
// list first opens: the launcher tells a master its version and learns either that
// it is out of date or fresh service addresses. This class holds the login dialog's
// decisions (which master, when to re-send, when to give up, what the lines say);
// the dialog calls Tick from its idle processing and shows the texts.
#include "browser/master/CKSMasterAsyncSocket.h"

#include <functional>
#include <memory>
#include <string>

class MasterDocument;
class ServiceAddressList;

// Sends the 'v' request to host:port through a new socket of the document's (the
// previous one is destroyed); clears the document's server-data flag first.
bool SendServerDataRequest(MasterDocument& document, std::unique_ptr<CKSMasterAsyncSocket>& socket,
                           const std::string& host, int port);

class ServerDataExchange
{
public:
    enum class State
    {
        Running,
        Succeeded, // a reply arrived: the server-data-needed flag is cleared
        GaveUp,    // no master answered: the flag stays set, the dialog still closes with success
    };
    static constexpr int kAttempts = 2;
    static constexpr double kWait = 4.0;
    static constexpr double kCountdownInterval = 0.2;
    static constexpr double kQuickSuccess = 1.0;
    static constexpr int kTitleMessage = 440;
    static constexpr int kCancelMessage = 251;

    ServerDataExchange(MasterDocument& document, ServiceAddressList& services);
    ~ServerDataExchange();

    // One idle tick; the texts go to the status and countdown lines.
    State Tick();
    const std::string& StatusText() const { return m_status; }
    const std::string& CountdownText() const { return m_countdown; }
    // Milliseconds the dialog sleeps before closing, so the last text can be read.
    int ClosingPauseMs() const { return m_pauseMs; }

    // Set at start-up; cleared by a successful exchange.
    static bool ServerDataNeeded();
    static void SetServerDataNeeded(bool needed);

private:
    MasterDocument& m_document;
    ServiceAddressList& m_services;
    std::unique_ptr<CKSMasterAsyncSocket> m_socket;
    int m_attempts = kAttempts;
    bool m_haveMaster = false;
    bool m_sent = false;
    bool m_done = false;
    double m_opened = 0.0;
    double m_sentTime = 0.0;
    double m_lastCountdown = -1.0;
    int m_pauseMs = 0;
    std::string m_status;
    std::string m_countdown;
};
