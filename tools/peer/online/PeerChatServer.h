#pragma once
// A room's chat server as the loopback factory starts it: for now a listening TCP
// socket on 127.0.0.1 that holds the room's port, name and password.
#include <cstdint>
#include <string>

class PeerChatServer
{
public:
    PeerChatServer(std::string name, std::string password);
    ~PeerChatServer();
    PeerChatServer(const PeerChatServer&) = delete;
    PeerChatServer& operator=(const PeerChatServer&) = delete;

    // Listens on 127.0.0.1:port (0: any free port); false with the reason in error.
    bool Start(uint16_t port, std::string& error);

    const std::string& Name() const { return m_name; }
    const std::string& Password() const { return m_password; }
    uint16_t Port() const { return m_port; }

private:
    std::string m_name;
    std::string m_password;
    int m_listener = -1;
    uint16_t m_port = 0;
};

// A TCP socket listening on 127.0.0.1:port; -1 on failure with the reason in error,
// the port taken in port.
int ListenOnLoopback(uint16_t& port, std::string& error);
