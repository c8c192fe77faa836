#include "peer/GameServerState.h"

#include <QRandomGenerator>

#include <strings.h>

uint32_t GameServerState::ChallengeFor(const PeerAddress& from)
{
    for (const Challenge& known : m_challenges)
        if (known.address == from)
            return known.value;
    if (m_challenges.size() >= kMaxChallenges)
        m_challenges.pop_front();
    uint32_t value = 0;
    while (value == 0)
        value = QRandomGenerator::global()->generate();
    m_challenges.push_back(Challenge{from, value});
    return value;
}

bool GameServerState::ChallengeMatches(const PeerAddress& from, uint32_t challenge) const
{
    for (const Challenge& known : m_challenges)
        if (known.address == from)
            return known.value == challenge;
    return false;
}

const PeerPlayer* GameServerState::PlayerAt(const PeerAddress& from) const
{
    for (const PeerPlayer& player : m_players)
        if (player.address == from)
            return &player;
    return nullptr;
}

void GameServerState::AddPlayer(PeerPlayer player)
{
    for (PeerPlayer& existing : m_players) {
        if (existing.address == player.address) {
            existing = std::move(player);
            return;
        }
    }
    m_players.push_back(std::move(player));
}

bool GameServerState::RemovePlayer(const PeerAddress& from, uint32_t challenge)
{
    for (auto it = m_players.begin(); it != m_players.end(); ++it) {
        if (it->address == from && it->challenge == challenge) {
            m_players.erase(it);
            return true;
        }
    }
    return false;
}

bool GameServerState::IsBanned(const std::string& name) const
{
    for (const std::string& banned : m_config.bannedNames)
        if (strcasecmp(banned.c_str(), name.c_str()) == 0)
            return true;
    return false;
}
