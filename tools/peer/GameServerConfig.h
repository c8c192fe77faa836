#pragma once
// How one peer game server presents itself and whom it lets in.
#include <cstdint>
#include <string>
#include <vector>

struct GameServerConfig
{
    uint16_t port = 27015; // 0: any free port
    std::string name = "Kestrel Peer";
    std::string map = "dm_yard";
    int maxPlayers = 16;
    int currentPlayers = 0;               // players already in (besides those that connect)
    std::string password;                 // empty: no password
    std::vector<std::string> bannedNames; // compared case-insensitively
    bool refuseFull = false;              // refuse every connect with "Server is full."
    bool silent = false;                  // answer nothing at all
};
