#pragma once
// The fixed ElGamal group: the 2048-bit MODP prime of RFC 3526 with generator 2.
// Ciphertexts are two group elements (512 bytes) laid out as Crypto++'s ElGamal lays
// them out; a plain text holds at most 253 bytes.
#include "platform/crypto/CryptoBytes.h"

namespace CryptoPP {
class Integer;
}

namespace ElGamalGroup {

constexpr size_t kModulusBytes = 256;
constexpr size_t kCiphertextLength = 2 * kModulusBytes;
constexpr size_t kMaxPlaintextLength = kModulusBytes - 3;

const CryptoPP::Integer& Prime();
const CryptoPP::Integer& Generator();
// True when 1 < y < p − 1 (rules out the elements that leak a plain text).
bool IsValidElement(const CryptoPP::Integer& y);
// A random exponent of kExponentBits bits for private keys and per-message values.
// The group's order has no small factors but 2, so exponents twice the security
// level in length are as strong as full-length ones and several times faster.
constexpr unsigned kExponentBits = 320;
CryptoPP::Integer RandomExponent();

} // namespace ElGamalGroup
