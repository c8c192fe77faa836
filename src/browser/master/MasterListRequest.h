#pragma once
// One server list exchange: asks the masters of the service address list in cursor
// order for batches of server addresses. A master silent for 4 s is asked once
// more, then the next master is tried (without the filter). Think() runs the
// time-outs from the dialogs' idle processing. The exchange is bounded: a master that
// names a key twice or reaches the socket's batch or address bounds ends its list,
// and the whole exchange ends after kDeadline; what arrived is kept.
#include "browser/master/CKSMasterAsyncSocket.h"

#include <functional>
#include <memory>
#include <string>

class MasterDocument;
class ServiceAddressList;

class MasterListRequest
{
public:
    enum Result
    {
        kComplete = 0,
        kNoMaster = 1,
        kAllFailed = 2,
    };
    static constexpr double kSilence = 4.0;          // seconds before a re-send or the next master
    static constexpr double kProgressInterval = 0.1; // seconds between progress reports
    static constexpr double kDeadline = 120.0;       // seconds from Start to the end, whatever happens

    using Completion = std::function<void(MasterDocument&, int result)>;
    using Progress = std::function<void(MasterDocument&, const std::string& text)>;

    MasterListRequest(MasterDocument& document, ServiceAddressList& services, Completion completion,
                      Progress progress = nullptr);
    ~MasterListRequest();

    void Start(const std::string& filter);
    void AskMaster(const std::string& host, int port, const std::string& filter);
    void Think();
    void Cancel() { m_socket.reset(); }

    bool Active() const { return m_active; }
    CKSMasterAsyncSocket* Socket() const { return m_socket.get(); }
    const std::string& MasterHost() const { return m_masterHost; }
    int MasterPort() const { return m_masterPort; }

private:
    void Finish(int result);
    // Completes with what the current master sent; false when it sent nothing.
    bool FinishWithWhatArrived();
    void Report(const char* format, ...);

    Completion m_completion;
    Progress m_progress;
    MasterDocument& m_document;
    ServiceAddressList& m_services;
    std::unique_ptr<CKSMasterAsyncSocket> m_socket;
    double m_startTime = 0.0;
    double m_exchangeStart = 0.0;
    bool m_active = false;
    std::string m_masterHost;
    int m_masterPort = 0;
    double m_lastProgress = -1.0;
};
