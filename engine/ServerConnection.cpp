#include "ServerConnection.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>

namespace {

constexpr int kMaxDatagramsPerPoll = 32;

// Parses "host:port" or "host"; resolves a host name to IPv4.
bool ParseAddress(const std::string& text, std::array<uint8_t, 4>& address, uint16_t& port)
{
    std::string host = text;
    port = ServerConnection::kDefaultPort;
    const size_t colon = text.rfind(':');
    if (colon != std::string::npos) {
        host = text.substr(0, colon);
        const std::string portText = text.substr(colon + 1);
        char* end = nullptr;
        const long value = std::strtol(portText.c_str(), &end, 10);
        if (portText.empty() || *end != '\0' || value <= 0 || value > 65535)
            return false;
        port = uint16_t(value);
    }
    if (host.empty())
        return false;
    in_addr numeric{};
    if (inet_pton(AF_INET, host.c_str(), &numeric) == 1) {
        std::memcpy(address.data(), &numeric, 4);
        return true;
    }
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_DGRAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(host.c_str(), nullptr, &hints, &found) != 0 || !found)
        return false;
    const auto* ipv4 = reinterpret_cast<const sockaddr_in*>(found->ai_addr);
    std::memcpy(address.data(), &ipv4->sin_addr, 4);
    freeaddrinfo(found);
    return true;
}

} // namespace

ServerConnection::~ServerConnection()
{
    CloseSocket();
}

void ServerConnection::CloseSocket()
{
    if (m_socket >= 0)
        ::close(m_socket);
    m_socket = -1;
}

bool ServerConnection::Start(const std::string& address, const std::string& name, const std::string& password,
                             double now, double timeout, double resendInterval)
{
    Disconnect();
    m_hostName.clear();
    m_map.clear();
    m_challenge = 0;
    m_name = name;
    m_password = password;
    m_addressText = address;
    if (!ParseAddress(address, m_address, m_port)) {
        // The launcher shows what follows the first colon as the reason.
        Fail("Couldn't connect: bad server address " + address + ".");
        return false;
    }
    m_socket = ::socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (m_socket < 0) {
        Fail(std::string("Couldn't connect: no network socket could be opened (") + std::strerror(errno) + ").");
        return false;
    }
    m_phase = Phase::Challenging;
    m_deadline = now + timeout;
    m_resendInterval = resendInterval > 0 ? resendInterval : 1.0;
    m_nextSend = now;
    m_message = "Connecting to " + address + "...";
    Poll(now);
    return m_phase != Phase::Failed;
}

void ServerConnection::Poll(double now)
{
    if (m_phase == Phase::Connected) {
        if (now >= m_nextSend) {
            m_nextSend = now + kKeepAliveSeconds;
            SendBytes({0, 0, 0, 0}); // sequence number 0: a game datagram, not a handshake
        }
        return;
    }
    if (m_phase != Phase::Challenging && m_phase != Phase::Connecting)
        return;
    Receive();
    if (m_phase != Phase::Challenging && m_phase != Phase::Connecting)
        return;
    if (now >= m_deadline) {
        Fail("Connection timed out: the server at " + m_addressText + " did not answer.");
        return;
    }
    if (now < m_nextSend)
        return;
    m_nextSend = now + m_resendInterval;
    HandshakeMessage message;
    if (m_phase == Phase::Challenging) {
        message.type = HandshakeType::GetChallenge;
    } else {
        message.type = HandshakeType::Connect;
        message.challenge = m_challenge;
        message.name = m_name;
        message.password = m_password;
    }
    Send(message);
}

void ServerConnection::Send(const HandshakeMessage& message)
{
    SendBytes(EncodeHandshake(message));
}

void ServerConnection::SendBytes(const std::vector<uint8_t>& datagram)
{
    if (m_socket < 0)
        return;
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(m_port);
    std::memcpy(&to.sin_addr, m_address.data(), 4);
    // A full send buffer or an unreachable port is a lost datagram; the re-send and
    // the time-out deal with it.
    (void)::sendto(m_socket, datagram.data(), datagram.size(), MSG_NOSIGNAL, reinterpret_cast<sockaddr*>(&to),
                   sizeof to);
}

void ServerConnection::Receive()
{
    uint8_t buffer[kMaxHandshakeDatagram + 1];
    for (int i = 0; i < kMaxDatagramsPerPoll && m_socket >= 0; ++i) {
        sockaddr_in from{};
        socklen_t fromSize = sizeof from;
        const ssize_t size =
            ::recvfrom(m_socket, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&from), &fromSize);
        if (size < 0)
            return; // nothing more waiting (or an ICMP error: keep trying until the time-out)
        // Only the server we talk to may answer.
        if (fromSize != sizeof from || from.sin_port != htons(m_port) ||
            std::memcmp(&from.sin_addr, m_address.data(), 4) != 0)
            continue;
        const std::optional<HandshakeMessage> message = DecodeHandshake(buffer, size_t(size));
        if (message)
            Handle(*message);
    }
}

void ServerConnection::Handle(const HandshakeMessage& message)
{
    switch (message.type) {
    case HandshakeType::Challenge:
        if (m_phase != Phase::Challenging)
            return;
        m_challenge = message.challenge;
        m_phase = Phase::Connecting;
        m_nextSend = 0.0; // send the connect request at the next poll
        m_message = "Sending connect request to " + m_addressText + "...";
        break;
    case HandshakeType::Accept:
        if (m_phase != Phase::Connecting)
            return;
        m_phase = Phase::Connected;
        m_nextSend = 0.0; // the first keep-alive at the next poll
        m_hostName = message.hostName;
        m_map = message.map;
        m_message = "Connected to " + (m_hostName.empty() ? m_addressText : m_hostName);
        break;
    case HandshakeType::Reject:
        Fail("Connection refused: " + message.reason);
        break;
    default:
        break;
    }
}

void ServerConnection::Fail(const std::string& message)
{
    CloseSocket();
    m_phase = Phase::Failed;
    m_message = message;
}

void ServerConnection::Disconnect()
{
    if (m_phase == Phase::Connected || m_phase == Phase::Connecting) {
        HandshakeMessage goodbye;
        goodbye.type = HandshakeType::Disconnect;
        goodbye.challenge = m_challenge;
        Send(goodbye);
    }
    CloseSocket();
    m_phase = Phase::Idle;
}
