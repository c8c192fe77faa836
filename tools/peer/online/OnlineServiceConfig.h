#pragma once
// What the loopback online service runs: a directory server, factory servers, the
// permanent rooms, the key folder, session lifetime and the faults armed at start.
#include "peer/online/OnlineFault.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

struct OnlineServiceConfig
{
    // Directory server port on 127.0.0.1 (0: any free port).
    uint16_t directoryPort = 0;
    int factories = 1;
    // "NAME" or "NAME:PASSWORD".
    std::vector<std::string> rooms{"Lobby"};
    // Robots chatting in the first room, a line every robotInterval seconds.
    bool robots = false;
    int robotInterval = 4;
    // Where the verifier key is kept; empty: a key in memory for this run only.
    std::string keyFolder;
    int sessionLifetime = 600;
    // A connection that brings no whole request for this long is closed, so idle
    // clients cannot hold every connection slot.
    int idleTimeoutMs = 30000;
    // Fault and the number of replies it applies to (-1: every one).
    std::vector<std::pair<OnlineFault, int>> faults;
};
