#pragma once
// The stand-in dedicated server: a game server of the test peers that answers the
// info, players and rules queries and the connect handshake as a dedicated server of
// the game, with the game.cfg variables of its game directory as rules. Runs in the
// base directory (the working directory) and logs to ksds.log there. Players that
// send nothing for IdlePlayers' time-out are dropped.
#include "ksds/IdlePlayers.h"
#include "ksds/KsdsOptions.h"
#include "peer/PeerGameServer.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTimer>

#include <memory>
#include <string>

class DedicatedServer
{
public:
    static constexpr const char* kLogFile = "ksds.log";
    // Exit codes of the program.
    static constexpr int kExitBadArguments = 2;
    static constexpr int kExitNoGame = 3;
    static constexpr int kExitNoMap = 4;
    static constexpr int kExitNoPort = 5;

    explicit DedicatedServer(KsdsOptions options, double idleTimeoutSeconds = IdlePlayers::kDefaultTimeoutSeconds);

    // Checks the game and the map, reads game.cfg and binds the first free port.
    // Returns 0, or the exit code with the reason in error.
    int Start(std::string& error);
    uint16_t Port() const { return m_server ? m_server->Port() : 0; }
    const GameServerConfig& Config() const { return m_config; }
    // The running server's players; null before a successful Start.
    const GameServerState* State() const { return m_server ? &m_server->State() : nullptr; }
    void Log(const std::string& line);

private:
    double Seconds() const { return double(m_clock.nsecsElapsed()) / 1e9; }
    void DropIdlePlayers();

    KsdsOptions m_options;
    GameServerConfig m_config;
    std::unique_ptr<PeerGameServer> m_server;
    QFile m_log;
    IdlePlayers m_idle;
    QElapsedTimer m_clock;
    QTimer m_idleSweep;
};
