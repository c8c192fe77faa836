// The service sockets against scripted loopback servers: message framing in pieces,
// refused and malformed lengths, the end of the stream, refused connections, result
// names and sends that never raise SIGPIPE.
#include "ScriptedServer.h"
#include "online/service/EasyPylonSocket.h"
#include "online/service/ServiceMessage.h"
#include "online/service/SocketResult.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <latch>

namespace {

constexpr int kLong = 3000;

std::vector<uint8_t> Prefix(const std::vector<uint8_t>& bytes, size_t n)
{
    return std::vector<uint8_t>(bytes.begin(), bytes.begin() + long(n));
}

std::vector<uint8_t> LengthField(uint32_t length)
{
    return {uint8_t(length), uint8_t(length >> 8), uint8_t(length >> 16), uint8_t(length >> 24)};
}

struct Received
{
    int32_t result = -1;
    uint32_t length = 0, service = 0, type = 0;
    std::vector<uint8_t> bytes = std::vector<uint8_t>(EasyPylonSocket::kMaxMessage);
};

Received Receive(EasyPylonSocket& socket, int timeout)
{
    Received r;
    r.result = socket.RecvMessage(r.bytes.data(), uint32_t(r.bytes.size()), &r.length, &r.service, &r.type, timeout);
    return r;
}

} // namespace

TEST(ServiceFraming, ALengthFollowedByAStallTimesOutAndTheNextCallReadsTheBody)
{
    const auto message = ServiceBytes(30, 3, {1, 2, 3, 4, 5, 6, 7, 8});
    std::latch stalled(1);
    ScriptedServer server([&](int client) {
        ScriptedServer::SendAll(client, Prefix(message, 4));
        stalled.wait();
        ScriptedServer::SendAll(client, {message.begin() + 4, message.end()});
        ScriptedServer::WaitForClose(client);
    });
    EasyPylonSocket socket(EasySocket::kStream, EasyPylonSocket::kMaxMessage);
    ASSERT_EQ(socket.Connect("127.0.0.1", server.Port(), kLong, 1), ES_NO_ERROR);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Receive(socket, 60).result, ES_TIMED_OUT);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(55));
    EXPECT_EQ(socket.PartialBytes(), 4u);
    stalled.count_down();
    const Received r = Receive(socket, kLong);
    ASSERT_EQ(r.result, ES_NO_ERROR);
    EXPECT_EQ(r.length, message.size());
    EXPECT_EQ(r.service, 30u);
    EXPECT_EQ(r.type, 3u);
    EXPECT_EQ(Prefix(r.bytes, r.length), message);
}

TEST(ServiceFraming, AMessageDeliveredByteByByteArrivesWhole)
{
    std::vector<uint8_t> body(40);
    for (size_t i = 0; i < body.size(); ++i)
        body[i] = uint8_t(i * 7);
    const auto message = ServiceBytes(50, 7, body);
    ScriptedServer server([&](int client) {
        const int one = 1;
        ::setsockopt(client, IPPROTO_TCP, 1 /* TCP_NODELAY */, &one, sizeof one);
        for (uint8_t byte : message) {
            ScriptedServer::SendAll(client, {byte});
            std::this_thread::sleep_for(std::chrono::microseconds(300));
        }
        ScriptedServer::WaitForClose(client);
    });
    EasyPylonSocket socket(EasySocket::kStream, EasyPylonSocket::kMaxMessage);
    ASSERT_EQ(socket.Connect("127.0.0.1", server.Port(), kLong, 1), ES_NO_ERROR);
    const Received r = Receive(socket, kLong);
    ASSERT_EQ(r.result, ES_NO_ERROR);
    EXPECT_EQ(Prefix(r.bytes, r.length), message);
}

TEST(ServiceFraming, LengthsOutsideTheMessageRangeAreRefused)
{
    struct Case
    {
        uint32_t length;
        int32_t expected;
    };
    for (const Case c : {Case{8, ES_INVALID_TMSG}, Case{0, ES_INVALID_TMSG}, Case{40000, ES_TMSG_TOO_LARGE},
                         Case{0xFFFFFFFF, ES_TMSG_TOO_LARGE}, Case{12, ES_NO_ERROR}}) {
        SCOPED_TRACE(c.length);
        std::vector<uint8_t> bytes = LengthField(c.length);
        bytes.resize(12, 0);
        ScriptedServer server([&](int client) {
            ScriptedServer::SendAll(client, bytes);
            ScriptedServer::WaitForClose(client);
        });
        EasyPylonSocket socket(EasySocket::kStream, EasyPylonSocket::kMaxMessage);
        ASSERT_EQ(socket.Connect("127.0.0.1", server.Port(), kLong, 1), ES_NO_ERROR);
        const Received r = Receive(socket, kLong);
        EXPECT_EQ(r.result, c.expected);
        if (c.expected == ES_NO_ERROR) {
            EXPECT_EQ(r.length, 12u);
        }
        socket.Close();
    }
}

