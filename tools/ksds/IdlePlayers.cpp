#include "ksds/IdlePlayers.h"

#include <algorithm>

IdlePlayers::Seen* IdlePlayers::Find(const PeerAddress& address)
{
    const auto found = std::find_if(m_seen.begin(), m_seen.end(), [&](const Seen& s) { return s.address == address; });
    return found == m_seen.end() ? nullptr : &*found;
}

void IdlePlayers::Note(const PeerPlayer& player, double now, bool heard)
{
    Seen* seen = Find(player.address);
    if (!seen) {
        m_seen.push_back(Seen{player.address, player.challenge, player.name, now});
        return;
    }
    // A new connection from the same place replaced the player.
    if (heard || seen->challenge != player.challenge || seen->name != player.name)
        *seen = Seen{player.address, player.challenge, player.name, now};
}

void IdlePlayers::Heard(const PeerAddress& from, const GameServerState& state, double now)
{
    if (const PeerPlayer* player = state.PlayerAt(from))
        Note(*player, now, true);
}

std::vector<std::string> IdlePlayers::Sweep(GameServerState& state, double now)
{
    const std::vector<PeerPlayer>& players = state.ConnectedPlayers();
    for (const PeerPlayer& player : players)
        Note(player, now, false);
    // Players that said goodbye are forgotten.
    std::erase_if(m_seen, [&](const Seen& s) { return state.PlayerAt(s.address) == nullptr; });
    std::vector<std::string> dropped;
    std::erase_if(m_seen, [&](const Seen& s) {
        if (now - s.last <= m_timeout)
            return false;
        state.RemovePlayer(s.address, s.challenge);
        dropped.push_back(s.name);
        return true;
    });
    return dropped;
}
