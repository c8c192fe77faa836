#include "peer/HandshakeResponder.h"
#include "app/engine/ConnectHandshake.h"

#include <gtest/gtest.h>

namespace {

const PeerAddress kAnn{0x7F000001, 40000};
const PeerAddress kBob{0x7F000001, 40001};

class Responder : public ::testing::Test
{
protected:
    HandshakeMessage Send(const HandshakeMessage& request, const PeerAddress& from)
    {
        const std::vector<uint8_t> bytes = EncodeHandshake(request);
        const PeerResponse response = RespondToHandshake(bytes.data(), bytes.size(), from, state);
        EXPECT_TRUE(response.handled);
        if (!response.reply)
            return HandshakeOf(HandshakeType::GetChallenge); // stands for "no reply"
        const auto reply = DecodeHandshake(response.reply->data(), response.reply->size());
        EXPECT_TRUE(reply);
        return reply ? *reply : HandshakeMessage{};
    }

    uint32_t Challenge(const PeerAddress& from)
    {
        const HandshakeMessage reply = Send(HandshakeOf(HandshakeType::GetChallenge), from);
        EXPECT_EQ(reply.type, HandshakeType::Challenge);
        return reply.challenge;
    }

    HandshakeMessage Connect(const PeerAddress& from, const std::string& name, const std::string& password)
    {
        HandshakeMessage request;
        request.type = HandshakeType::Connect;
        request.challenge = Challenge(from);
        request.name = name;
        request.password = password;
        return Send(request, from);
    }

    GameServerState state{GameServerConfig{}};
};

} // namespace

TEST_F(Responder, ChallengeThenConnectIsAccepted)
{
    state.Config().name = "Yard";
    state.Config().map = "dm_arena";
    const HandshakeMessage reply = Connect(kAnn, "Ann", "");
    ASSERT_EQ(reply.type, HandshakeType::Accept);
    EXPECT_EQ(reply.hostName, "Yard");
    EXPECT_EQ(reply.map, "dm_arena");
    ASSERT_EQ(state.ConnectedPlayers().size(), 1u);
    EXPECT_EQ(state.ConnectedPlayers()[0].name, "Ann");
}

TEST_F(Responder, SameSenderGetsTheSameChallenge)
{
    const uint32_t first = Challenge(kAnn);
    EXPECT_NE(first, 0u);
    EXPECT_EQ(Challenge(kAnn), first);
}

TEST_F(Responder, WrongOrMissingChallengeIsRefused)
{
    HandshakeMessage request;
    request.type = HandshakeType::Connect;
    request.challenge = 12345;
    request.name = "Ann";
    HandshakeMessage reply = Send(request, kAnn); // never asked for one
    EXPECT_EQ(reply.type, HandshakeType::Reject);
    EXPECT_EQ(reply.reason, kRefuseChallenge);
    request.challenge = Challenge(kBob); // someone else's
    reply = Send(request, kAnn);
    EXPECT_EQ(reply.reason, kRefuseChallenge);
    EXPECT_TRUE(state.ConnectedPlayers().empty());
}

TEST_F(Responder, PasswordMustMatch)
{
    state.Config().password = "secret";
    HandshakeMessage reply = Connect(kAnn, "Ann", "wrong");
    EXPECT_EQ(reply.type, HandshakeType::Reject);
    EXPECT_EQ(reply.reason, "BADPASSWORD");
    reply = Connect(kAnn, "Ann", "");
    EXPECT_EQ(reply.reason, "BADPASSWORD");
    reply = Connect(kAnn, "Ann", "secret");
    EXPECT_EQ(reply.type, HandshakeType::Accept);
}

TEST_F(Responder, FullServerRefusesNewcomersButKeepsReturningPlayers)
{
    state.Config().maxPlayers = 3;
    state.Config().currentPlayers = 2;
    EXPECT_EQ(Connect(kAnn, "Ann", "").type, HandshakeType::Accept);
    const HandshakeMessage refused = Connect(kBob, "Bob", "");
    EXPECT_EQ(refused.type, HandshakeType::Reject);
    EXPECT_EQ(refused.reason, "Server is full.");
    EXPECT_EQ(Connect(kAnn, "Ann", "").type, HandshakeType::Accept);
    EXPECT_EQ(state.PlayerCount(), 3);
}

TEST_F(Responder, DisconnectFreesTheSlot)
{
    state.Config().maxPlayers = 1;
    ASSERT_EQ(Connect(kAnn, "Ann", "").type, HandshakeType::Accept);
    HandshakeMessage goodbye;
    goodbye.type = HandshakeType::Disconnect;
    goodbye.challenge = 999; // not Ann's: ignored
    Send(goodbye, kAnn);
    EXPECT_EQ(state.PlayerCount(), 1);
    goodbye.challenge = state.ConnectedPlayers()[0].challenge;
    Send(goodbye, kAnn);
    EXPECT_EQ(state.PlayerCount(), 0);
    EXPECT_EQ(Connect(kBob, "Bob", "").type, HandshakeType::Accept);
}

TEST_F(Responder, BannedNamesRefuseFullAndProtocol)
{
    state.Config().bannedNames = {"Cheater"};
    HandshakeMessage reply = Connect(kAnn, "cheater", "");
    EXPECT_EQ(reply.reason, kRefuseBanned);

    HandshakeMessage request;
    request.type = HandshakeType::Connect;
    request.protocol = 44;
    request.challenge = Challenge(kBob);
    request.name = "Bob";
    EXPECT_EQ(Send(request, kBob).reason, kRefuseProtocol);

    state.Config().refuseFull = true;
    EXPECT_EQ(Connect(kBob, "Bob", "").reason, "Server is full.");
    EXPECT_TRUE(state.ConnectedPlayers().empty());
}

TEST_F(Responder, OtherDatagramsAreLeftToOtherProtocols)
{
    const std::string query("\xFF\xFF\xFF\xFFinfostring\n\0", 16);
    const PeerResponse response =
        RespondToHandshake(reinterpret_cast<const uint8_t*>(query.data()), query.size(), kAnn, state);
    EXPECT_FALSE(response.handled);
    EXPECT_FALSE(response.reply);
}

TEST(PeerChallenges, OldestChallengeIsForgottenWhenTheTableIsFull)
{
    GameServerState state{GameServerConfig{}};
    const PeerAddress first{1, 1};
    const uint32_t value = state.ChallengeFor(first);
    for (uint32_t i = 0; i < GameServerState::kMaxChallenges; ++i)
        state.ChallengeFor(PeerAddress{2, uint16_t(i)});
    EXPECT_FALSE(state.ChallengeMatches(first, value));
    EXPECT_TRUE(state.ChallengeMatches(PeerAddress{2, 5}, state.ChallengeFor(PeerAddress{2, 5})));
}
