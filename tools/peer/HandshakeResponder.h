#pragma once
// The game server's side of the connect handshake: turns one datagram into the
// reply, if any, and updates the server's players.
#include "peer/GameServerState.h"

#include <cstdint>
#include <optional>
#include <vector>

inline constexpr const char* kRefuseFull = "Server is full.";
inline constexpr const char* kRefuseBanned = "You have been banned from this server.";
inline constexpr const char* kRefuseChallenge = "Bad challenge.";
inline constexpr const char* kRefuseProtocol = "Server uses protocol version 45.";

// Result of offering a datagram to one of a server's protocols.
struct PeerResponse
{
    bool handled = false; // the datagram belonged to this protocol
    std::optional<std::vector<uint8_t>> reply;
};

PeerResponse RespondToHandshake(const uint8_t* data, size_t size, const PeerAddress& from, GameServerState& state);
