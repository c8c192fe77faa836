#include "platform/crypto/ElGamalPublicKey.h"

#include "platform/crypto/CryptoRandom.h"
#include "platform/crypto/ElGamalGroup.h"

#include <cryptopp/integer.h>
#include <cryptopp/nbtheory.h>

struct ElGamalPublicKey::Impl
{
    CryptoPP::Integer y;
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
        auto impl = std::make_unique<Impl>();
        impl->y = CryptoPP::Integer(y.data(), y.size());
        if (!ElGamalGroup::IsValidElement(impl->y)) {
            error = "Public value out of range";
            return std::nullopt;
        }
        return ElGamalPublicKey(std::move(impl), y);
    } catch (const std::exception& e) {
        error = e.what();
        return std::nullopt;
    }
}

CryptoBytes ElGamalPublicKey::Encrypt(const uint8_t* plain, size_t n)
{
    using CryptoPP::Integer;
    constexpr size_t L = ElGamalGroup::kModulusBytes;
    if (n > ElGamalGroup::kMaxPlaintextLength || (plain == nullptr && n > 0)) {
        m_error = "Plain text too long";
        return {};
    }
    try {
        const Integer& p = ElGamalGroup::Prime();
        const Integer k = ElGamalGroup::RandomExponent();
        const Integer a = a_exp_b_mod_c(ElGamalGroup::Generator(), k, p);
        const Integer shared = a_exp_b_mod_c(m_impl->y, k, p);
        // The message block: random padding, the plain text, its length (the layout
        // Crypto++'s ElGamal decryptor reads).
        CryptoBytes block(L - 1);
        ThreadRandom().GenerateBlock(block.data(), L - 2 - n);
        std::copy(plain, plain + n, block.begin() + long(L - 2 - n));
        block[L - 2] = uint8_t(n);
        const Integer c = a_times_b_mod_c(shared, Integer(block.data(), block.size()), p);
        CryptoBytes out(ElGamalGroup::kCiphertextLength);
        a.Encode(out.data(), L);
        c.Encode(out.data() + L, L);
        m_error.clear();
        return out;
    } catch (const std::exception& e) {
        m_error = e.what();
        return {};
    }
}
