#pragma once
// One game server on loopback: a UDP socket on 127.0.0.1 whose datagrams are offered
// to the server's protocols in turn (the connect handshake and the query protocol,
// then any added ones), with the configured loss and delay. Runs on the thread's
// event loop; thousands of servers share it.
#include "peer/GameServerState.h"
#include "peer/HandshakeResponder.h"

#include <QUdpSocket>

#include <functional>
#include <memory>
#include <vector>

class PeerGameServer
{
public:
    static constexpr qint64 kMaxDatagram = 8192;

    // One protocol the server speaks: answers a datagram, or leaves it unhandled.
    using Protocol = std::function<PeerResponse(const uint8_t*, size_t, const PeerAddress&, GameServerState&)>;

    explicit PeerGameServer(GameServerConfig config);
    ~PeerGameServer();

    // Binds to 127.0.0.1 (or the address set below) on the configured port (0: a free
    // one). False on failure, with the reason in ErrorText().
    bool Start();
    // The stand-in dedicated server binds where its command line says; test peers never
    // change it.
    void SetBindAddress(const QHostAddress& address) { m_bindAddress = address; }
    uint16_t Port() const;
    QString ErrorText() const;

    GameServerState& State() { return m_state; }
    const GameServerState& State() const { return m_state; }
    // Adds a protocol after the connect handshake.
    void AddProtocol(Protocol protocol) { m_protocols.push_back(std::move(protocol)); }
    // Datagrams received so far, answered or not.
    int DatagramsReceived() const { return m_received; }

    // Reads and answers everything waiting; called from the socket's readiness signal.
    void ReadPending();

private:
    GameServerState m_state;
    std::unique_ptr<QUdpSocket> m_socket;
    QHostAddress m_bindAddress{QHostAddress::LocalHost};
    std::vector<Protocol> m_protocols;
    int m_received = 0;
};
