#pragma once
// Random bytes from an automatically seeded generator (one per thread): secrets,
// nonces, keys and session ids.
#include "platform/crypto/CryptoBytes.h"

namespace CryptoPP {
class RandomNumberGenerator;
}

CryptoBytes RandomBytes(size_t n);
uint16_t RandomShort();
// The generator of the calling thread, for the layer's own Crypto++ calls.
CryptoPP::RandomNumberGenerator& ThreadRandom();
