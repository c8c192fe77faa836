#include "browser/lan/CKSLanAsyncSocket.h"

#include "browser/lan/LanDestinations.h"
#include "browser/lan/LanReply.h"
#include "browser/query/BrowserClock.h"

#include <sys/socket.h>

namespace {

constexpr const char* kInfoCommand = "infostring\n";

bool SetSocketFlag(qintptr descriptor, int option)
{
    const int on = 1;
    return ::setsockopt(int(descriptor), SOL_SOCKET, option, &on, sizeof on) == 0;
}

std::string DottedAddress(const QHostAddress& address)
{
    const quint32 ip = address.toIPv4Address();
    return std::to_string(ip >> 24) + "." + std::to_string((ip >> 16) & 0xff) + "." + std::to_string((ip >> 8) & 0xff) +
           "." + std::to_string(ip & 0xff);
}

} // namespace

CKSLanAsyncSocket::CKSLanAsyncSocket(ServerRecordList& list) : m_list(list)
{
    QObject::connect(this, &QUdpSocket::readyRead, this, [this] { ReadPending(); });
}

CKSLanAsyncSocket::~CKSLanAsyncSocket()
{
    disconnect(this, nullptr, this, nullptr);
    abort();
}

bool CKSLanAsyncSocket::Configure()
{
    if (m_created)
        return true;
    if (!bind(QHostAddress(QHostAddress::AnyIPv4), 0))
        return false;
    // Qt's sockets are non-blocking already; broadcasting must be allowed explicitly.
    const qintptr descriptor = socketDescriptor();
    if (descriptor < 0 || !SetSocketFlag(descriptor, SO_BROADCAST) || !SetSocketFlag(descriptor, SO_REUSEADDR)) {
        abort();
        return false;
    }
    m_created = true;
    return true;
}

void CKSLanAsyncSocket::Broadcast()
{
    m_buffer.Clear();
    m_buffer.WriteLong(-1);
    m_buffer.WriteString(kInfoCommand);
    m_broadcastTime = BrowserClockNow();
    m_broadcastSent = true;
    for (const QHostAddress& destination : Destinations())
        for (int i = 0; i < kPortCount; ++i)
            writeDatagram(reinterpret_cast<const char*>(m_buffer.Data()), m_buffer.Size(), destination,
                          quint16(m_firstPort + i));
    m_buffer.Clear();
}

std::vector<QHostAddress> CKSLanAsyncSocket::Destinations() const
{
    if (m_target != QHostAddress(QHostAddress::Broadcast))
        return {m_target};
    return LanDestinations(SystemLanInterfaces());
}

void CKSLanAsyncSocket::ReadPending()
{
    // At least one read on every readiness signal (one may come with no datagram
    // waiting, and Qt listens to the socket again only after a read), and every
    // datagram is taken, so the next one is notified.
    do {
        m_buffer.Clear();
        QHostAddress from;
        quint16 fromPort = 0;
        const qint64 n = readDatagram(reinterpret_cast<char*>(m_buffer.Data()), m_buffer.Capacity(), &from, &fromPort);
        if (n < 0)
            continue;
        m_receivedSize = int(n);
        if (n == 0)
            continue;
        m_buffer.SetSize(int(n));
        TakeLanReply(m_list, m_buffer, DottedAddress(from), fromPort, m_ipx, BrowserClockNow());
        m_buffer.Clear();
    } while (hasPendingDatagrams());
}
