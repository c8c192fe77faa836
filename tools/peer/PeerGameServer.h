#pragma once
// One game server on loopback: a UDP socket on 127.0.0.1 whose datagrams are offered
// to the server's protocols in turn (the connect handshake and the query protocol,
// then any added ones), with the configured loss and delay. Thousands of servers share
// a thread: their sockets are plain non-blocking descriptors heard through the thread's
// one PeerSocketLoop, not one Qt socket notifier each.
#include "peer/GameServerState.h"
#include "peer/HandshakeResponder.h"
#include "peer/PeerSocketLoop.h"

#include <QHostAddress>
#include <QObject>

#include <netinet/in.h>

#include <functional>
#include <memory>
#include <vector>

class PeerGameServer final : private PeerSocketLoop::Listener
{
public:
    static constexpr qint64 kMaxDatagram = 8192;
    // Datagrams read per readiness before the other servers get their turn; the rest
    // are read on the next wake-up.
    static constexpr int kMaxReadsPerWake = 256;

    // One protocol the server speaks: answers a datagram, or leaves it unhandled.
    using Protocol = std::function<PeerResponse(const uint8_t*, size_t, const PeerAddress&, GameServerState&)>;

    explicit PeerGameServer(GameServerConfig config);
    PeerGameServer(const PeerGameServer&) = delete;
    PeerGameServer& operator=(const PeerGameServer&) = delete;
    ~PeerGameServer();

    // Binds to 127.0.0.1 (or the address set below) on the configured port (0: a free
    // one). False on failure, with the reason in ErrorText().
    bool Start();
    // The stand-in dedicated server binds where its command line says; test peers never
    // change it. IPv4 only.
    void SetBindAddress(const QHostAddress& address) { m_bindAddress = address; }
    uint16_t Port() const { return m_port; }
    QString ErrorText() const { return m_error; }

    GameServerState& State() { return m_state; }
    const GameServerState& State() const { return m_state; }
    // Adds a protocol after the connect handshake.
    void AddProtocol(Protocol protocol) { m_protocols.push_back(std::move(protocol)); }
    // Datagrams received so far, answered or not.
    int DatagramsReceived() const { return m_received; }

    // Reads and answers everything waiting; called when the socket loop finds the
    // socket readable.
    void ReadPending() override;

private:
    bool Fail(const QString& what);
    void Answer(const uint8_t* data, size_t size, const sockaddr_in& from);
    void Send(const std::vector<uint8_t>& reply, const sockaddr_in& to) const;
    void CloseSocket();

    GameServerState m_state;
    QHostAddress m_bindAddress{QHostAddress::LocalHost};
    std::vector<Protocol> m_protocols;
    std::shared_ptr<PeerSocketLoop> m_loop;
    // Context of the delayed replies' timers: destroyed with the server, it cancels
    // the replies still waiting.
    std::unique_ptr<QObject> m_pendingReplies;
    QString m_error;
    int m_socket = -1;
    uint16_t m_port = 0;
    int m_received = 0;
};
