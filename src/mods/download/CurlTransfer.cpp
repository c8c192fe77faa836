#include "mods/download/CurlTransfer.h"

#include "mods/download/SafeFiles.h"

#include <QSocketNotifier>
#include <QTimer>

#include <curl/curl.h>

struct CurlTransfer::Watch
{
    std::unique_ptr<QSocketNotifier> read;
    std::unique_ptr<QSocketNotifier> write;
};

namespace {

void GlobalInit()
{
    static const bool done = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    (void)done;
}

// A notifier deleted from inside its own signal must go later.
void Retire(std::unique_ptr<QSocketNotifier>& notifier)
{
    if (notifier) {
        notifier->setEnabled(false);
        notifier.release()->deleteLater();
    }
}

} // namespace

CurlTransfer::CurlTransfer() : m_timer(std::make_unique<QTimer>())
{
    GlobalInit();
    m_multi = curl_multi_init();
    curl_multi_setopt(m_multi, CURLMOPT_SOCKETFUNCTION, &CurlTransfer::OnSocket);
    curl_multi_setopt(m_multi, CURLMOPT_SOCKETDATA, this);
    curl_multi_setopt(m_multi, CURLMOPT_TIMERFUNCTION, &CurlTransfer::OnTimer);
    curl_multi_setopt(m_multi, CURLMOPT_TIMERDATA, this);
    m_timer->setSingleShot(true);
    QObject::connect(m_timer.get(), &QTimer::timeout, [this] { Act(CURL_SOCKET_TIMEOUT, 0); });
}

CurlTransfer::~CurlTransfer()
{
    Stop();
    for (auto& [socket, watch] : m_watches) {
        Retire(watch->read);
        Retire(watch->write);
    }
    m_watches.clear();
    curl_multi_cleanup(m_multi);
}

bool CurlTransfer::Start(const TransferRequest& request, Done done)
{
    if (m_easy)
        return false;
    CURL* easy = curl_easy_init();
    if (!easy)
        return false;
    m_request = request;
    m_done = std::move(done);
    m_bytes = 0;
    m_overLimit = m_writeFailed = false;
    m_errorText[0] = '\0';
    curl_easy_setopt(easy, CURLOPT_URL, request.url.c_str());
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, request.http ? "http,https" : "ftp");
    curl_easy_setopt(easy, CURLOPT_USERAGENT, "Kestrel");
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, m_errorText);
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &CurlTransfer::OnWrite);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, this);
    curl_easy_setopt(easy, CURLOPT_BUFFERSIZE, kBufferBytes);
    curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT, kConnectTimeoutSeconds);
    curl_easy_setopt(easy, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(easy, CURLOPT_LOW_SPEED_TIME, kStallSeconds);
    if (request.http) {
        curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 1L);
        curl_easy_setopt(easy, CURLOPT_MAXREDIRS, long(kMaxRedirects));
        curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
        curl_easy_setopt(easy, CURLOPT_FAILONERROR, 1L);
    }
    if (!request.http) {
        // A control connection taken again from the pool loses track of its next data
        // connection under the multi interface's socket events (libcurl 7.88): each
        // FTP transfer logs in afresh.
        curl_easy_setopt(easy, CURLOPT_FRESH_CONNECT, 1L);
        curl_easy_setopt(easy, CURLOPT_FORBID_REUSE, 1L);
    }
    if (!request.customRequest.empty())
        curl_easy_setopt(easy, CURLOPT_CUSTOMREQUEST, request.customRequest.c_str());
    if (curl_multi_add_handle(m_multi, easy) != CURLM_OK) {
        curl_easy_cleanup(easy);
        return false;
    }
    m_easy = easy;
    return true;
}

void CurlTransfer::Stop()
{
    if (!m_easy)
        return;
    curl_multi_remove_handle(m_multi, m_easy);
    curl_easy_cleanup(m_easy);
    m_easy = nullptr;
    m_done = nullptr;
}

int64_t CurlTransfer::DeclaredLength() const
{
    curl_off_t declared = -1;
    if (!m_easy || curl_easy_getinfo(m_easy, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &declared) != CURLE_OK)
        return -1;
    return int64_t(declared);
}

