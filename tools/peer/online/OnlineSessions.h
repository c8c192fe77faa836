#pragma once
// The loopback service's sessions: each has an id, a Blowfish key and its sequence
// numbers, and outlives the connection that opened it until it has been idle for the
// lifetime.
#include "platform/crypto/BlowfishKey.h"

#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <mutex>

struct OnlineSession
{
    uint16_t id = 0;
    std::unique_ptr<BlowfishKey> key;
    bool sequenced = true;
    uint16_t inSequence = 1;
    uint16_t outSequence = 1;
    std::chrono::steady_clock::time_point lastUse;
};

class OnlineSessions
{
public:
    // Live sessions at most; opening one more closes the least recently used.
    static constexpr size_t kMaxSessions = 4096;

    explicit OnlineSessions(int lifetimeSeconds) : m_lifetime(lifetimeSeconds) {}

    // A new session with a fresh nonzero id. Expired sessions are closed first.
    uint16_t Open(const CryptoBytes& key, bool sequenced);
    // Runs use on the live session with that id under the lock; false when there is
    // none (never opened, or expired).
    bool Use(uint16_t id, const std::function<void(OnlineSession&)>& use);
    void Close(uint16_t id);
    size_t Count() const;

private:
    mutable std::mutex m_mutex;
    std::map<uint16_t, OnlineSession> m_sessions;
    std::chrono::seconds m_lifetime;
};
