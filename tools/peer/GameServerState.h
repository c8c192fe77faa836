#pragma once
// What a peer game server knows while it runs: its configuration, the challenges it
// handed out and the players that connected. Free of sockets, so the protocols that
// answer from it are tested without a network.
#include "peer/GameServerConfig.h"

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

// A sender: IPv4 address in host order and port.
struct PeerAddress
{
    uint32_t ip = 0;
    uint16_t port = 0;
    bool operator==(const PeerAddress&) const = default;
};

struct PeerPlayer
{
    std::string name;
    PeerAddress address;
    uint32_t challenge = 0;
};

class GameServerState
{
public:
    static constexpr size_t kMaxChallenges = 4096;

    explicit GameServerState(GameServerConfig config) : m_config(std::move(config)) {}

    const GameServerConfig& Config() const { return m_config; }
    GameServerConfig& Config() { return m_config; }

    // A challenge for the sender; the same one again while it is remembered.
    uint32_t ChallengeFor(const PeerAddress& from);
    bool ChallengeMatches(const PeerAddress& from, uint32_t challenge) const;

    // Players in the game: the configured ones and those that connected.
    int PlayerCount() const { return m_config.currentPlayers + int(m_players.size()); }
    const std::vector<PeerPlayer>& ConnectedPlayers() const { return m_players; }
    const PeerPlayer* PlayerAt(const PeerAddress& from) const;
    // Adds a player, replacing an earlier connection from the same address.
    void AddPlayer(PeerPlayer player);
    bool RemovePlayer(const PeerAddress& from, uint32_t challenge);
    bool IsBanned(const std::string& name) const;

private:
    struct Challenge
    {
        PeerAddress address;
        uint32_t value = 0;
    };

    GameServerConfig m_config;
    std::deque<Challenge> m_challenges;
    std::vector<PeerPlayer> m_players;
};
