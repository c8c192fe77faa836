#include "mods/master/CKSModSocket.h"

CKSModSocket::CKSModSocket() : ModDatagramSocket(kModListBufferSize)
{
}

void CKSModSocket::ExpectPage(int32_t position)
{
    if (position == 0 && m_asked.empty())
        m_done = false;
    m_asked.insert(position);
    m_lastAsked = position;
}

void CKSModSocket::SendListRequest(int32_t position)
{
    ExpectPage(position);
    Send(ComposeModListRequest(position));
}

void CKSModSocket::SendDownloadNotice(int32_t uniqueId)
{
    Send(ComposeDownloadNotice(uniqueId));
}

void CKSModSocket::OnDatagram(const uint8_t* data, size_t size)
{
    if (m_done)
        return;
    std::optional<ModListPage> page = ParseModListReply(data, size);
    if (!page)
        return;
    ++m_pages;
    const bool bounded = m_pages >= kMaxPages;
    // A copy of the page that led to the request now out: nothing new.
    if (page->next != 0 && page->next == m_lastAsked && !bounded)
        return;
    m_dropped += page->dropped;
    for (CModRecord& record : page->records) {
        if (int(m_result.size()) >= kMaxRecords)
            break;
        if (!FindModByDir(m_result, record.GetKeyText("gamedir")))
            m_result.push_front(std::move(record));
    }
    if (page->next == 0 || bounded || int(m_result.size()) >= kMaxRecords || m_asked.count(page->next)) {
        m_done = true;
        return;
    }
    SendListRequest(page->next);
}
