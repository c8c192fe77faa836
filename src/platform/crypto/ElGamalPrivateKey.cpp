#include "platform/crypto/ElGamalPrivateKey.h"

#include "platform/crypto/CryptoRandom.h"
#include "platform/crypto/ElGamalGroup.h"

#include <cryptopp/elgamal.h>

struct ElGamalPrivateKey::Impl
{
    CryptoPP::ElGamal::Decryptor decryptor;
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
        const CryptoPP::Integer two(2L);
        const CryptoPP::Integer x(ThreadRandom(), two, ElGamalGroup::Prime() - two);
        std::string error;
        return FromBytes(Encode(x), error);
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
        const CryptoPP::Integer value(x.data(), x.size());
        if (!ElGamalGroup::IsValidElement(value)) {
            error = "Private value out of range";
            return std::nullopt;
        }
        auto impl = std::make_unique<Impl>();
        impl->decryptor.AccessKey().Initialize(ElGamalGroup::Prime(), ElGamalGroup::Generator(), value);
        return ElGamalPrivateKey(std::move(impl), x);
    } catch (const std::exception& e) {
        error = e.what();
        return std::nullopt;
    }
}

CryptoBytes ElGamalPrivateKey::Decrypt(const uint8_t* cipher, size_t n)
{
    try {
        if (n != ElGamalGroup::kCiphertextLength || n != m_impl->decryptor.FixedCiphertextLength()) {
            m_error = "Invalid cipher text length";
            return {};
        }
        CryptoBytes out(m_impl->decryptor.MaxPlaintextLength(n));
        const CryptoPP::DecodingResult result = m_impl->decryptor.Decrypt(ThreadRandom(), cipher, n, out.data());
        if (!result.isValidCoding || result.messageLength > out.size()) {
            m_error = "Invalid cipher text";
            return {};
        }
        out.resize(result.messageLength);
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
        const CryptoPP::Integer y =
            a_exp_b_mod_c(ElGamalGroup::Generator(), m_impl->decryptor.GetKey().GetPrivateExponent(), ElGamalGroup::Prime());
        return Encode(y);
    } catch (const std::exception&) {
        return {};
    }
}
