#include "platform/crypto/CryptoRandom.h"

#include <cryptopp/osrng.h>

CryptoPP::RandomNumberGenerator& ThreadRandom()
{
    thread_local CryptoPP::AutoSeededRandomPool pool;
    return pool;
}

CryptoBytes RandomBytes(size_t n)
{
    CryptoBytes out(n);
    try {
        if (n > 0)
            ThreadRandom().GenerateBlock(out.data(), n);
    } catch (const std::exception&) {
        // The pool reseeds from the system; without it there is nothing random to give.
        return {};
    }
    return out;
}

uint16_t RandomShort()
{
    const CryptoBytes b = RandomBytes(2);
    return b.size() == 2 ? uint16_t(b[0] | (b[1] << 8)) : 0;
}
