#include "peer/online/PeerChatServer.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

int ListenOnLoopback(uint16_t& port, std::string& error)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        error = std::strerror(errno);
        return -1;
    }
    const int on = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || ::listen(fd, 64) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        error = "cannot listen on 127.0.0.1:" + std::to_string(port) + ": " + std::strerror(errno);
        ::close(fd);
        return -1;
    }
    port = ntohs(address.sin_port);
    return fd;
}

PeerChatServer::PeerChatServer(std::string name, std::string password)
    : m_name(std::move(name)), m_password(std::move(password))
{
}

PeerChatServer::~PeerChatServer()
{
    if (m_listener >= 0)
        ::close(m_listener);
}

bool PeerChatServer::Start(uint16_t port, std::string& error)
{
    m_port = port;
    m_listener = ListenOnLoopback(m_port, error);
    return m_listener >= 0;
}
