#pragma once
// An ElGamal public value y = g^x of the fixed group, encrypting plain texts of at
// most 253 bytes into 512-byte cipher texts (Crypto++'s ElGamal layout, computed with
// its integers and a short per-message exponent). A longer plain text is refused
// before anything is written.
#include "platform/crypto/CryptoBytes.h"

#include <memory>
#include <optional>
#include <string>

class ElGamalPublicKey
{
public:
    ~ElGamalPublicKey();
    ElGamalPublicKey(ElGamalPublicKey&&) noexcept;
    ElGamalPublicKey& operator=(ElGamalPublicKey&&) noexcept;

    // From the big-endian bytes of y; nothing unless 1 < y < p − 1.
    static std::optional<ElGamalPublicKey> FromBytes(const CryptoBytes& y, std::string& error);

    CryptoBytes Encrypt(const uint8_t* plain, size_t n);
    const std::string& ErrorText() const { return m_error; }
    const CryptoBytes& Bytes() const { return m_bytes; }

private:
    struct Impl;
    explicit ElGamalPublicKey(std::unique_ptr<Impl> impl, CryptoBytes bytes);

    std::unique_ptr<Impl> m_impl;
    CryptoBytes m_bytes;
    std::string m_error;
};
