#include "browser/query/CKSAsyncSocket.h"

#include "app/text/Messages.h"
#include "browser/query/BrowserClock.h"
#include "browser/query/QueryReplies.h"
#include "browser/record/CServerInfo.h"

#include <QHostAddress>
#include <QNetworkProxy>

#include <cerrno>
#include <ctime>
#include <linux/sockios.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <sys/time.h>

namespace {
float g_lastReplyTime = 0.0f;

// Older arrival stamps are not believed (a clock step, a stamp of another datagram).
constexpr double kMaxArrivalAge = 1.0;

// How long ago the kernel received the datagram just read from the socket, or a
// negative number when it does not say.
double ArrivalAge(qintptr descriptor)
{
    timeval stamp{};
    if (descriptor < 0 || ioctl(int(descriptor), SIOCGSTAMP, &stamp) != 0)
        return -1.0;
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    const double age = double(now.tv_sec - stamp.tv_sec) + double(now.tv_nsec) / 1e9 - double(stamp.tv_usec) / 1e6;
    return age >= 0.0 && age < kMaxArrivalAge ? age : -1.0;
}
} // namespace

float CKSAsyncSocket::LastReplyTime()
{
    return g_lastReplyTime;
}

void CKSAsyncSocket::SetLastReplyTime(float t)
{
    g_lastReplyTime = t;
}

CMessageBuffer& CKSAsyncSocket::ThreadBuffer()
{
    thread_local CMessageBuffer buffer(kBufferSize);
    return buffer;
}

CKSAsyncSocket::CKSAsyncSocket(CServerInfo& record) : m_buffer(ThreadBuffer()), m_record(record)
{
    // Query datagrams go straight to the server; asking the system's proxy settings
    // for every socket of a refresh would cost more than the query itself.
    setProxy(QNetworkProxy::NoProxy);
    QObject::connect(this, &QUdpSocket::readyRead, this, [this] { ReadPending(); });
    QObject::connect(this, &QUdpSocket::connected, this, [this] { OnConnect(0); });
}

CKSAsyncSocket::~CKSAsyncSocket()
{
    disconnect(this, nullptr, this, nullptr);
    abort();
}

bool CKSAsyncSocket::Create()
{
    if (!bind(QHostAddress(QHostAddress::AnyIPv4), 0))
        return false;
    // The kernel stamps each datagram as it arrives, so a ping does not grow by the
    // time the datagram waited while the browser was busy with other servers. The
    // first question for the stamp turns stamping on (it has none to give yet).
    // SO_TIMESTAMP is not used: it hands the stamps out only beside the data, which
    // Qt's reads drop, and then the socket keeps no stamp to ask for.
    timeval unused{};
    ioctl(int(socketDescriptor()), SIOCGSTAMP, &unused);
    return true;
}

bool CKSAsyncSocket::ConnectToServer()
{
    // A re-connect while an earlier attempt is still looking up its host starts over.
    if (state() == HostLookupState || state() == ConnectingState) {
        abort();
        Create();
    }
    if (state() == ConnectedState)
        return true;
    connectToHost(QString::fromStdString(m_record.address), quint16(m_record.port));
    return state() == ConnectedState;
}

void CKSAsyncSocket::SendCommand(const char* command)
{
    // Emptied without zeroing its 8 KiB: every read of it stops at its size.
    m_buffer.SetSize(0);
    m_buffer.WriteLong(-1);
    m_buffer.WriteString(command);
    // A failed send is not reported: the request times out and is sent again.
    write(reinterpret_cast<const char*>(m_buffer.Data()), m_buffer.Size());
    m_buffer.SetSize(0);
}

void CKSAsyncSocket::ReadPending()
{
    // At least one read on every readiness signal: a "port unreachable" raises one
    // with no datagram waiting, and Qt listens to the socket again only after a read.
    // Every datagram is taken, even one nobody waits for: a datagram left in the queue
    // would hold back the notification of the next one.
    do {
        m_buffer.SetSize(0);
        errno = 0;
        const qint64 n = readDatagram(reinterpret_cast<char*>(m_buffer.Data()), m_buffer.Capacity());
        if (n < 0) {
            // A refused or unreachable port, or nothing waiting: the request times out
            // and is sent again. Only a network that is down is reported.
            if (errno == ENETDOWN) {
                OnReceive(kWsaeNetDown);
                return;
            }
            continue;
        }
        m_buffer.SetSize(int(n));
        const double age = ArrivalAge(socketDescriptor());
        m_arrival = age >= 0.0 ? BrowserClockNow() - age : 0.0;
        OnReceive(0);
        m_arrival = 0.0;
    } while (hasPendingDatagrams());
}

void CKSAsyncSocket::OnReceive(int error)
{
    // A datagram that arrived before the last send answers an earlier request: its
    // arrival would give a negative ping, so it counts as read now.
    const double now = m_arrival > 0.0 && m_arrival >= m_record.lastSend ? m_arrival : BrowserClockNow();
    SetLastReplyTime(float(now));
    CServerInfo& r = m_record;
    if (r.status == CServerInfo::Failed)
        return;
    if (error == kWsaeNetDown) {
        ShowMessage(kMsgNetworkDown);
        return;
    }
    if (r.lastSend != 0.0 && r.svping == 0.0)
        r.svping = now - r.lastSend;
    if (m_buffer.Size() <= 0)
        return;
    switch (r.status) {
    case CServerInfo::InfoSent:
        ParseInfoReply(m_buffer, r, now);
        break;
    case CServerInfo::PlayersSent:
        ParsePlayersReply(m_buffer, r, now);
        break;
    case CServerInfo::RulesSent:
        ParseRulesReply(m_buffer, r);
        break;
    default:
        break;
    }
}

void CKSAsyncSocket::OnConnect(int error)
{
    if (error != 0)
        return;
    m_record.status = CServerInfo::Connected;
    m_record.retries = 0;
}
