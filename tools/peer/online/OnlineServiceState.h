#pragma once
// What the loopback online service's connection threads share.
#include "peer/online/OnlineDirectory.h"
#include "peer/online/OnlineFault.h"
#include "peer/online/OnlineSessions.h"
#include "peer/online/PeerKeys.h"
#include "platform/crypto/ElGamalPrivateKey.h"

#include <atomic>
#include <mutex>
#include <optional>

struct OnlineServiceState
{
    explicit OnlineServiceState(PeerKeys peerKeys, int sessionLifetime)
        : keys(std::move(peerKeys)), sessions(sessionLifetime)
    {
        directory.Attach(*this);
    }

    PeerKeys keys;
    PublicKeyBlock keyBlock;
    std::optional<ElGamalPrivateKey> serverKey;
    // The server key keeps its last error: one connection thread decrypts at a time.
    std::mutex serverKeyMutex;
    CryptoBytes serverCertificate;
    CryptoBytes expiredCertificate;
    OnlineSessions sessions;
    OnlineDirectory directory;
    OnlineFaults faults;
    std::atomic<bool> stopping{false};
    std::atomic<int> authentications{0};
    std::atomic<int> requests{0};
    uint16_t directoryPort = 0;
    int idleTimeoutMs = 30000;
};
