#pragma once
// How one peer game server presents itself, whom it lets in and how it misbehaves.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// Replies a hostile server sends instead of good ones, to test the client's parsers.
enum class HostileReply
{
    None,
    WrongHeader,   // the long before the reply is not -1, or the type is wrong
    Truncated,     // the reply is cut in the middle of its data
    CountTooLarge, // player and rule counts larger than the data that follows
    LongStrings,   // names, values and keys far beyond what the client keeps
    Negative,      // negative player counts, frags, times and protocol
};

struct PeerPlayerInfo
{
    std::string name;
    int frags = 0;
    float seconds = 0.0f;
};

struct GameServerConfig
{
    uint16_t port = 27015; // 0: any free port
    std::string name = "Kestrel Peer";
    std::string map = "dm_yard";
    std::string gameDir = "vrel";
    std::string description = "Kestrel";
    int maxPlayers = 16;
    int currentPlayers = 0;               // players already in (besides those that connect)
    int protocol = 45;                    // network protocol version the server reports
    char type = 'd';                      // 'd' dedicated, 'l' listen, 'p' proxy
    char os = 'l';                        // 'w' Windows, 'l' Linux
    std::string password;                 // empty: no password
    std::vector<std::string> bannedNames; // compared case-insensitively
    std::vector<std::pair<std::string, std::string>> rules;
    bool refuseFull = false; // refuse every connect with "Server is full."
    bool silent = false;     // answer nothing at all
    int delayMs = 0;         // reply this much later
    double lossRate = 0.0;   // drop this share of requests (0 … 1)
    HostileReply hostile = HostileReply::None;
};
