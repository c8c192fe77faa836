#include "browser/master/CKSMasterAsyncSocket.h"

#include "app/settings/LauncherState.h"
#include "app/text/Messages.h"
#include "app/text/ServiceAddressList.h"
#include "browser/master/MasterDocument.h"
#include "browser/query/BrowserClock.h"

#include <QHostAddress>
#include <QHostInfo>
#include <QThread>

namespace {
bool g_outOfDateAsked = false;

QHostAddress ResolveHost(const std::string& host)
{
    QHostAddress address;
    if (address.setAddress(QString::fromStdString(host)))
        return address;
    const QHostInfo info = QHostInfo::fromName(QString::fromStdString(host));
    for (const QHostAddress& found : info.addresses())
        if (found.protocol() == QAbstractSocket::IPv4Protocol)
            return found;
    return {};
}
} // namespace

void CKSMasterAsyncSocket::ResetOutOfDateQuestion()
{
    g_outOfDateAsked = false;
}

CKSMasterAsyncSocket::CKSMasterAsyncSocket(MasterDocument& document) : m_document(document)
{
    m_lastActivity = BrowserClockNow();
    QObject::connect(this, &QUdpSocket::readyRead, this, [this] { ReadPending(); });
}

CKSMasterAsyncSocket::~CKSMasterAsyncSocket()
{
    disconnect(this, nullptr, this, nullptr);
    abort();
}

bool CKSMasterAsyncSocket::CreateAndConnect(const std::string& host, int port)
{
    if (port <= 0 || port > 65535)
        return false;
    const QHostAddress address = ResolveHost(host);
    if (address.isNull())
        return false;
    for (int attempt = 0; attempt < kConnectTries; ++attempt) {
        if (attempt > 0)
            QThread::msleep(kConnectRetryMs);
        if (state() != UnconnectedState)
            abort();
        if (!bind(QHostAddress(QHostAddress::AnyIPv4), 0))
            continue;
        connectToHost(address, quint16(port));
        if (state() == ConnectedState)
            return true;
    }
    return false;
}

void CKSMasterAsyncSocket::SendBuffer()
{
    write(reinterpret_cast<const char*>(m_buffer.Data()), m_buffer.Size());
}

void CKSMasterAsyncSocket::SendListRequest(int32_t key)
{
    m_keysAsked.insert(key);
    m_resent = false;
    m_buffer.Clear();
    WriteMasterListRequest(m_buffer, key, m_filter);
    m_lastRequest.assign(m_buffer.Data(), m_buffer.Data() + m_buffer.Size());
    SendBuffer();
}

void CKSMasterAsyncSocket::SendServerDataRequest(const std::string& version, const std::string& shortTitle)
{
    m_buffer.Clear();
    WriteServerDataRequest(m_buffer, version, shortTitle);
    SendBuffer();
    m_buffer.Clear();
}

void CKSMasterAsyncSocket::Resend()
{
    // Received datagrams are read into the same buffer, so the request is kept aside.
    if (m_lastRequest.empty())
        return;
    m_resent = true;
    write(reinterpret_cast<const char*>(m_lastRequest.data()), qint64(m_lastRequest.size()));
}

void CKSMasterAsyncSocket::ReadPending()
{
    // At least one read on every readiness signal: a "port unreachable" (a master not
    // up yet) raises one with no datagram waiting, and Qt listens to the socket again
    // only after a read.
    do {
        m_buffer.Clear();
        const qint64 n = readDatagram(reinterpret_cast<char*>(m_buffer.Data()), m_buffer.Capacity());
        if (n < 0)
            continue;
        m_buffer.SetSize(int(n));
        OnReceive(0);
    } while (hasPendingDatagrams());
}

void CKSMasterAsyncSocket::OnReceive(int error)
{
    if (error != 0)
        return;
    m_receivedSize = m_buffer.Size();
    if (m_receivedSize <= 0)
        return;
    // Only a reply the exchange takes counts as the master being there: an echo,
    // noise, another type byte or a batch that is not taken leave the time-out running.
    const std::optional<int> type = MasterReplyType(m_buffer.Data(), size_t(m_receivedSize));
    if (type == kMasterListReply)
        OnListBatch();
    else if (type == kServerDataReply)
        OnServerData();
}

void CKSMasterAsyncSocket::Heard()
{
    m_triesLeft = 1;
    m_lastActivity = BrowserClockNow();
}

void CKSMasterAsyncSocket::OnListBatch()
{
    if (m_done || m_cutOff)
        return;
    const std::optional<MasterListBatch> batch = ParseMasterListBatch(m_buffer.Data(), size_t(m_receivedSize));
    if (!batch)
        return;
    if (batch->nextKey != 0 && m_keysAsked.count(batch->nextKey) != 0) {
        // The twin of a batch taken, when its request went out twice. The first answer
        // may have been held up on the way and come after later batches.
        if (m_twinKeys.erase(batch->nextKey) != 0)
            return;
        // A key asked before: the master would go round in circles.
        m_cutOff = true;
        return;
    }
    Heard();
    ++m_batches;
    if (m_resent && batch->nextKey != 0)
        m_twinKeys.insert(batch->nextKey);
    const bool quickStart = m_document.QuickStartMode();
    const int unfiltered = quickStart ? m_document.UnfilteredCount() : 0;
    int handled = 0;
    for (const MasterEntry& entry : batch->entries) {
        if (m_received == kMaxListAddresses)
            break;
        ++handled;
        ++m_received;
        if (quickStart && unfiltered + handled > MasterDocument::kQuickStartLimit)
            continue;
        m_document.AddMasterServer(entry.address, entry.port);
    }
    if (batch->nextKey == 0)
        m_done = true;
    else if (m_received == kMaxListAddresses || m_batches == kMaxListBatches)
        m_cutOff = true;
    else
        SendListRequest(batch->nextKey);
}

void CKSMasterAsyncSocket::OnServerData()
{
    const std::optional<ServerDataReply> reply = ParseServerDataReply(m_buffer.Data(), size_t(m_receivedSize));
    if (!reply)
        return;
    Heard();
    if (reply->outOfDate) {
        if (!g_outOfDateAsked) {
            g_outOfDateAsked = true;
            if (ShowMessage(kMsgOutOfDate, PromptButtons::YesNo) == kPromptFirst &&
                ShowMessage(kMsgRunUpdater, PromptButtons::YesNo) == kPromptFirst)
                Launcher().updaterFlag = 1;
        }
    } else {
        using Section = ServiceAddressList::Section;
        const Section sections[kServerDataGroups] = {Section::Auth, Section::Pylon, Section::Master};
        ServiceAddressList& services = m_document.Services();
        for (int g = 0; g < kServerDataGroups; ++g)
            for (const MasterEntry& entry : reply->groups[size_t(g)])
                services.AppendAddress(sections[g], entry.address, uint16_t(entry.port));
    }
    m_document.SetServerDataReceived(true);
    m_document.OnServerData();
}