size_t CurlTransfer::OnWrite(char* data, size_t size, size_t count, void* self)
{
    auto* transfer = static_cast<CurlTransfer*>(self);
    const size_t n = size * count;
    if (transfer->m_bytes + n > transfer->m_request.maxBytes) {
        transfer->m_overLimit = true;
        return 0;
    }
    if (transfer->m_request.file && !transfer->m_request.file->Write(data, n)) {
        transfer->m_writeFailed = true;
        return 0;
    }
    if (transfer->m_request.memory)
        transfer->m_request.memory->append(data, n);
    transfer->m_bytes += n;
    return n;
}

int CurlTransfer::OnSocket(void*, int socket, int what, void* self, void*)
{
    static_cast<CurlTransfer*>(self)->Watch(socket, what);
    return 0;
}

void CurlTransfer::Watch(int socket, int what)
{
    // Notifiers stay with their descriptor number and are only switched off: a closed
    // descriptor's number comes back for the next connection, and a second notifier
    // on the same number would never fire.
    auto& watch = m_watches[socket];
    if (!watch)
        watch = std::make_unique<struct Watch>();
    const bool wantRead = what == CURL_POLL_IN || what == CURL_POLL_INOUT;
    const bool wantWrite = what == CURL_POLL_OUT || what == CURL_POLL_INOUT;
    if (wantRead && !watch->read) {
        watch->read = std::make_unique<QSocketNotifier>(socket, QSocketNotifier::Read);
        QObject::connect(watch->read.get(), &QSocketNotifier::activated,
                         [this, socket] { Act(socket, CURL_CSELECT_IN); });
    }
    if (wantWrite && !watch->write) {
        watch->write = std::make_unique<QSocketNotifier>(socket, QSocketNotifier::Write);
        QObject::connect(watch->write.get(), &QSocketNotifier::activated,
                         [this, socket] { Act(socket, CURL_CSELECT_OUT); });
    }
    // Switched off and on again, so a descriptor closed and reopened under the same
    // number is registered afresh with the event loop.
    for (QSocketNotifier* notifier : {watch->read.get(), watch->write.get()})
        if (notifier)
            notifier->setEnabled(false);
    if (watch->read)
        watch->read->setEnabled(wantRead);
    if (watch->write)
        watch->write->setEnabled(wantWrite);
}

int CurlTransfer::OnTimer(void*, long timeoutMs, void* self)
{
    auto* transfer = static_cast<CurlTransfer*>(self);
    if (timeoutMs < 0)
        transfer->m_timer->stop();
    else
        transfer->m_timer->start(int(timeoutMs));
    return 0;
}

void CurlTransfer::Act(int socket, int events)
{
    int running = 0;
    curl_multi_socket_action(m_multi, socket, events, &running);
    CheckDone();
}

void CurlTransfer::CheckDone()
{
    int queued = 0;
    while (CURLMsg* message = curl_multi_info_read(m_multi, &queued)) {
        if (message->msg != CURLMSG_DONE || message->easy_handle != m_easy)
            continue;
        TransferResult result;
        const CURLcode code = message->data.result;
        CURL* easy = m_easy;
        curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &result.status);
        curl_off_t declared = -1;
        curl_easy_getinfo(easy, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &declared);
        result.bytes = m_bytes;
        result.ok = code == CURLE_OK;
        if (!result.ok)
            result.error = m_errorText[0] ? m_errorText : curl_easy_strerror(code);
        if (m_overLimit)
            result.error = "The download is larger than it may be.";
        if (m_writeFailed)
            result.error = "The file could not be written.";
        if (result.ok && m_request.http) {
            if (result.status < 200 || result.status > 299) {
                result.ok = false;
                result.error = "The server answered with status " + std::to_string(result.status) + ".";
            } else if (declared >= 0 && uint64_t(declared) != m_bytes) {
                result.ok = false;
                result.error = "The download does not have the length the server announced.";
            }
        }
        curl_multi_remove_handle(m_multi, easy);
        curl_easy_cleanup(easy);
        m_easy = nullptr;
        Done done = std::move(m_done);
        m_done = nullptr;
        if (done)
            done(result); // may start the next transfer, or destroy this object
        return;
    }
}
