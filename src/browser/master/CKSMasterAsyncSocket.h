#pragma once
// The datagram socket of a master exchange, connected to one master at a time. It
// sends the list and server-data requests and hands the replies to its document:
// list batches as server records (asking for the next batch at once), server-data
// replies as service addresses or the out-of-date question.
#include "browser/master/MasterProtocol.h"
#include "online/buffers/CMessageBuffer.h"

#include <QUdpSocket>

#include <string>
#include <unordered_set>
#include <vector>

class MasterDocument;

class CKSMasterAsyncSocket : public QUdpSocket
{
public:
    static constexpr int kConnectTries = 3;
    static constexpr int kConnectRetryMs = 50;
    static constexpr int kMsgOutOfDate = 434;
    static constexpr int kMsgRunUpdater = 438;
    // Bounds of one list exchange with one master, far above any real list (a full
    // batch carries 1363 addresses; a large list is a few thousand).
    static constexpr int kMaxListBatches = 8192;
    static constexpr int kMaxListAddresses = 65536;

    explicit CKSMasterAsyncSocket(MasterDocument& document);
    ~CKSMasterAsyncSocket() override;

    // Binds to any local port and connects to host:port, trying the connect up to
    // three times 50 ms apart. A host name is looked up first.
    bool CreateAndConnect(const std::string& host, int port);

    // Sends a list request with the key and the socket's filter; what was sent stays
    // in the buffer for a re-send.
    void SendListRequest(int32_t key);
    void SendServerDataRequest(const std::string& version, const std::string& shortTitle);
    // Sends the buffer again (a master that stayed silent).
    void Resend();

    // What the receive event does with the datagram in the buffer (also driven by tests).
    void OnReceive(int error);

    void SetFilter(const std::string& filter) { m_filter = filter.substr(0, kMaxMasterFilter); }
    const std::string& Filter() const { return m_filter; }
    bool Done() const { return m_done; }
    // The list ended before its last batch: a batch named a key asked before (the
    // master goes round in circles) or the exchange reached one of its bounds. The
    // addresses received so far stay.
    bool CutOff() const { return m_cutOff; }
    int Received() const { return m_received; }
    int TriesLeft() const { return m_triesLeft; }
    void SetTriesLeft(int tries) { m_triesLeft = tries; }
    double LastActivity() const { return m_lastActivity; }
    void SetLastActivity(double t) { m_lastActivity = t; }
    CMessageBuffer& Buffer() { return m_buffer; }

    // The out-of-date question is asked at most once per run; tests reset it.
    static void ResetOutOfDateQuestion();

private:
    void ReadPending();
    void SendBuffer();
    void OnListBatch();
    void OnServerData();
    // A reply was taken: the master is there.
    void Heard();

    CMessageBuffer m_buffer{kMasterBufferSize};
    bool m_done = false;
    MasterDocument& m_document;
    int m_receivedSize = 0;
    double m_lastActivity = 0.0;
    int m_received = 0;
    int m_triesLeft = 1;
    std::string m_filter;
    // What the last list request carried, for a re-send.
    std::vector<uint8_t> m_lastRequest;
    // The keys asked in this exchange, the last of them still unanswered.
    std::unordered_set<int32_t> m_keysAsked;
    int m_batches = 0;
    bool m_cutOff = false;
    // The last request went out again; the batch that answers it may come twice.
    bool m_resent = false;
    // The next keys named by batches whose request went out twice: a later batch naming
    // one of them is that batch's twin, once.
    std::unordered_set<int32_t> m_twinKeys;
};
