#pragma once
// An ElGamal private exponent x of the fixed group. Decrypt accepts only cipher texts
// of exactly the group's length whose parts are elements of the group.
#include "platform/crypto/CryptoBytes.h"

#include <memory>
#include <optional>
#include <string>

class ElGamalPrivateKey
{
public:
    ~ElGamalPrivateKey();
    ElGamalPrivateKey(ElGamalPrivateKey&&) noexcept;
    ElGamalPrivateKey& operator=(ElGamalPrivateKey&&) noexcept;

    static std::optional<ElGamalPrivateKey> Generate();
    // From the big-endian bytes of x; nothing unless 1 < x < p − 1.
    static std::optional<ElGamalPrivateKey> FromBytes(const CryptoBytes& x, std::string& error);

    CryptoBytes Decrypt(const uint8_t* cipher, size_t n);
    const std::string& ErrorText() const { return m_error; }
    const CryptoBytes& Bytes() const { return m_bytes; }
    // The big-endian bytes of the public value g^x.
    CryptoBytes PublicBytes() const;

private:
    struct Impl;
    explicit ElGamalPrivateKey(std::unique_ptr<Impl> impl, CryptoBytes bytes);

    std::unique_ptr<Impl> m_impl;
    CryptoBytes m_bytes;
    std::string m_error;
};
