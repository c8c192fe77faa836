#pragma once
// A Blowfish session key used in EAX mode. A message is an 8-byte nonce, the cipher
// text and an 8-byte tag; every Encrypt draws a fresh random nonce. Failures give an
// empty result and leave their reason in ErrorText().
#include "platform/crypto/CryptoBytes.h"

#include <string>

class BlowfishKey
{
public:
    static constexpr size_t kMinKeyLength = 4;
    static constexpr size_t kMaxKeyLength = 56;
    static constexpr size_t kNonceLength = 8;
    static constexpr size_t kTagLength = 8;

    // A key outside 4…56 bytes is not usable: every call fails.
    explicit BlowfishKey(CryptoBytes key);

    bool IsUsable() const { return m_usable; }
    const CryptoBytes& KeyBytes() const { return m_key; }

    CryptoBytes Encrypt(const uint8_t* plain, size_t n);
    CryptoBytes Decrypt(const uint8_t* message, size_t n);
    const std::string& ErrorText() const { return m_error; }

private:
    CryptoBytes m_key;
    bool m_usable = false;
    std::string m_error;
};
