#include "app/engine/ConnectHandshake.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::vector<uint8_t> Bytes(const std::string& text)
{
    return std::vector<uint8_t>(text.begin(), text.end());
}

std::optional<HandshakeMessage> Decode(const std::vector<uint8_t>& bytes)
{
    return DecodeHandshake(bytes.data(), bytes.size());
}

} // namespace

TEST(ConnectHandshake, DatagramLayouts)
{
    HandshakeMessage request;
    request.type = HandshakeType::GetChallenge;
    EXPECT_EQ(EncodeHandshake(request), Bytes(std::string("\xFF\xFF\xFF\xFFgetchallenge\0", 17)));

    HandshakeMessage challenge;
    challenge.type = HandshakeType::Challenge;
    challenge.challenge = 0x04030201;
    EXPECT_EQ(EncodeHandshake(challenge), Bytes(std::string("\xFF\xFF\xFF\xFF"
                                                            "challenge\0\x01\x02\x03\x04",
                                                            18)));

    HandshakeMessage connect;
    connect.type = HandshakeType::Connect;
    connect.challenge = 7;
    connect.name = "Ann";
    connect.password = "pw";
    EXPECT_EQ(EncodeHandshake(connect), Bytes(std::string("\xFF\xFF\xFF\xFF"
                                                          "connect\0\x2D\0\0\0\x07\0\0\0Ann\0pw\0",
                                                          27)));
}

TEST(ConnectHandshake, EveryMessageSurvivesTheRoundTrip)
{
    HandshakeMessage connect;
    connect.type = HandshakeType::Connect;
    connect.protocol = 44;
    connect.challenge = 0xDEADBEEF;
    connect.name = "Player One";
    connect.password = "";
    const auto decoded = Decode(EncodeHandshake(connect));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->type, HandshakeType::Connect);
    EXPECT_EQ(decoded->protocol, 44);
    EXPECT_EQ(decoded->challenge, 0xDEADBEEFu);
    EXPECT_EQ(decoded->name, "Player One");
    EXPECT_EQ(decoded->password, "");

    HandshakeMessage accept;
    accept.type = HandshakeType::Accept;
    accept.hostName = "Peer";
    accept.map = "dm_yard";
    const auto accepted = Decode(EncodeHandshake(accept));
    ASSERT_TRUE(accepted);
    EXPECT_EQ(accepted->hostName, "Peer");
    EXPECT_EQ(accepted->map, "dm_yard");

    HandshakeMessage reject;
    reject.type = HandshakeType::Reject;
    reject.reason = kRejectBadPassword;
    const auto rejected = Decode(EncodeHandshake(reject));
    ASSERT_TRUE(rejected);
    EXPECT_EQ(rejected->type, HandshakeType::Reject);
    EXPECT_EQ(rejected->reason, "BADPASSWORD");

    HandshakeMessage goodbye;
    goodbye.type = HandshakeType::Disconnect;
    goodbye.challenge = 99;
    const auto left = Decode(EncodeHandshake(goodbye));
    ASSERT_TRUE(left);
    EXPECT_EQ(left->type, HandshakeType::Disconnect);
    EXPECT_EQ(left->challenge, 99u);
}

TEST(ConnectHandshake, LongFieldsAreCutWhenWritten)
{
    HandshakeMessage reject;
    reject.type = HandshakeType::Reject;
    reject.reason = std::string(1000, 'r');
    const auto decoded = Decode(EncodeHandshake(reject));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->reason.size(), kMaxHandshakeText);
}

TEST(ConnectHandshake, MalformedDatagramsAreRefused)
{
    EXPECT_FALSE(DecodeHandshake(nullptr, 0));
    EXPECT_FALSE(Decode({}));
    EXPECT_FALSE(Decode(Bytes(std::string("\xFF\xFF\xFF", 3))));
    EXPECT_FALSE(Decode(Bytes(std::string("\xFE\xFF\xFF\xFFgetchallenge\0", 17))));
    // Unterminated command, unknown command, a query on the same port.
    EXPECT_FALSE(Decode(Bytes(std::string("\xFF\xFF\xFF\xFFgetchallenge", 16))));
    EXPECT_FALSE(Decode(Bytes(std::string("\xFF\xFF\xFF\xFFhello\0", 10))));
    EXPECT_FALSE(Decode(Bytes(std::string("\xFF\xFF\xFF\xFFinfostring\n\0", 16))));
    // Missing or truncated fields.
    EXPECT_FALSE(Decode(Bytes(std::string("\xFF\xFF\xFF\xFF"
                                          "challenge\0\x01\x02\x03",
                                          17))));
    EXPECT_FALSE(Decode(Bytes(std::string("\xFF\xFF\xFF\xFF"
                                          "connect\0\x2D\0\0\0\x07\0\0\0Ann\0pw",
                                          26))));
    EXPECT_FALSE(Decode(Bytes(std::string("\xFF\xFF\xFF\xFF"
                                          "accept\0host",
                                          15))));
    // A string field longer than the limit.
    std::string longName(kMaxHandshakeText + 1, 'n');
    EXPECT_FALSE(Decode(Bytes(std::string("\xFF\xFF\xFF\xFF"
                                          "connect\0\x2D\0\0\0\x07\0\0\0",
                                          20) +
                              longName + std::string("\0\0", 2))));
    // Larger than any datagram a peer sends.
    std::vector<uint8_t> huge(kMaxHandshakeDatagram + 1, 0);
    EXPECT_FALSE(Decode(huge));
}
