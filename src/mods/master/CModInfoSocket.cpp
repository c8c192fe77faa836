#include "mods/master/CModInfoSocket.h"

#include <strings.h>

CModInfoSocket::CModInfoSocket(ModList& list, Clock clock)
    : ModDatagramSocket(kModCountBufferSize), m_list(list), m_clock(std::move(clock))
{
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
    Send(m_request);
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
