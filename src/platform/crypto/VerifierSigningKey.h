#pragma once
// A verifier's Ed25519 signing key (its 32-byte secret seed and a key id), which
// signs certificates. Kept by the service, never by a player.
#include "platform/crypto/CryptoBytes.h"
#include "platform/crypto/PublicKeyBlock.h"

#include <optional>

class VerifierSigningKey
{
public:
    static constexpr size_t kSeedLength = 32;

    static std::optional<VerifierSigningKey> Generate(uint32_t id);
    static std::optional<VerifierSigningKey> FromSeed(uint32_t id, const CryptoBytes& seed);

    // The 64-byte signature, empty on failure.
    CryptoBytes Sign(const uint8_t* message, size_t n) const;
    VerifierPublicKey PublicKey() const { return m_public; }
    uint32_t Id() const { return m_public.id; }
    const CryptoBytes& Seed() const { return m_seed; }

private:
    CryptoBytes m_seed;
    VerifierPublicKey m_public;
};
