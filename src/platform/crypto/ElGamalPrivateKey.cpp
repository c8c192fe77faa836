#include "platform/crypto/ElGamalPrivateKey.h"

#include "platform/crypto/ElGamalGroup.h"

#include <cryptopp/integer.h>
#include <cryptopp/nbtheory.h>

struct ElGamalPrivateKey::Impl
{
    CryptoPP::Integer x;
};

ElGamalPrivateKey::ElGamalPrivateKey(std::unique_ptr<Impl> impl, CryptoBytes bytes)
    : m_impl(std::move(impl)), m_bytes(std::move(bytes))
{
}
ElGamalPrivateKey::~ElGamalPrivateKey() = default;
ElGamalPrivateKey::ElGamalPrivateKey(ElGamalPrivateKey&&) noexcept = default;
ElGamalPrivateKey& ElGamalPrivateKey::operator=(ElGamalPrivateKey&&) noexcept = default;

namespace {

CryptoBytes Encode(const CryptoPP::Integer& v)
{
    CryptoBytes out(v.MinEncodedSize());
    v.Encode(out.data(), out.size());
    return out;
}

} // namespace

std::optional<ElGamalPrivateKey> ElGamalPrivateKey::Generate()
{
    try {
        std::string error;
        return FromBytes(Encode(ElGamalGroup::RandomExponent()), error);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

std::optional<ElGamalPrivateKey> ElGamalPrivateKey::FromBytes(const CryptoBytes& x, std::string& error)
{
    if (x.empty() || x.size() > ElGamalGroup::kModulusBytes) {
        error = "Invalid private value length";
        return std::nullopt;
    }
    try {
        auto impl = std::make_unique<Impl>();
        impl->x = CryptoPP::Integer(x.data(), x.size());
        if (!ElGamalGroup::IsValidElement(impl->x)) {
            error = "Private value out of range";
            return std::nullopt;
        }
        return ElGamalPrivateKey(std::move(impl), x);
    } catch (const std::exception& e) {
        error = e.what();
        return std::nullopt;
    }
}

CryptoBytes ElGamalPrivateKey::Decrypt(const uint8_t* cipher, size_t n)
{
    using CryptoPP::Integer;
    constexpr size_t L = ElGamalGroup::kModulusBytes;
    if (cipher == nullptr || n != ElGamalGroup::kCiphertextLength) {
        m_error = "Invalid cipher text length";
        return {};
    }
    try {
        const Integer& p = ElGamalGroup::Prime();
        const Integer a(cipher, L);
        const Integer c(cipher + L, L);
        if (!ElGamalGroup::IsValidElement(a) || c >= p) {
            m_error = "Invalid cipher text";
            return {};
        }
        const Integer shared = a_exp_b_mod_c(a, m_impl->x, p);
        Integer m = a_times_b_mod_c(c, shared.InverseMod(p), p);
        uint8_t length = 0;
        m.Encode(&length, 1);
        if (length > ElGamalGroup::kMaxPlaintextLength || m.ByteCount() > L - 1) {
            m_error = "Invalid cipher text";
            return {};
        }
        m >>= 8;
        CryptoBytes out(length);
        m.Encode(out.data(), out.size());
        m_error.clear();
        return out;
    } catch (const std::exception& e) {
        m_error = e.what();
        return {};
    }
}

CryptoBytes ElGamalPrivateKey::PublicBytes() const
{
    try {
        return Encode(a_exp_b_mod_c(ElGamalGroup::Generator(), m_impl->x, ElGamalGroup::Prime()));
    } catch (const std::exception&) {
        return {};
    }
}
