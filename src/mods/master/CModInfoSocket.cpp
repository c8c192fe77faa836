#include "mods/master/CModInfoSocket.h"

#include "mods/master/ModDatagramSocket.h"

#include <strings.h>

CModInfoSocket::CModInfoSocket(ModList& list, Clock clock) : m_list(list), m_clock(std::move(clock))
{
    QObject::connect(this, &QUdpSocket::readyRead, this, [this] { ReadPending(); });
}

CModInfoSocket::~CModInfoSocket()
{
    disconnect(this, nullptr, this, nullptr);
    abort();
}

bool CModInfoSocket::CreateAndConnect(const std::string& host, int port)
{
    return ConnectModSocket(*this, host, port);
}

void CModInfoSocket::SendCountRequest(const std::string& key)
{
    m_key = key.substr(0, kMaxCountDir);
    m_request = ComposeModCountRequest(m_key);
    m_triesLeft = kTries;
    m_wait = kFirstWait;
    m_finished = false;
    Resend();
}

void CModInfoSocket::Resend()
{
    m_lastSend = m_clock();
    if (m_firstSend < 0)
        m_firstSend = m_lastSend;
    ++m_sends;
    write(reinterpret_cast<const char*>(m_request.data()), qint64(m_request.size()));
}

void CModInfoSocket::ReadPending()
{
    do {
        const qint64 size = readDatagram(reinterpret_cast<char*>(m_buffer.Data()), m_buffer.Capacity());
        if (size < 0)
            continue;
        OnDatagram(m_buffer.Data(), size_t(size));
    } while (hasPendingDatagrams());
}

void CModInfoSocket::OnDatagram(const uint8_t* data, size_t size)
{
    if (m_finished)
        return;
    const std::optional<ModCountPage> page = ParseModCountReply(data, size);
    if (!page) {
        m_finished = true; // anything else ends the exchange
        return;
    }
    ++m_pages;
    ApplyModCounts(m_list, *page);
    if (!page->more || page->triples.empty() || m_pages >= kMaxPages) {
        m_finished = true;
        return;
    }
    const std::string next = page->triples.back().gamedir.substr(0, kMaxCountDir);
    if (::strcasecmp(next.c_str(), m_key.c_str()) == 0) {
        m_finished = true; // the key does not advance: the master goes round in circles
        return;
    }
    SendCountRequest(next);
}

bool CModInfoSocket::Tick()
{
    if (m_finished)
        return true;
    const double now = m_clock();
    if (m_firstSend >= 0 && now - m_firstSend >= kMaxSeconds) {
        m_failed = m_finished = true;
        return true;
    }
    if (now - m_lastSend < m_wait)
        return false;
    if (m_triesLeft <= 0) {
        m_failed = m_finished = true;
        return true;
    }
    --m_triesLeft;
    m_wait *= 2;
    Resend();
    return false;
}
