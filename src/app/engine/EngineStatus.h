#pragma once
// The fields of the engine's 320-byte status record that the launcher reads.
#include "app/engine/EngineInterface.h"

#include <array>
#include <cstdint>
#include <string>

struct EngineStatus
{
    int maxClients = 0;               // offset 8
    int localServer = 0;              // offset 44
    std::array<uint8_t, 4> address{}; // offset 48, a.b.c.d
    std::string text;                 // offset 54, the last connection message
    int connectionState = 0;          // offset 312
    int active = 0;                   // offset 316

    // The engine plays a multiplayer game: a local server for more than one player,
    // or a connection to a server.
    bool InMultiplayerGame() const { return localServer != 0 ? maxClients > 1 : connectionState != kConnectionNone; }
    // Connected to a game that is being played.
    bool Playing() const { return connectionState == kConnectionPlaying && active != 0; }
};

// Reads the record; a status text without a NUL inside the record ends at the
// record's end.
EngineStatus ReadEngineStatus(const uint8_t (&record)[kEngineStatusRecordBytes]);
