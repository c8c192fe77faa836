#include "platform/crypto/BlowfishKey.h"

#include "platform/crypto/CryptoRandom.h"

#include <cryptopp/blowfish.h>
#include <cryptopp/eax.h>

BlowfishKey::BlowfishKey(CryptoBytes key) : m_key(std::move(key))
{
    m_usable = m_key.size() >= kMinKeyLength && m_key.size() <= kMaxKeyLength;
    if (!m_usable)
        m_error = "Invalid key length";
}

CryptoBytes BlowfishKey::Encrypt(const uint8_t* plain, size_t n)
{
    if (!m_usable) {
        m_error = "Invalid key length";
        return {};
    }
    const CryptoBytes nonce = RandomBytes(kNonceLength);
    if (nonce.size() != kNonceLength) {
        m_error = "No random nonce";
        return {};
    }
    CryptoBytes out(kNonceLength + n + kTagLength);
    std::copy(nonce.begin(), nonce.end(), out.begin());
    try {
        CryptoPP::EAX<CryptoPP::Blowfish>::Encryption eax;
        eax.SetKeyWithIV(m_key.data(), m_key.size(), nonce.data(), nonce.size());
        eax.EncryptAndAuthenticate(out.data() + kNonceLength, out.data() + kNonceLength + n, kTagLength,
                                   nonce.data(), int(nonce.size()), nullptr, 0, plain, n);
    } catch (const std::exception& e) {
        m_error = e.what();
        return {};
    }
    m_error.clear();
    return out;
}

CryptoBytes BlowfishKey::Decrypt(const uint8_t* message, size_t n)
{
    if (!m_usable) {
        m_error = "Invalid key length";
        return {};
    }
    if (n < kNonceLength + kTagLength) {
        m_error = "Error decrypting message";
        return {};
    }
    const size_t cipherLength = n - kNonceLength - kTagLength;
    CryptoBytes plain(cipherLength);
    try {
        CryptoPP::EAX<CryptoPP::Blowfish>::Decryption eax;
        eax.SetKeyWithIV(m_key.data(), m_key.size(), message, kNonceLength);
        const bool good = eax.DecryptAndVerify(plain.data(), message + kNonceLength + cipherLength, kTagLength,
                                               message, int(kNonceLength), nullptr, 0, message + kNonceLength,
                                               cipherLength);
        if (!good) {
            m_error = "Error decrypting message";
            return {};
        }
    } catch (const std::exception& e) {
        m_error = e.what();
        return {};
    }
    m_error.clear();
    // An empty plain text is a valid message; the caller tells it from failure by
    // the error text. No message of the service layer is empty.
    return plain;
}
