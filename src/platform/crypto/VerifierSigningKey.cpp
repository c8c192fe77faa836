#include "platform/crypto/VerifierSigningKey.h"

#include "platform/crypto/CryptoRandom.h"

#include <cryptopp/xed25519.h>

std::optional<VerifierSigningKey> VerifierSigningKey::Generate(uint32_t id)
{
    return FromSeed(id, RandomBytes(kSeedLength));
}

std::optional<VerifierSigningKey> VerifierSigningKey::FromSeed(uint32_t id, const CryptoBytes& seed)
{
    if (seed.size() != kSeedLength)
        return std::nullopt;
    try {
        CryptoPP::ed25519Signer signer(seed.data());
        const auto& key = static_cast<const CryptoPP::ed25519PrivateKey&>(signer.GetPrivateKey());
        VerifierSigningKey result;
        result.m_seed = seed;
        result.m_public.id = id;
        std::copy(key.GetPublicKeyBytePtr(), key.GetPublicKeyBytePtr() + 32, result.m_public.key.begin());
        return result;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

CryptoBytes VerifierSigningKey::Sign(const uint8_t* message, size_t n) const
{
    try {
        CryptoPP::ed25519Signer signer(m_seed.data());
        CryptoBytes signature(signer.MaxSignatureLength());
        const size_t length = signer.SignMessage(ThreadRandom(), message, n, signature.data());
        signature.resize(length);
        return signature;
    } catch (const std::exception&) {
        return {};
    }
}
