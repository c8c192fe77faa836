#pragma once
// The game server's side of the query protocol: the info, players and rules
// replies, built with the launcher's message buffer exactly as the browser reads
// them, or broken in the configured hostile way.
#include "peer/GameServerState.h"
#include "peer/HandshakeResponder.h"

#include <vector>

// The players a query lists: the configured count as "Player N" entries, then the
// players that connected.
std::vector<PeerPlayerInfo> QueryPlayers(const GameServerState& state);

std::vector<uint8_t> BuildInfoReply(const GameServerState& state);
std::vector<uint8_t> BuildPlayersReply(const GameServerState& state);
std::vector<uint8_t> BuildRulesReply(const GameServerState& state);

PeerResponse RespondToQuery(const uint8_t* data, size_t size, const PeerAddress& from, GameServerState& state);
