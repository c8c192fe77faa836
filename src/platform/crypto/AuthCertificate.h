#pragma once
// A certificate of the online service: "KCRT", version 1, kind, community id, serial,
// not-before and expiry (Unix seconds on the service clock), subject, the holder's
// ElGamal public value, then an Ed25519 signature by a verifier key over everything
// before it. Integers are little-endian; the public value is big-endian. Strict: at
// most 1,024 bytes and nothing after the signature.
#include "platform/crypto/CryptoBytes.h"

#include <optional>
#include <string>

class PublicKeyBlock;
class VerifierSigningKey;

enum class CertificateKind : uint8_t
{
    Player = 1,
    Server = 2,
};

struct AuthCertificate
{
    static constexpr size_t kMaxBytes = 1024;
    static constexpr size_t kMaxSubject = 255;
    static constexpr uint8_t kVersion = 1;

    CertificateKind kind = CertificateKind::Player;
    uint32_t communityId = 0;
    uint32_t serial = 0;
    int64_t notBefore = 0;
    int64_t expiry = 0;
    std::string subject;
    CryptoBytes publicValue;
    CryptoBytes signature;
    // The bytes the signature covers (kept by Parse and by Sign).
    CryptoBytes signedPart;

    static std::optional<AuthCertificate> Parse(const uint8_t* data, size_t n);
    // Fills signedPart and signature; false when a field does not fit the format.
    bool Sign(const VerifierSigningKey& key);
    // The whole certificate; empty when it was never signed.
    CryptoBytes Serialize() const;
    // True when a key of the block signed it; the time is the caller's check.
    bool Verify(const PublicKeyBlock& keys) const;
    // True while now (service clock) lies between not-before and expiry.
    bool IsCurrent(int64_t now) const { return now >= notBefore && now < expiry; }
};
