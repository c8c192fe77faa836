#include "platform/crypto/PublicKeyBlock.h"

#include <cryptopp/xed25519.h>

std::optional<PublicKeyBlock> PublicKeyBlock::Parse(const uint8_t* data, size_t n)
{
    if (data == nullptr || n > kMaxBytes)
        return std::nullopt;
    CryptoCursor cursor(data, n);
    uint8_t version = 0, count = 0;
    if (!cursor.ReadMagic("KPKB") || !cursor.ReadByte(version) || version != kVersion || !cursor.ReadByte(count) ||
        count > kMaxKeys)
        return std::nullopt;
    PublicKeyBlock block;
    for (uint8_t i = 0; i < count; ++i) {
        VerifierPublicKey key;
        CryptoBytes bytes;
        if (!cursor.ReadLong(key.id) || !cursor.ReadBytes(key.key.size(), bytes))
            return std::nullopt;
        std::copy(bytes.begin(), bytes.end(), key.key.begin());
        block.keys.push_back(key);
    }
    if (cursor.Remaining() != 0)
        return std::nullopt;
    return block;
}

CryptoBytes PublicKeyBlock::Serialize() const
{
    if (keys.size() > kMaxKeys)
        return {};
    CryptoBytes out{'K', 'P', 'K', 'B', kVersion, uint8_t(keys.size())};
    for (const VerifierPublicKey& key : keys) {
        AppendLittle(out, key.id, 4);
        out.insert(out.end(), key.key.begin(), key.key.end());
    }
    return out;
}

bool PublicKeyBlock::Verify(const uint8_t* message, size_t n, const uint8_t* signature, size_t signatureLength) const
{
    if (signatureLength != kSignatureLength)
        return false;
    for (const VerifierPublicKey& key : keys) {
        try {
            CryptoPP::ed25519Verifier verifier(key.key.data());
            if (verifier.VerifyMessage(message, n, signature, signatureLength))
                return true;
        } catch (const std::exception&) {
            // A malformed key verifies nothing; the next one may.
        }
    }
    return false;
}
