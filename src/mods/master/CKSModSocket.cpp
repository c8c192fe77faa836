#include "mods/master/CKSModSocket.h"

#include "mods/master/ModDatagramSocket.h"

CKSModSocket::CKSModSocket()
{
    QObject::connect(this, &QUdpSocket::readyRead, this, [this] { ReadPending(); });
}

CKSModSocket::~CKSModSocket()
{
    disconnect(this, nullptr, this, nullptr);
    abort();
}

bool CKSModSocket::CreateAndConnect(const std::string& host, int port)
{
    return ConnectModSocket(*this, host, port);
}

void CKSModSocket::Send(const std::vector<uint8_t>& bytes)
{
    write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size()));
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

void CKSModSocket::ReadPending()
{
    // One read per readiness signal at least, even when nothing waits.
    do {
        const qint64 size = readDatagram(reinterpret_cast<char*>(m_buffer.Data()), m_buffer.Capacity());
        if (size < 0)
            continue;
        OnDatagram(m_buffer.Data(), size_t(size));
    } while (hasPendingDatagrams());
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
