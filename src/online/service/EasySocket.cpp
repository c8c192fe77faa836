#include "online/service/EasySocket.h"

#include "online/service/SocketResult.h"

#include <arpa/inet.h>
#include <cerrno>
#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>

namespace {

int64_t NowMs()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// The wait of one pass of a send or receive loop, and whether it is the last pass.
int PassWait(int64_t start, int timeout, bool& last)
{
    const int64_t elapsed = NowMs() - start;
    last = elapsed >= timeout;
    return last ? 0 : int(timeout - elapsed);
}

} // namespace

EasySocket::EasySocket(int type) : m_type(type) {}

EasySocket::~EasySocket()
{
    if (m_socket >= 0)
        ::close(m_socket);
}

int32_t EasySocket::Open()
{
    if (m_socket >= 0)
        Close();
    if (m_type != kStream && m_type != kDatagram)
        return ES_ERROR_NO_TYPE;
    const int fd = m_type == kStream ? ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, IPPROTO_TCP)
                                     : ::socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, IPPROTO_UDP);
    if (fd < 0)
        return SocketErrorFromErrno(errno);
    // Lingering stays at the system's default: a reset on close could lose the last
    // message the peer has not read yet.
    m_socket = fd;
    OnConnectionChange();
    return ES_NO_ERROR;
}

void EasySocket::Adopt(int handle)
{
    Close();
    m_type = kStream;
    if (handle < 0)
        return;
    ::fcntl(handle, F_SETFL, ::fcntl(handle, F_GETFL) | O_NONBLOCK);
    m_socket = handle;
    m_connected = true;
    OnConnectionChange();
}

void EasySocket::Close()
{
    if (m_socket >= 0)
        ::close(m_socket);
    m_socket = -1;
    m_connected = false;
    OnConnectionChange();
}

void EasySocket::SetType(int type)
{
    if (type != m_type)
        Close();
    m_type = type;
}

