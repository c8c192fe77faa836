#pragma once
// What the caller of a refresh asks of the query step.
#include <cstdint>

struct RefreshParams
{
    static constexpr double kDefaultTimeout = 2.0;
    static constexpr int32_t kDefaultRetries = 3;
    static constexpr double kDefaultIdleTimeout = 7.5;

    enum Flags : uint32_t
    {
        kRequestInfo = 2,
        kRequestPlayers = 4,
        kRequestRules = 8,
    };

    int32_t maxInFlight = 4;
    int32_t maxRetries = kDefaultRetries;
    double timeout = kDefaultTimeout;
    uint32_t flags = kRequestInfo;
    double idleTimeout = 0.0; // 0 means kDefaultIdleTimeout
    bool showNames = false;
};

// The time-out for one request: "-timeout" with a positive number, else 2 s.
double DefaultQueryTimeout();
// Re-sends before a request gives up: "-retries" with a number >= 0, else 3.
int32_t DefaultQueryRetries();