TEST(ServiceFraming, AMessageLongerThanTheCallersBufferIsRefused)
{
    const auto message = ServiceBytes(30, 3, std::vector<uint8_t>(100, 1));
    ScriptedServer server([&](int client) {
        ScriptedServer::SendAll(client, message);
        ScriptedServer::WaitForClose(client);
    });
    EasyPylonSocket socket(EasySocket::kStream, EasyPylonSocket::kMaxMessage);
    ASSERT_EQ(socket.Connect("127.0.0.1", server.Port(), kLong, 1), ES_NO_ERROR);
    std::vector<uint8_t> small(64);
    EXPECT_EQ(socket.RecvMessage(small.data(), uint32_t(small.size()), nullptr, nullptr, nullptr, kLong),
              ES_TMSG_TOO_LARGE);
}

TEST(ServiceFraming, TheEndOfTheStreamIsReportedNotTimedOut)
{
    const auto message = ServiceBytes(30, 3, std::vector<uint8_t>(20, 1));
    struct Case
    {
        size_t sent;
        int32_t expected;
    };
    for (const Case c : {Case{0, ES_SHUTDOWN}, Case{2, ES_DISCONNECTED}, Case{10, ES_DISCONNECTED}}) {
        SCOPED_TRACE(c.sent);
        ScriptedServer server([&](int client) { ScriptedServer::SendAll(client, Prefix(message, c.sent)); });
        EasyPylonSocket socket(EasySocket::kStream, EasyPylonSocket::kMaxMessage);
        ASSERT_EQ(socket.Connect("127.0.0.1", server.Port(), kLong, 1), ES_NO_ERROR);
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(Receive(socket, kLong).result, c.expected);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(kLong / 2));
    }
}

TEST(ServiceFraming, AReconnectAfterAPartialMessageStartsAFreshMessage)
{
    const auto first = ServiceBytes(30, 3, std::vector<uint8_t>(30, 1));
    const auto second = ServiceBytes(10, 1, {2, 0, 1, 0x87, 0x69});
    ScriptedServer partial([&](int client) {
        ScriptedServer::SendAll(client, Prefix(first, 6));
        ScriptedServer::WaitForClose(client);
    });
    ScriptedServer whole([&](int client) {
        ScriptedServer::SendAll(client, second);
        ScriptedServer::WaitForClose(client);
    });
    EasyPylonSocket socket(EasySocket::kStream, EasyPylonSocket::kMaxMessage);
    ASSERT_EQ(socket.Connect("127.0.0.1", partial.Port(), kLong, 1), ES_NO_ERROR);
    EXPECT_EQ(Receive(socket, 50).result, ES_TIMED_OUT);
    EXPECT_EQ(socket.PartialBytes(), 6u);
    ASSERT_EQ(socket.Connect("127.0.0.1", whole.Port(), kLong, 1), ES_NO_ERROR);
    const Received r = Receive(socket, kLong);
    ASSERT_EQ(r.result, ES_NO_ERROR);
    EXPECT_EQ(Prefix(r.bytes, r.length), second);
}

TEST(ServiceSocket, ARefusedConnectionIsAnError)
{
    // A port that was just free and has no listener.
    uint16_t port = 0;
    {
        ScriptedServer probe([](int) {});
        port = probe.Port();
        EasySocket knock(EasySocket::kStream);
        knock.Connect("127.0.0.1", port, kLong, 1);
    }
    EasySocket socket(EasySocket::kStream);
    EXPECT_EQ(socket.Connect("127.0.0.1", port, kLong, 1), kWsaConnectionRefused);
    EXPECT_FALSE(socket.IsConnected());
    EXPECT_EQ(socket.Connect("", port, kLong, 1), ES_INVALID_ADDR);
}

