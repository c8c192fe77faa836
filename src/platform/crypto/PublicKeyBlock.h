#pragma once
// The service's verifier keys: "KPKB", version 1, a count (at most 16), then for each
// key its 32-bit id and 32-byte Ed25519 public key. Strict: at most 1,024 bytes and
// nothing after the last key.
#include "platform/crypto/CryptoBytes.h"

#include <array>
#include <optional>
#include <vector>

struct VerifierPublicKey
{
    uint32_t id = 0;
    std::array<uint8_t, 32> key{};
};

class PublicKeyBlock
{
public:
    static constexpr size_t kMaxBytes = 1024;
    static constexpr size_t kMaxKeys = 16;
    static constexpr uint8_t kVersion = 1;
    static constexpr size_t kSignatureLength = 64;

    static std::optional<PublicKeyBlock> Parse(const uint8_t* data, size_t n);
    // Empty when there are more keys than the block holds.
    CryptoBytes Serialize() const;

    // True when some key of the block verifies the signature over the message.
    bool Verify(const uint8_t* message, size_t n, const uint8_t* signature, size_t signatureLength) const;

    std::vector<VerifierPublicKey> keys;
};
