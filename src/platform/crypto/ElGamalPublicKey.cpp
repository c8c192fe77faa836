#include "platform/crypto/ElGamalPublicKey.h"

#include "platform/crypto/CryptoRandom.h"
#include "platform/crypto/ElGamalGroup.h"

#include <cryptopp/elgamal.h>

struct ElGamalPublicKey::Impl
{
    CryptoPP::ElGamal::Encryptor encryptor;
};

ElGamalPublicKey::ElGamalPublicKey(std::unique_ptr<Impl> impl, CryptoBytes bytes)
    : m_impl(std::move(impl)), m_bytes(std::move(bytes))
{
}
ElGamalPublicKey::~ElGamalPublicKey() = default;
ElGamalPublicKey::ElGamalPublicKey(ElGamalPublicKey&&) noexcept = default;
ElGamalPublicKey& ElGamalPublicKey::operator=(ElGamalPublicKey&&) noexcept = default;

std::optional<ElGamalPublicKey> ElGamalPublicKey::FromBytes(const CryptoBytes& y, std::string& error)
{
    if (y.empty() || y.size() > ElGamalGroup::kModulusBytes) {
        error = "Invalid public value length";
        return std::nullopt;
    }
    try {
        const CryptoPP::Integer value(y.data(), y.size());
        if (!ElGamalGroup::IsValidElement(value)) {
            error = "Public value out of range";
            return std::nullopt;
        }
        auto impl = std::make_unique<Impl>();
        auto& key = impl->encryptor.AccessKey();
        key.AccessGroupParameters().Initialize(ElGamalGroup::Prime(), ElGamalGroup::Generator());
        key.SetPublicElement(value);
        return ElGamalPublicKey(std::move(impl), y);
    } catch (const std::exception& e) {
        error = e.what();
        return std::nullopt;
    }
}

CryptoBytes ElGamalPublicKey::Encrypt(const uint8_t* plain, size_t n)
{
    if (n > ElGamalGroup::kMaxPlaintextLength || n > m_impl->encryptor.FixedMaxPlaintextLength()) {
        m_error = "Plain text too long";
        return {};
    }
    try {
        const size_t length = m_impl->encryptor.CiphertextLength(n);
        if (length != ElGamalGroup::kCiphertextLength) {
            m_error = "Unexpected cipher text length";
            return {};
        }
        CryptoBytes out(length);
        m_impl->encryptor.Encrypt(ThreadRandom(), plain, n, out.data());
        m_error.clear();
        return out;
    } catch (const std::exception& e) {
        m_error = e.what();
        return {};
    }
}