int32_t EasySocket::Connect(const sockaddr_in& address, int timeout)
{
    if (m_type == kStream)
        Close();
    if (m_socket < 0) {
        const int32_t opened = Open();
        if (opened != ES_NO_ERROR)
            return opened;
    }
    OnConnectionChange();
    if (::connect(m_socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 &&
        errno != EINPROGRESS && errno != EWOULDBLOCK) {
        const int32_t error = SocketErrorFromErrno(errno);
        if (m_type == kStream)
            Close();
        return error;
    }
    m_peer = address;
    m_connected = true;
    if (timeout == 0 || m_type != kStream)
        return ES_NO_ERROR;
    if (!WaitWritable(timeout)) {
        Disconnect();
        return ES_TIMED_OUT;
    }
    // Writable also means "failed": the outcome of the connection is in SO_ERROR.
    int error = 0;
    socklen_t length = sizeof error;
    if (::getsockopt(m_socket, SOL_SOCKET, SO_ERROR, &error, &length) != 0)
        error = errno;
    if (error != 0) {
        Disconnect();
        return SocketErrorFromErrno(error);
    }
    return ES_NO_ERROR;
}

int32_t EasySocket::ConnectRetry(const sockaddr_in& address, int timeout, int attempts)
{
    int32_t result = ES_TIMED_OUT;
    for (int i = 0; i < attempts; ++i) {
        result = Connect(address, timeout);
        if (result == ES_NO_ERROR)
            break;
        timeout *= 2;
    }
    return result;
}

int32_t EasySocket::Connect(uint32_t address, uint16_t port, int timeout, int attempts)
{
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = htonl(address);
    return ConnectRetry(to, timeout, attempts);
}

int32_t EasySocket::Connect(const std::string& host, uint16_t port, int timeout, int attempts)
{
    uint32_t address = 0;
    if (!ResolveHost(host, address))
        return ES_INVALID_ADDR;
    return Connect(address, port, timeout, attempts);
}

void EasySocket::Disconnect()
{
    m_connected = false;
    if (m_type == kDatagram && m_socket >= 0) {
        // An unspecified address dissolves the association and keeps the socket.
        sockaddr addr{};
        addr.sa_family = AF_UNSPEC;
        if (::connect(m_socket, &addr, sizeof addr) == 0) {
            OnConnectionChange();
            return;
        }
    }
    Close();
}

bool EasySocket::WaitFor(short events, int timeout)
{
    if (m_socket < 0)
        return false;
    pollfd entry{m_socket, events, 0};
    const int64_t start = NowMs();
    for (;;) {
        const int64_t elapsed = NowMs() - start;
        const int wait = timeout <= 0 ? 0 : int(std::max<int64_t>(0, timeout - elapsed));
        const int ready = ::poll(&entry, 1, wait);
        if (ready > 0)
            return (entry.revents & (events | POLLERR | POLLHUP)) != 0;
        if (ready == 0 || errno != EINTR || wait == 0)
            return false;
    }
}

bool EasySocket::WaitWritable(int timeout)
{
    return WaitFor(POLLOUT, timeout);
}

bool EasySocket::WaitReadable(int timeout)
{
    return WaitFor(POLLIN, timeout);
}

int32_t EasySocket::Send(const void* bytes, uint32_t n, uint32_t* sent, int timeout)
{
    if (m_socket < 0)
        return ES_INVALID_SOCKET;
    const int64_t start = NowMs();
    uint32_t done = 0;
    while (done < n) {
        bool last = false;
        const int wait = PassWait(start, timeout, last);
        if (WaitWritable(wait)) {
            // MSG_NOSIGNAL: a closed peer is an error code, never SIGPIPE.
            const ssize_t r = ::send(m_socket, static_cast<const uint8_t*>(bytes) + done, n - done, MSG_NOSIGNAL);
            if (r < 0 && errno != EAGAIN && errno != EINTR) {
                if (sent)
                    *sent = done;
                return SocketErrorFromErrno(errno);
            }
            if (r > 0)
                done += uint32_t(r);
        }
        if (last)
            break;
    }
    if (sent)
        *sent = done;
    return done >= n ? ES_NO_ERROR : ES_INCOMPLETE_SEND;
}

int32_t EasySocket::ReceiveStream(void* bytes, uint32_t n, uint32_t* received, int timeout, bool* ended)
{
    if (ended)
        *ended = false;
    if (m_socket < 0)
        return ES_INVALID_SOCKET;
    const int64_t start = NowMs();
    uint32_t done = 0;
    bool receiveMade = false;
    bool closed = false;
    while (done < n) {
        bool last = false;
        const int wait = PassWait(start, timeout, last);
        if (WaitReadable(wait)) {
            const ssize_t r = ::recv(m_socket, static_cast<uint8_t*>(bytes) + done, n - done, 0);
            if (r < 0 && errno != EAGAIN && errno != EINTR) {
                if (received)
                    *received = done;
                return SocketErrorFromErrno(errno);
            }
            if (r >= 0) {
                receiveMade = true;
                if (r == 0 && m_type == kStream) {
                    closed = true;
                    last = true;
                }
                done += uint32_t(r);
                if (m_type == kDatagram)
                    break;
            }
        }
        if (last)
            break;
    }
    if (received)
        *received = done;
    if (ended)
        *ended = closed;
    if (!receiveMade)
        return n == 0 ? ES_NO_ERROR : ES_TIMED_OUT;
    if (m_type == kDatagram)
        return ES_NO_ERROR;
    if (done == 0)
        return ES_SHUTDOWN;
    return done < n ? ES_INCOMPLETE_RECV : ES_NO_ERROR;
}

int32_t EasySocket::Recv(void* bytes, uint32_t n, uint32_t* received, int timeout)
{
    return ReceiveStream(bytes, n, received, timeout, nullptr);
}

int32_t EasySocket::SendTo(const void* bytes, uint32_t n, const sockaddr_in& address, int timeout)
{
    if (m_type == kStream)
        return ES_ERROR_STREAM_NOT_ALLOWED;
    if (m_socket < 0) {
        const int32_t opened = Open();
        if (opened != ES_NO_ERROR)
            return opened;
    }
    WaitWritable(timeout);
    const ssize_t r = ::sendto(m_socket, bytes, n, MSG_NOSIGNAL, reinterpret_cast<const sockaddr*>(&address),
                               sizeof address);
    if (r < 0)
        return SocketErrorFromErrno(errno);
    return uint32_t(r) < n ? ES_PARTIAL_SENDTO : ES_NO_ERROR;
}

int32_t EasySocket::SendTo(const void* bytes, uint32_t n, const std::string& host, uint16_t port, int timeout)
{
    uint32_t address = 0;
    if (!ResolveHost(host, address))
        return ES_INVALID_ADDR;
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = htonl(address);
    return SendTo(bytes, n, to, timeout);
}

int32_t EasySocket::RecvFrom(void* bytes, uint32_t capacity, uint32_t* received, int timeout, uint32_t* fromAddress,
                             uint16_t* fromPort)
{
    if (m_type == kStream)
        return ES_ERROR_STREAM_NOT_ALLOWED;
    if (m_socket < 0)
        return ES_INVALID_SOCKET;
    if (!WaitReadable(timeout))
        return ES_TIMED_OUT;
    sockaddr_in from{};
    socklen_t length = sizeof from;
    const ssize_t r = ::recvfrom(m_socket, bytes, capacity, 0, reinterpret_cast<sockaddr*>(&from), &length);
    if (r < 0)
        return errno == EAGAIN ? ES_TIMED_OUT : SocketErrorFromErrno(errno);
    if (received)
        *received = uint32_t(r);
    if (fromAddress)
        *fromAddress = ntohl(from.sin_addr.s_addr);
    if (fromPort)
        *fromPort = ntohs(from.sin_port);
    return ES_NO_ERROR;
}

bool EasySocket::ResolveHost(const std::string& host, uint32_t& address)
{
    in_addr dotted{};
    if (::inet_pton(AF_INET, host.c_str(), &dotted) == 1) {
        address = ntohl(dotted.s_addr);
        return true;
    }
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (host.empty() || ::getaddrinfo(host.c_str(), nullptr, &hints, &found) != 0 || found == nullptr)
        return false;
    address = ntohl(reinterpret_cast<const sockaddr_in*>(found->ai_addr)->sin_addr.s_addr);
    ::freeaddrinfo(found);
    return true;
}
