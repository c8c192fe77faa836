#include "peer/HandshakeResponder.h"

#include "app/engine/ConnectHandshake.h"

namespace {

std::vector<uint8_t> Reject(const char* reason)
{
    HandshakeMessage reply;
    reply.type = HandshakeType::Reject;
    reply.reason = reason;
    return EncodeHandshake(reply);
}

const char* RefusalFor(const HandshakeMessage& request, const PeerAddress& from, const GameServerState& state)
{
    const GameServerConfig& config = state.Config();
    if (request.protocol != kGameProtocolVersion)
        return kRefuseProtocol;
    if (!state.ChallengeMatches(from, request.challenge))
        return kRefuseChallenge;
    if (state.IsBanned(request.name))
        return kRefuseBanned;
    if (!config.password.empty() && request.password != config.password)
        return kRejectBadPassword;
    // A player connecting again from the same place keeps the slot.
    const bool returning = state.PlayerAt(from) != nullptr;
    if (config.refuseFull || (!returning && state.PlayerCount() >= config.maxPlayers))
        return kRefuseFull;
    return nullptr;
}

} // namespace

PeerResponse RespondToHandshake(const uint8_t* data, size_t size, const PeerAddress& from, GameServerState& state)
{
    const std::optional<HandshakeMessage> request = DecodeHandshake(data, size);
    if (!request)
        return {};
    PeerResponse response;
    response.handled = true;
    switch (request->type) {
    case HandshakeType::GetChallenge: {
        HandshakeMessage reply;
        reply.type = HandshakeType::Challenge;
        reply.challenge = state.ChallengeFor(from);
        response.reply = EncodeHandshake(reply);
        break;
    }
    case HandshakeType::Connect: {
        if (const char* refusal = RefusalFor(*request, from, state)) {
            response.reply = Reject(refusal);
            break;
        }
        state.AddPlayer(PeerPlayer{request->name, from, request->challenge});
        HandshakeMessage reply;
        reply.type = HandshakeType::Accept;
        reply.hostName = state.Config().name;
        reply.map = state.Config().map;
        response.reply = EncodeHandshake(reply);
        break;
    }
    case HandshakeType::Disconnect:
        state.RemovePlayer(from, request->challenge);
        break;
    default:
        // Server-to-client messages sent to a server are ignored.
        break;
    }
    return response;
}
