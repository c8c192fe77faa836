// The stand-in engine's listen server answers hostile host names and a full house of
// long player names with replies a browser reads whole.
#include "EngineFixture.h"
#include "app/engine/ConnectHandshake.h"

#include <QNetworkDatagram>
#include <QUdpSocket>

namespace {

constexpr uint16_t kListenPort = 31190;

QByteArray Datagram(const std::vector<uint8_t>& bytes)
{
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
}

} // namespace

TEST_F(EngineFixture, ListenServerRepliesStayWholeWithHostileNamesAndAFullHouse)
{
    ASSERT_EQ(host.StartEngine(false), 1);
    host.AddCommandText("ip 127.0.0.1\nport " + std::to_string(kListenPort) +
                        "\nhostname evil\\map\\pwned\\password\\0\nsv_password pw\nmaxplayers 32\nmap dm_arena\n");
    host.EngineFrame(true);
    const uint16_t port = uint16_t(std::stoi(host.ConsoleVariable("sv_listenport")));
    ASSERT_GE(port, kListenPort);

    // 31 players with names as long as a connect carries fill the server.
    std::vector<std::unique_ptr<QUdpSocket>> players;
    for (int i = 0; i < 31; ++i) {
        players.push_back(std::make_unique<QUdpSocket>());
        ASSERT_TRUE(players.back()->bind(QHostAddress::LocalHost, 0));
        players.back()->writeDatagram(Datagram(EncodeHandshake(HandshakeOf(HandshakeType::GetChallenge))),
                                      QHostAddress::LocalHost, port);
    }
    int accepted = 0;
    ASSERT_TRUE(RunUntil([&] {
        for (size_t i = 0; i < players.size(); ++i) {
            while (players[i]->hasPendingDatagrams()) {
                const QByteArray data = players[i]->receiveDatagram().data();
                const auto reply = DecodeHandshake(reinterpret_cast<const uint8_t*>(data.constData()),
                                                   size_t(data.size()));
                if (reply && reply->type == HandshakeType::Challenge) {
                    HandshakeMessage connect = HandshakeOf(HandshakeType::Connect);
                    connect.challenge = reply->challenge;
                    connect.name = std::string(kMaxHandshakeText - 3, 'n') + std::to_string(100 + i);
                    connect.password = "pw";
                    players[i]->writeDatagram(Datagram(EncodeHandshake(connect)), QHostAddress::LocalHost, port);
                } else if (reply && reply->type == HandshakeType::Accept) {
                    ++accepted;
                }
            }
        }
        return accepted == 31;
    }));

    QUdpSocket query;
    ASSERT_TRUE(query.bind(QHostAddress::LocalHost, 0));
    const auto ask = [&](const QByteArray& request) {
        query.writeDatagram(request, QHostAddress::LocalHost, port);
        QByteArray reply;
        RunUntil([&] {
            if (query.hasPendingDatagrams())
                reply = query.receiveDatagram().data();
            return !reply.isEmpty();
        });
        return reply;
    };
    const QByteArray info = ask(QByteArray("\xFF\xFF\xFF\xFFinfostring\n", 16));
    EXPECT_TRUE(info.contains("\\hostname\\evilmappwnedpassword0\\map\\dm_arena\\")) << info.toStdString();
    EXPECT_TRUE(info.contains("\\password\\1")) << info.toStdString();
    const QByteArray list = ask(QByteArray("\xFF\xFF\xFF\xFFplayers", 12));
    ASSERT_GT(list.size(), 6);
    EXPECT_LE(list.size(), 8192);
    EXPECT_EQ(list[4], 'D');
    EXPECT_GE(uint8_t(list[5]), 25);
}
