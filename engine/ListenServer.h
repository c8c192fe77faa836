#pragma once
// The game server a listen game runs while its map does: one non-blocking UDP socket on
// the first free port of ten, polled by the frame call, answering the info, players and
// rules queries and the connect handshake (with the password) as a listen server. The
// player of this engine is its first player. Nothing here ever waits.
#include "peer/GameServerState.h"

#include <cstdint>
#include <memory>
#include <string>

class ListenServer
{
public:
    static constexpr int kPortCount = 10;
    static constexpr uint16_t kFirstPort = 27015;
    static constexpr size_t kMaxDatagram = 8192;
    static constexpr int kMaxDatagramsPerPoll = 64;

    struct Settings
    {
        std::string address; // empty: every interface
        uint16_t firstPort = kFirstPort;
        std::string hostName;
        std::string map;
        std::string gameDirectory;
        std::string password;
        std::string playerName;
        int maxPlayers = 2;
        bool lan = true;
    };

    ListenServer() = default;
    ~ListenServer();
    ListenServer(const ListenServer&) = delete;
    ListenServer& operator=(const ListenServer&) = delete;

    // Binds the first free port; false with the reason in error.
    bool Start(const Settings& settings, std::string& error);
    // Answers what has arrived; call once per frame.
    void Poll();
    void Stop();

    bool Running() const { return m_socket >= 0; }
    uint16_t Port() const { return m_port; }

private:
    int m_socket = -1;
    uint16_t m_port = 0;
    std::unique_ptr<GameServerState> m_state;
};
