// Peer game servers on real loopback sockets.
#include "peer/PeerGameServer.h"
#include "app/engine/ConnectHandshake.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QNetworkDatagram>
#include <QUdpSocket>
#include <QVariant>
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <optional>

namespace {

QByteArray Datagram(const HandshakeMessage& message)
{
    const std::vector<uint8_t> bytes = EncodeHandshake(message);
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
}

// Waits up to timeoutMs for one reply, running the event loop meanwhile.
std::optional<HandshakeMessage> AwaitReply(QUdpSocket& socket, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < timeoutMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        if (socket.hasPendingDatagrams()) {
            const QByteArray data = socket.receiveDatagram().data();
            return DecodeHandshake(reinterpret_cast<const uint8_t*>(data.constData()), size_t(data.size()));
        }
    }
    return std::nullopt;
}

} // namespace

TEST(PeerGameServer, ManyServersAnswerOnTheirOwnPortsInOneThread)
{
    std::vector<std::unique_ptr<PeerGameServer>> servers;
    for (int i = 0; i < 3; ++i) {
        GameServerConfig config;
        config.port = 0;
        config.map = "map" + std::to_string(i);
        servers.push_back(std::make_unique<PeerGameServer>(config));
        ASSERT_TRUE(servers.back()->Start()) << servers.back()->ErrorText().toStdString();
    }
    QUdpSocket client;
    ASSERT_TRUE(client.bind(QHostAddress(QHostAddress::LocalHost), 0));
    for (size_t i = 0; i < servers.size(); ++i) {
        const quint16 port = servers[i]->Port();
        client.writeDatagram(Datagram(HandshakeOf(HandshakeType::GetChallenge)), QHostAddress::LocalHost, port);
        const auto challenge = AwaitReply(client, 2000);
        ASSERT_TRUE(challenge);
        ASSERT_EQ(challenge->type, HandshakeType::Challenge);

        HandshakeMessage connect;
        connect.type = HandshakeType::Connect;
        connect.challenge = challenge->challenge;
        connect.name = "Ann";
        client.writeDatagram(Datagram(connect), QHostAddress::LocalHost, port);
        const auto accept = AwaitReply(client, 2000);
        ASSERT_TRUE(accept);
        EXPECT_EQ(accept->type, HandshakeType::Accept);
        EXPECT_EQ(accept->map, "map" + std::to_string(i));
        EXPECT_EQ(servers[i]->State().PlayerCount(), 1);
    }
}

TEST(PeerGameServer, SilentServerReadsButNeverAnswers)
{
    GameServerConfig config;
    config.port = 0;
    config.silent = true;
    PeerGameServer server(config);
    ASSERT_TRUE(server.Start());
    QUdpSocket client;
    ASSERT_TRUE(client.bind(QHostAddress(QHostAddress::LocalHost), 0));
    client.writeDatagram(Datagram(HandshakeOf(HandshakeType::GetChallenge)), QHostAddress::LocalHost, server.Port());
    EXPECT_FALSE(AwaitReply(client, 300));
    EXPECT_EQ(server.DatagramsReceived(), 1);
}

TEST(PeerGameServer, UnknownDatagramsGetNoReply)
{
    GameServerConfig config;
    config.port = 0;
    PeerGameServer server(config);
    ASSERT_TRUE(server.Start());
    QUdpSocket client;
    ASSERT_TRUE(client.bind(QHostAddress(QHostAddress::LocalHost), 0));
    client.writeDatagram(QByteArray("\xFF\xFF\xFF\xFFnonsense", 12), QHostAddress::LocalHost, server.Port());
    EXPECT_FALSE(AwaitReply(client, 300));
    EXPECT_EQ(server.DatagramsReceived(), 1);
}

namespace {

QByteArray InfoRequest()
{
    return QByteArray("\xFF\xFF\xFF\xFFinfostring\n", 16);
}

// Runs the event loop until done() holds or timeoutMs pass.
template <typename Done>
bool RunUntil(Done done, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return done();
}

} // namespace

TEST(PeerGameServer, HundredsOfServersInOneThreadAnswerEveryDatagram)
{
    // More servers than one wake-up of the shared loop handles, several datagrams each,
    // some answered at once and some after a delay.
    constexpr int kServers = 250;
    constexpr int kRequestsEach = 2;
    std::vector<std::unique_ptr<PeerGameServer>> servers;
    std::map<quint16, int> repliesFrom;
    for (int i = 0; i < kServers; ++i) {
        GameServerConfig config;
        config.port = 0;
        config.delayMs = i % 5 == 0 ? 2 : 0;
        servers.push_back(std::make_unique<PeerGameServer>(config));
        ASSERT_TRUE(servers.back()->Start()) << servers.back()->ErrorText().toStdString();
        repliesFrom[servers.back()->Port()] = 0;
    }
    ASSERT_EQ(repliesFrom.size(), size_t(kServers));
    QUdpSocket client;
    ASSERT_TRUE(client.bind(QHostAddress(QHostAddress::LocalHost), 0));
    client.setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption, QVariant(1 << 22));
    for (int round = 0; round < kRequestsEach; ++round)
        for (const auto& server : servers)
            client.writeDatagram(InfoRequest(), QHostAddress::LocalHost, server->Port());

    int replies = 0;
    const bool all = RunUntil(
        [&] {
            while (client.hasPendingDatagrams()) {
                const QNetworkDatagram reply = client.receiveDatagram();
                if (reply.data().contains("infostringresponse")) {
                    ++repliesFrom[quint16(reply.senderPort())];
                    ++replies;
                }
            }
            return replies == kServers * kRequestsEach;
        },
        5000);
    EXPECT_TRUE(all) << replies << " replies";
    for (const auto& [port, count] : repliesFrom)
        EXPECT_EQ(count, kRequestsEach) << "port " << port;
    for (const auto& server : servers)
        EXPECT_EQ(server->DatagramsReceived(), kRequestsEach);
}

TEST(PeerGameServer, ServerDestroyedWithDelayedReplyPendingSendsNothing)
{
    GameServerConfig config;
    config.port = 0;
    config.delayMs = 100;
    auto server = std::make_unique<PeerGameServer>(config);
    ASSERT_TRUE(server->Start());
    QUdpSocket client;
    ASSERT_TRUE(client.bind(QHostAddress(QHostAddress::LocalHost), 0));
    client.writeDatagram(InfoRequest(), QHostAddress::LocalHost, server->Port());
    ASSERT_TRUE(RunUntil([&] { return server->DatagramsReceived() == 1; }, 2000));
    server.reset();

    // A successor likely takes the same memory and descriptor: a reply that outlived its
    // server would go out through it.
    const auto successor = std::make_unique<PeerGameServer>(config);
    ASSERT_TRUE(successor->Start());
    RunUntil([] { return false; }, 300);
    EXPECT_FALSE(client.hasPendingDatagrams());
    // The thread's loop still serves the successor.
    client.writeDatagram(InfoRequest(), QHostAddress::LocalHost, successor->Port());
    EXPECT_TRUE(RunUntil([&] { return client.hasPendingDatagrams(); }, 2000));
}
