// Arbitrary bodies of the authentication challenge (51) and status (53), and arbitrary
// decrypted secrets: every block read lies inside the body, and a secret is exactly
// two bytes shorter than its text.
#include "online/service/AuthMessages.h"
#include "platform/crypto/ElGamalPrivateKey.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 65536)
        return 0;
    ReadBuffer body(data, uint32_t(size));
    if (const auto challenge = AuthMessages::ParseChallenge(body)) {
        if (challenge->encryptedSecret.size() + challenge->certificate.size() + 4 > size)
            __builtin_trap();
        static auto key = ElGamalPrivateKey::Generate();
        key->Decrypt(challenge->encryptedSecret.data(), challenge->encryptedSecret.size());
    }
    for (const bool withSession : {false, true}) {
        ReadBuffer status(data, uint32_t(size));
        if (const auto parsed = AuthMessages::ParseStatus(status, true, withSession))
            if (parsed->answer.size() + 2 > size)
                __builtin_trap();
    }
    const CryptoBytes plain(data, data + size);
    if (const auto secret = AuthMessages::DecodeSecret(plain))
        if (secret->size() + 2 != size)
            __builtin_trap();
    return 0;
}
