// Arbitrary bytes as certificates, verifier key blocks and credentials files: the
// strict formats take nothing longer than their limits or with bytes left over, and a
// parsed certificate serializes back to the same bytes.
#include "online/service/Credentials.h"
#include "platform/crypto/AuthCertificate.h"
#include "platform/crypto/PublicKeyBlock.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (const auto certificate = AuthCertificate::Parse(data, size)) {
        if (size > AuthCertificate::kMaxBytes || certificate->Serialize() != CryptoBytes(data, data + size))
            __builtin_trap();
        PublicKeyBlock block;
        block.keys.push_back(VerifierPublicKey{1, {}});
        certificate->Verify(block);
    }
    if (const auto block = PublicKeyBlock::Parse(data, size)) {
        if (size > PublicKeyBlock::kMaxBytes || block->keys.size() > PublicKeyBlock::kMaxKeys ||
            block->Serialize() != CryptoBytes(data, data + size))
            __builtin_trap();
        const uint8_t signature[64] = {};
        block->Verify(data, size, signature, sizeof signature);
    }
    if (const auto credentials = Credentials::Parse(data, size))
        if (credentials->Serialize() != CryptoBytes(data, data + size))
            __builtin_trap();
    return 0;
}
