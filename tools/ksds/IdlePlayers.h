#pragma once
// The players of the stand-in dedicated server that have sent nothing for a while are
// dropped, which frees their slots. A player is heard when a datagram of the game
// (one that is neither a handshake nor a query) arrives from its address, and when it
// joins or connects again with a new challenge or name.
#include "peer/GameServerState.h"

#include <string>
#include <vector>

class IdlePlayers
{
public:
    static constexpr double kDefaultTimeoutSeconds = 30.0;

    explicit IdlePlayers(double timeoutSeconds = kDefaultTimeoutSeconds) : m_timeout(timeoutSeconds) {}

    double TimeoutSeconds() const { return m_timeout; }
    // A datagram from the address arrived at now (seconds on any steady clock).
    void Heard(const PeerAddress& from, const GameServerState& state, double now);
    // Takes note of players that joined since the last call, then removes from the
    // state those not heard for longer than the time-out. Returns their names.
    std::vector<std::string> Sweep(GameServerState& state, double now);

private:
    struct Seen
    {
        PeerAddress address;
        uint32_t challenge = 0;
        std::string name;
        double last = 0.0;
    };

    Seen* Find(const PeerAddress& address);
    void Note(const PeerPlayer& player, double now, bool heard);

    double m_timeout;
    std::vector<Seen> m_seen; // one per connected player
};
