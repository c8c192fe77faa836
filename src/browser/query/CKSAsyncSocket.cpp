#include "browser/query/CKSAsyncSocket.h"

#include "app/text/Messages.h"
#include "browser/query/BrowserClock.h"
#include "browser/query/QueryReplies.h"
#include "browser/query/QuerySocketPool.h"
#include "browser/record/CServerInfo.h"

#include <QCoreApplication>
#include <QHostAddress>
#include <QHostInfo>
#include <QObject>
#include <QTimer>

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <netinet/in.h>
#include <sys/socket.h>

namespace {
float g_lastReplyTime = 0.0f;

// Older arrival stamps are not believed (a clock step, a stamp of another datagram).
constexpr double kMaxArrivalAge = 1.0;

// How long ago the kernel received a datagram stamped at stamp, or a negative number
// when the stamp cannot be believed.
double ArrivalAge(const timespec& stamp)
{
    if (stamp.tv_sec == 0 && stamp.tv_nsec == 0)
        return -1.0;
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    const double age = double(now.tv_sec - stamp.tv_sec) + double(now.tv_nsec - stamp.tv_nsec) / 1e9;
    return age >= 0.0 && age < kMaxArrivalAge ? age : -1.0;
}

// The arrival stamp among a received datagram's control messages (zero when none).
timespec StampOf(msghdr& message)
{
    for (cmsghdr* c = CMSG_FIRSTHDR(&message); c; c = CMSG_NXTHDR(&message, c)) {
        if (c->cmsg_level == SOL_SOCKET && c->cmsg_type == SCM_TIMESTAMPNS && c->cmsg_len >= CMSG_LEN(sizeof(timespec))) {
            timespec stamp{};
            std::memcpy(&stamp, CMSG_DATA(c), sizeof stamp);
            return stamp;
        }
    }
    return timespec{};
}
// A prompt runs an event loop of its own, in which the refresh may close the very
// socket that is reading: the message waits until the read is over, and a burst of
// sockets that all find the network down shows it once.
void ReportNetworkDown()
{
    thread_local bool pending = false;
    QCoreApplication* application = QCoreApplication::instance();
    if (!application) {
        ShowMessage(CKSAsyncSocket::kMsgNetworkDown);
        return;
    }
    if (pending)
        return;
    pending = true;
    QTimer::singleShot(0, application, [] {
        pending = false;
        ShowMessage(CKSAsyncSocket::kMsgNetworkDown);
    });
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

CKSAsyncSocket::CKSAsyncSocket(CServerInfo& record) : m_buffer(ThreadBuffer()), m_record(record) {}

CKSAsyncSocket::~CKSAsyncSocket()
{
    ReleaseDescriptor();
}

void CKSAsyncSocket::ReleaseDescriptor()
{
    m_lookup.reset();
    if (m_fd >= 0)
        QuerySocketPool::ForThread().Release(m_fd);
    m_fd = -1;
    m_state = State::Unconnected;
}

bool CKSAsyncSocket::Create()
{
    ReleaseDescriptor();
    m_fd = QuerySocketPool::ForThread().Acquire(*this);
    return m_fd >= 0;
}

uint16_t CKSAsyncSocket::LocalPort() const
{
    sockaddr_in local{};
    socklen_t length = sizeof local;
    if (m_fd < 0 || getsockname(m_fd, reinterpret_cast<sockaddr*>(&local), &length) != 0)
        return 0;
    return ntohs(local.sin_port);
}

void CKSAsyncSocket::SetListener(std::weak_ptr<QuerySocketListener> listener, uint32_t tag)
{
    m_listener = std::move(listener);
    m_tag = tag;
}

bool CKSAsyncSocket::ConnectTo(uint32_t ipv4NetworkOrder)
{
    if (m_fd < 0)
        return false;
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_addr.s_addr = ipv4NetworkOrder;
    to.sin_port = htons(uint16_t(m_record.port));
    // A socket taken again for the server it last asked would take that server's late
    // replies to the earlier query as answers: it gets a new local port instead.
    QuerySocketPool& pool = QuerySocketPool::ForThread();
    const uint64_t peer = (uint64_t(ipv4NetworkOrder) << 16) | uint64_t(to.sin_port);
    if (pool.LastPeer(m_fd) == peer) {
        m_fd = pool.Renew(m_fd, *this);
        if (m_fd < 0)
            return false;
    }
    if (::connect(m_fd, reinterpret_cast<const sockaddr*>(&to), sizeof to) != 0)
        return false;
    pool.SetLastPeer(m_fd, peer);
    // A reused socket may still hold late replies of its previous server, queued
    // before the connect: none is this server's. Every one goes, however many: once
    // connected, the socket queues nothing more from anyone else, so this ends.
    char byte = 0;
    for (int errors = 0; errors < 16;) {
        if (::recv(m_fd, &byte, 1, MSG_DONTWAIT | MSG_TRUNC) >= 0)
            continue;
        if (errno == EAGAIN || errno == EWOULDBLOCK)
            break;
        ++errors; // a pending error ("port unreachable") is read once
    }
    m_state = State::Connected;
    return true;
}

bool CKSAsyncSocket::ConnectToServer()
{
    // A re-connect while an earlier attempt is still looking up its host starts over.
    if (m_state == State::HostLookup) {
        m_lookup.reset();
        m_state = State::Unconnected;
    }
    if (m_state == State::Connected)
        return true;
    if (m_fd < 0)
        return false;
    in_addr numeric{};
    if (inet_pton(AF_INET, m_record.address.c_str(), &numeric) == 1)
        return ConnectTo(numeric.s_addr);
    StartLookup();
    return false;
}

void CKSAsyncSocket::StartLookup()
{
    m_state = State::HostLookup;
    m_lookup = std::make_unique<QObject>();
    QHostInfo::lookupHost(QString::fromStdString(m_record.address), m_lookup.get(), [this](const QHostInfo& info) {
        for (const QHostAddress& a : info.addresses()) {
            bool ipv4 = false;
            const quint32 host = a.toIPv4Address(&ipv4);
            if (ipv4 && ConnectTo(htonl(host))) {
                OnConnect(0);
                Notify();
                return;
            }
        }
        // Not found: the record's time-out tries again.
        m_state = State::Unconnected;
    });
}

void CKSAsyncSocket::SendCommand(const char* command)
{
    // Emptied without zeroing its 8 KiB: every read of it stops at its size.
    m_buffer.SetSize(0);
    m_buffer.WriteLong(-1);
    m_buffer.WriteString(command);
    // A failed send is not reported: the request times out and is sent again.
    if (m_fd >= 0 && m_state == State::Connected)
        ::send(m_fd, m_buffer.Data(), size_t(m_buffer.Size()), MSG_NOSIGNAL);
    m_buffer.SetSize(0);
}

void CKSAsyncSocket::ReadPending(int maxReads)
{
    // At least one read on every readiness: a "port unreachable" raises one with no
    // datagram waiting, and reading takes the error so the socket is heard again.
    // Every datagram is taken, even one nobody waits for. One datagram is handled per
    // readiness: the pool's readiness is level-triggered, so one still waiting is
    // reported at once again, and the usual single reply costs no read that finds
    // nothing.
    alignas(cmsghdr) char control[CMSG_SPACE(sizeof(timespec))];
    for (int i = 0; i < maxReads && m_fd >= 0; ++i) {
        iovec data{m_buffer.Data(), size_t(m_buffer.Capacity())};
        msghdr message{};
        message.msg_iov = &data;
        message.msg_iovlen = 1;
        message.msg_control = control;
        message.msg_controllen = sizeof control;
        m_buffer.SetSize(0);
        const ssize_t n = ::recvmsg(m_fd, &message, MSG_DONTWAIT);
        if (n < 0) {
            if (errno == EAGAIN || errno == EWOULDBLOCK)
                break;
            // A refused or unreachable port: the request times out and is sent again.
            // Only a network that is down is reported.
            if (errno == ENETDOWN) {
                OnReceive(kWsaeNetDown);
                break;
            }
            continue;
        }
        m_buffer.SetSize(int(n));
        const double age = ArrivalAge(StampOf(message));
        m_arrival = age >= 0.0 ? BrowserClockNow() - age : 0.0;
        OnReceive(0);
        m_arrival = 0.0;
        break;
    }
    Notify();
}

void CKSAsyncSocket::Notify()
{
    if (const std::shared_ptr<QuerySocketListener> listener = m_listener.lock())
        listener->SocketActive(m_tag);
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
        ReportNetworkDown();
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