TEST(ServiceSocket, SendingToAClosedPeerReturnsAnErrorWithoutSignal)
{
    ScriptedServer server([](int client) {
        // A reset, so the next sends fail at once.
        linger hard{1, 0};
        ::setsockopt(client, SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
    });
    EasySocket socket(EasySocket::kStream);
    ASSERT_EQ(socket.Connect("127.0.0.1", server.Port(), kLong, 1), ES_NO_ERROR);
    std::vector<uint8_t> block(4096, 1);
    int32_t result = ES_NO_ERROR;
    for (int i = 0; i < 200 && result == ES_NO_ERROR; ++i) {
        result = socket.Send(block.data(), uint32_t(block.size()), nullptr, 200);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EXPECT_NE(result, ES_NO_ERROR);
    EXPECT_FALSE(ErrorName(result).empty());
}

TEST(ServiceSocket, TypesAndDatagramRules)
{
    EasySocket none(EasySocket::kNoType);
    EXPECT_EQ(none.Open(), ES_ERROR_NO_TYPE);
    EXPECT_FALSE(none.IsOpen());

    EasySocket stream(EasySocket::kStream);
    EXPECT_EQ(stream.SendTo("x", 1, "127.0.0.1", 9, 10), ES_ERROR_STREAM_NOT_ALLOWED);
    uint32_t got = 0;
    EXPECT_EQ(stream.Recv(&got, 4, &got, 10), ES_INVALID_SOCKET);

    // A datagram socket keeps its socket when its association is dissolved.
    EasySocket datagram(EasySocket::kDatagram);
    ASSERT_EQ(datagram.Connect("127.0.0.1", 9, 0, 1), ES_NO_ERROR);
    EXPECT_TRUE(datagram.IsConnected());
    datagram.Disconnect();
    EXPECT_FALSE(datagram.IsConnected());
    EXPECT_TRUE(datagram.IsOpen());
    EXPECT_EQ(datagram.RecvFrom(&got, 4, &got, 5), ES_TIMED_OUT);
}

TEST(ServiceSocket, ADatagramMessageRoundTripsWithItsSender)
{
    EasySocket receiver(EasySocket::kDatagram);
    ASSERT_EQ(receiver.Open(), ES_NO_ERROR);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(::bind(receiver.Handle(), reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    socklen_t length = sizeof address;
    ::getsockname(receiver.Handle(), reinterpret_cast<sockaddr*>(&address), &length);

    WriteBuffer datagram(256);
    ServiceMessage::BeginDatagram(datagram, 1, 2);
    datagram.AppendShort(7);
    datagram.AppendShort(12);
    EasySocket sender(EasySocket::kDatagram);
    ASSERT_EQ(sender.SendTo(datagram.Data(), datagram.Size(), "127.0.0.1", ntohs(address.sin_port), 10), ES_NO_ERROR);

    uint8_t bytes[64];
    uint32_t got = 0, from = 0;
    uint16_t fromPort = 0;
    ASSERT_EQ(receiver.RecvFrom(bytes, sizeof bytes, &got, kLong, &from, &fromPort), ES_NO_ERROR);
    EXPECT_EQ(from, 0x7F000001u);
    EXPECT_NE(fromPort, 0);
    ReadBuffer body;
    const auto header = ServiceMessage::ParseDatagram(bytes, got, body);
    ASSERT_TRUE(header);
    EXPECT_EQ(header->serviceType, 1);
    EXPECT_EQ(header->messageType, 2);
    uint16_t tag = 0, users = 0;
    EXPECT_TRUE(body.ReadShort(tag) && body.ReadShort(users));
    EXPECT_EQ(tag, 7);
    EXPECT_EQ(users, 12);
    bytes[0] = 4;
    EXPECT_FALSE(ServiceMessage::ParseDatagram(bytes, got, body));
    EXPECT_FALSE(ServiceMessage::ParseDatagram(bytes, 2, body));
}

TEST(ServiceSocket, ResultNames)
{
    EXPECT_EQ(ErrorName(0), "ES_NO_ERROR");
    EXPECT_EQ(ErrorName(12), "ES_TIMED_OUT");
    EXPECT_EQ(ErrorName(14), "ES_SHUTDOWN");
    EXPECT_EQ(ErrorName(10060), "ES_WSAETIMEDOUT");
    EXPECT_EQ(ErrorName(10061), "ES_WSAECONNREFUSED");
    EXPECT_EQ(ErrorName(10101), "ES_WSAEDISCON");
    EXPECT_EQ(ErrorName(999), "");
    EXPECT_EQ(ErrorName(10001), "");
    EXPECT_EQ(SocketErrorFromErrno(ECONNREFUSED), 10061);
    EXPECT_EQ(SocketErrorFromErrno(EPIPE), 10054);
    // An error without a counterpart never reads as success.
    EXPECT_NE(SocketErrorFromErrno(EOWNERDEAD), 0);
    EXPECT_NE(SocketErrorFromErrno(123456), 0);
}
