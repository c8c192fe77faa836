#pragma once
// The engine's side of the connect handshake with a game server, over one
// non-blocking UDP socket that the frame call polls. Nothing here ever waits. Failure
// messages read "What failed: why", with no colon before the reason.
#include "app/engine/ConnectHandshake.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class ServerConnection
{
public:
    enum class Phase
    {
        Idle,
        Challenging, // waiting for the challenge
        Connecting,  // waiting for accept or reject
        Connected,
        Failed,
    };

    ServerConnection() = default;
    ~ServerConnection();
    ServerConnection(const ServerConnection&) = delete;
    ServerConnection& operator=(const ServerConnection&) = delete;

    // Starts a handshake with "HOST:PORT" (or "HOST", port 27015). False with a
    // message in Failure() when the address is unusable or no socket opens.
    bool Start(const std::string& address, const std::string& name, const std::string& password, double now,
               double timeout, double resendInterval);
    // Sends, re-sends and reads what arrived, and keeps a connection alive; call once
    // per frame.
    void Poll(double now);
    // Tells a connected server goodbye and closes the socket.
    void Disconnect();

    Phase CurrentPhase() const { return m_phase; }
    // The last progress or failure message, for the status text.
    const std::string& Message() const { return m_message; }
    const std::string& HostName() const { return m_hostName; }
    const std::string& Map() const { return m_map; }
    const std::string& AddressText() const { return m_addressText; }
    std::array<uint8_t, 4> Address() const { return m_address; }

    static constexpr int kDefaultPort = 27015;
    // While connected, a game datagram goes to the server this often, so that it
    // keeps the player: servers drop players they hear nothing from.
    static constexpr double kKeepAliveSeconds = 5.0;

private:
    void Send(const HandshakeMessage& message);
    void SendBytes(const std::vector<uint8_t>& datagram);
    void Receive();
    void Handle(const HandshakeMessage& message);
    void Fail(const std::string& message);
    void CloseSocket();

    int m_socket = -1;
    Phase m_phase = Phase::Idle;
    std::array<uint8_t, 4> m_address{};
    uint16_t m_port = 0;
    std::string m_addressText;
    std::string m_name;
    std::string m_password;
    uint32_t m_challenge = 0;
    double m_deadline = 0.0;
    double m_nextSend = 0.0;
    double m_resendInterval = 1.0;
    std::string m_message;
    std::string m_hostName;
    std::string m_map;
};
