#include "peer/PeerGameServer.h"

#include "peer/QueryResponder.h"

#include <QRandomGenerator>
#include <QTimer>

#include <arpa/inet.h>
#include <cerrno>
#include <sys/socket.h>
#include <unistd.h>

PeerGameServer::PeerGameServer(GameServerConfig config) : m_state(std::move(config))
{
    m_protocols.push_back(&RespondToHandshake);
    m_protocols.push_back(&RespondToQuery);
}

PeerGameServer::~PeerGameServer()
{
    m_pendingReplies.reset();
    CloseSocket();
}

void PeerGameServer::CloseSocket()
{
    if (m_socket < 0)
        return;
    if (m_loop)
        m_loop->Forget(m_socket, this);
    close(m_socket);
    m_socket = -1;
    m_loop.reset();
}

bool PeerGameServer::Fail(const QString& what)
{
    m_error = what + qt_error_string(errno);
    CloseSocket();
    return false;
}

bool PeerGameServer::Start()
{
    if (m_socket >= 0) {
        m_error = "The server is already running.";
        return false;
    }
    bool isIPv4 = false;
    const quint32 ip = m_bindAddress.toIPv4Address(&isIPv4);
    if (!isIPv4) {
        m_error = "Not an IPv4 address: " + m_bindAddress.toString();
        return false;
    }
    m_socket = socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (m_socket < 0)
        return Fail("Cannot open a UDP socket: ");
    // Loopback unless told otherwise: nothing outside this machine can reach a test peer.
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(m_state.Config().port);
    address.sin_addr.s_addr = htonl(ip);
    if (bind(m_socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0)
        return Fail("");
    socklen_t size = sizeof address;
    if (getsockname(m_socket, reinterpret_cast<sockaddr*>(&address), &size) != 0)
        return Fail("Cannot read the bound port: ");
    m_port = ntohs(address.sin_port);
    m_loop = PeerSocketLoop::ForThisThread(m_error);
    if (!m_loop || !m_loop->Watch(m_socket, this, m_error)) {
        CloseSocket();
        return false;
    }
    return true;
}

void PeerGameServer::ReadPending()
{
    uint8_t buffer[kMaxDatagram];
    for (int i = 0; i < kMaxReadsPerWake && m_socket >= 0; ++i) {
        sockaddr_in from{};
        socklen_t fromSize = sizeof from;
        const ssize_t size =
            recvfrom(m_socket, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&from), &fromSize);
        if (size < 0) {
            if (errno == EAGAIN || errno == EWOULDBLOCK)
                return;
            // A reply that bounced ("port unreachable") reports itself here once; the
            // socket goes on working, so read on.
            continue;
        }
        ++m_received;
        Answer(buffer, size_t(size), from);
    }
}

void PeerGameServer::Answer(const uint8_t* data, size_t size, const sockaddr_in& from)
{
    const GameServerConfig& config = m_state.Config();
    if (config.silent)
        return;
    if (config.lossRate > 0.0 && QRandomGenerator::global()->generateDouble() < config.lossRate)
        return;
    const PeerAddress sender{ntohl(from.sin_addr.s_addr), ntohs(from.sin_port)};
    for (const Protocol& protocol : m_protocols) {
        PeerResponse response = protocol(data, size, sender, m_state);
        if (!response.handled)
            continue;
        if (!response.reply)
            return;
        if (config.delayMs > 0) {
            if (!m_pendingReplies)
                m_pendingReplies = std::make_unique<QObject>();
            QTimer::singleShot(config.delayMs, Qt::PreciseTimer, m_pendingReplies.get(),
                               [this, reply = std::move(*response.reply), from] { Send(reply, from); });
        } else {
            Send(*response.reply, from);
        }
        return;
    }
}

void PeerGameServer::Send(const std::vector<uint8_t>& reply, const sockaddr_in& to) const
{
    // Like a real server, a reply that cannot go out (full buffer) is simply lost.
    sendto(m_socket, reply.data(), reply.size(), 0, reinterpret_cast<const sockaddr*>(&to), sizeof to);
}
