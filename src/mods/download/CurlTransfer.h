#pragma once
// One FTP or HTTP transfer at a time over libcurl's multi interface, driven from the
// user-interface thread: socket notifiers and a timer call into libcurl when it has
// work, so nothing ever waits on the network. Stop() ends a transfer at any moment.
#include <QObject>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>

class PendingFile;
class QSocketNotifier;
class QTimer;

struct TransferResult
{
    bool ok = false;
    std::string error; // the library's text, or ours
    long status = 0;   // HTTP status or FTP reply code
    uint64_t bytes = 0;
};

struct TransferRequest
{
    std::string url;
    PendingFile* file = nullptr;     // body goes here, or
    std::string* memory = nullptr;   // here
    uint64_t maxBytes = UINT64_MAX;  // more than this fails the transfer
    std::string customRequest;       // "MLSD" for a folder listing
    bool http = false;               // redirects (at most 5, http(s) only), a 2xx status, Content-Length kept
};

class CurlTransfer
{
public:
    static constexpr int kMaxRedirects = 5;
    static constexpr long kConnectTimeoutSeconds = 30;
    static constexpr long kStallSeconds = 60;
    static constexpr long kBufferBytes = 256 * 1024;

    using Done = std::function<void(const TransferResult&)>;

    CurlTransfer();
    ~CurlTransfer();
    CurlTransfer(const CurlTransfer&) = delete;
    CurlTransfer& operator=(const CurlTransfer&) = delete;

    // Starts a transfer; done is called once when it ends (never after Stop). False
    // when one is already running or the library refused it.
    bool Start(const TransferRequest& request, Done done);
    void Stop();
    bool Running() const { return m_easy != nullptr; }
    uint64_t Bytes() const { return m_bytes; }
    // The length the server announced for the running transfer, or -1.
    int64_t DeclaredLength() const;

private:
    struct Watch;
    static int OnSocket(void* easy, int socket, int what, void* self, void* socketData);
    static int OnTimer(void* multi, long timeoutMs, void* self);
    static size_t OnWrite(char* data, size_t size, size_t count, void* self);
    void Act(int socket, int events);
    void CheckDone();
    void Watch(int socket, int what);

    void* m_multi = nullptr;
    void* m_easy = nullptr;
    std::unique_ptr<QTimer> m_timer;
    std::map<int, std::unique_ptr<struct Watch>> m_watches;
    TransferRequest m_request;
    Done m_done;
    uint64_t m_bytes = 0;
    bool m_overLimit = false;
    bool m_writeFailed = false;
    char m_errorText[256] = {};
};
