// The crypto layer: the session cipher's round trip and its tag, ElGamal with its
// length checks, and the strict certificate and key block formats.
#include "platform/crypto/AuthCertificate.h"
#include "platform/crypto/BlowfishKey.h"
#include "platform/crypto/ElGamalGroup.h"
#include "platform/crypto/ElGamalPrivateKey.h"
#include "platform/crypto/ElGamalPublicKey.h"
#include "platform/crypto/PublicKeyBlock.h"
#include "platform/crypto/VerifierSigningKey.h"

#include <cryptopp/elgamal.h>
#include <cryptopp/integer.h>
#include <cryptopp/osrng.h>
#include <gtest/gtest.h>

namespace {

CryptoBytes Text(const std::string& s)
{
    return CryptoBytes(s.begin(), s.end());
}

AuthCertificate SampleCertificate(const VerifierSigningKey& signer)
{
    AuthCertificate c;
    c.kind = CertificateKind::Server;
    c.communityId = 7;
    c.serial = 42;
    c.notBefore = 1000;
    c.expiry = 5000;
    c.subject = "Directory ü";
    c.publicValue = ElGamalPrivateKey::Generate()->PublicBytes();
    EXPECT_TRUE(c.Sign(signer));
    return c;
}

} // namespace

TEST(SessionCipher, RoundTripWithAFreshNonceEachTime)
{
    BlowfishKey key(Text("sixteen byte key"));
    const CryptoBytes plain = Text("sequence, service, message, body");
    const CryptoBytes a = key.Encrypt(plain.data(), plain.size());
    const CryptoBytes b = key.Encrypt(plain.data(), plain.size());
    ASSERT_EQ(a.size(), BlowfishKey::kNonceLength + plain.size() + BlowfishKey::kTagLength);
    EXPECT_NE(a, b);
    EXPECT_EQ(key.Decrypt(a.data(), a.size()), plain);
    EXPECT_EQ(key.Decrypt(b.data(), b.size()), plain);
}

TEST(SessionCipher, ATamperedOrShortMessageFailsItsTag)
{
    BlowfishKey key(Text("sixteen byte key"));
    const CryptoBytes plain = Text("directory request");
    for (size_t at : {size_t(0), size_t(9), size_t(8 + plain.size() + 7)}) {
        CryptoBytes sealed = key.Encrypt(plain.data(), plain.size());
        sealed[at] ^= 1;
        EXPECT_TRUE(key.Decrypt(sealed.data(), sealed.size()).empty()) << at;
        EXPECT_EQ(key.ErrorText(), "Error decrypting message");
    }
    const CryptoBytes sealed = key.Encrypt(plain.data(), plain.size());
    EXPECT_TRUE(key.Decrypt(sealed.data(), 15).empty());
    BlowfishKey other(Text("another key....."));
    EXPECT_TRUE(other.Decrypt(sealed.data(), sealed.size()).empty());
    BlowfishKey tooLong(CryptoBytes(57, 1));
    EXPECT_FALSE(tooLong.IsUsable());
    EXPECT_TRUE(tooLong.Encrypt(plain.data(), plain.size()).empty());
}

TEST(ElGamal, RoundTripAndLengthChecks)
{
    auto privateKey = ElGamalPrivateKey::Generate();
    ASSERT_TRUE(privateKey);
    std::string error;
    auto publicKey = ElGamalPublicKey::FromBytes(privateKey->PublicBytes(), error);
    ASSERT_TRUE(publicKey) << error;
    const CryptoBytes plain(ElGamalGroup::kMaxPlaintextLength, 0xA5);
    const CryptoBytes cipher = publicKey->Encrypt(plain.data(), plain.size());
    ASSERT_EQ(cipher.size(), ElGamalGroup::kCiphertextLength);
    EXPECT_EQ(privateKey->Decrypt(cipher.data(), cipher.size()), plain);

    // One byte more than the group holds, and cipher texts of the wrong length, are
    // refused before the library could run past its buffers.
    const CryptoBytes tooLong(ElGamalGroup::kMaxPlaintextLength + 1, 1);
    EXPECT_TRUE(publicKey->Encrypt(tooLong.data(), tooLong.size()).empty());
    EXPECT_TRUE(privateKey->Decrypt(cipher.data(), cipher.size() - 1).empty());
    EXPECT_TRUE(privateKey->Decrypt(cipher.data(), 2).empty());
    CryptoBytes longer = cipher;
    longer.push_back(0);
    EXPECT_TRUE(privateKey->Decrypt(longer.data(), longer.size()).empty());
}

TEST(ElGamal, CipherTextsHaveCryptoppsLayout)
{
    auto privateKey = ElGamalPrivateKey::Generate();
    std::string error;
    auto publicKey = ElGamalPublicKey::FromBytes(privateKey->PublicBytes(), error);
    const CryptoBytes plain = Text("secret and key");
    const CryptoBytes cipher = publicKey->Encrypt(plain.data(), plain.size());

    CryptoPP::ElGamal::Decryptor decryptor;
    const CryptoBytes& x = privateKey->Bytes();
    decryptor.AccessKey().Initialize(ElGamalGroup::Prime(), ElGamalGroup::Generator(),
                                     CryptoPP::Integer(x.data(), x.size()));
    ASSERT_EQ(cipher.size(), decryptor.FixedCiphertextLength());
    CryptoPP::AutoSeededRandomPool rng;
    CryptoBytes out(decryptor.MaxPlaintextLength(cipher.size()));
    const auto result = decryptor.Decrypt(rng, cipher.data(), cipher.size(), out.data());
    ASSERT_TRUE(result.isValidCoding);
    out.resize(result.messageLength);
    EXPECT_EQ(out, plain);
}

TEST(ElGamal, PublicValuesOutsideTheGroupAreRefused)
{
    std::string error;
    EXPECT_FALSE(ElGamalPublicKey::FromBytes({1}, error));
    EXPECT_FALSE(ElGamalPublicKey::FromBytes({0}, error));
    EXPECT_FALSE(ElGamalPublicKey::FromBytes({}, error));
    // p − 1: all ones but the last byte FE.
    CryptoBytes pMinusOne(ElGamalGroup::kModulusBytes);
    ElGamalGroup::Prime().Encode(pMinusOne.data(), pMinusOne.size());
    pMinusOne.back() -= 1;
    EXPECT_FALSE(ElGamalPublicKey::FromBytes(pMinusOne, error));
    EXPECT_FALSE(ElGamalPublicKey::FromBytes(CryptoBytes(257, 1), error));
    EXPECT_TRUE(ElGamalPublicKey::FromBytes({2}, error));
}

TEST(Certificates, SignedRoundTripVerifiesOnlyAgainstItsVerifier)
{
    const auto signer = VerifierSigningKey::Generate(3);
    const auto stranger = VerifierSigningKey::Generate(4);
    const AuthCertificate original = SampleCertificate(*signer);
    const CryptoBytes bytes = original.Serialize();
    const auto parsed = AuthCertificate::Parse(bytes.data(), bytes.size());
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->kind, CertificateKind::Server);
    EXPECT_EQ(parsed->communityId, 7u);
    EXPECT_EQ(parsed->serial, 42u);
    EXPECT_EQ(parsed->notBefore, 1000);
    EXPECT_EQ(parsed->expiry, 5000);
    EXPECT_EQ(parsed->subject, "Directory ü");
    EXPECT_EQ(parsed->publicValue, original.publicValue);

    PublicKeyBlock own, foreign, both;
    own.keys = {signer->PublicKey()};
    foreign.keys = {stranger->PublicKey()};
    both.keys = {stranger->PublicKey(), signer->PublicKey()};
    EXPECT_TRUE(parsed->Verify(own));
    EXPECT_TRUE(parsed->Verify(both));
    EXPECT_FALSE(parsed->Verify(foreign));
    EXPECT_FALSE(parsed->Verify(PublicKeyBlock{}));

    // Any changed byte of the signed part breaks the signature.
    CryptoBytes changed = bytes;
    changed[14] ^= 1;
    const auto tampered = AuthCertificate::Parse(changed.data(), changed.size());
    ASSERT_TRUE(tampered);
    EXPECT_FALSE(tampered->Verify(own));
}

TEST(Certificates, TheFormatIsStrict)
{
    const auto signer = VerifierSigningKey::Generate(3);
    const CryptoBytes bytes = SampleCertificate(*signer).Serialize();
    CryptoBytes trailing = bytes;
    trailing.push_back(0);
    EXPECT_FALSE(AuthCertificate::Parse(trailing.data(), trailing.size()));
    EXPECT_FALSE(AuthCertificate::Parse(bytes.data(), bytes.size() - 1));
    CryptoBytes magic = bytes;
    magic[0] = 'X';
    EXPECT_FALSE(AuthCertificate::Parse(magic.data(), magic.size()));
    CryptoBytes version = bytes;
    version[4] = 2;
    EXPECT_FALSE(AuthCertificate::Parse(version.data(), version.size()));
    CryptoBytes kind = bytes;
    kind[5] = 3;
    EXPECT_FALSE(AuthCertificate::Parse(kind.data(), kind.size()));

    AuthCertificate huge = SampleCertificate(*signer);
    huge.publicValue = CryptoBytes(960, 1);
    EXPECT_FALSE(huge.Sign(*signer));
    huge.publicValue = CryptoBytes(10, 1);
    huge.subject = std::string(256, 'a');
    EXPECT_FALSE(huge.Sign(*signer));
}

TEST(KeyBlocks, RoundTripAndLimits)
{
    PublicKeyBlock block;
    for (uint32_t id = 1; id <= PublicKeyBlock::kMaxKeys; ++id)
        block.keys.push_back(VerifierSigningKey::Generate(id)->PublicKey());
    const CryptoBytes bytes = block.Serialize();
    const auto parsed = PublicKeyBlock::Parse(bytes.data(), bytes.size());
    ASSERT_TRUE(parsed);
    ASSERT_EQ(parsed->keys.size(), PublicKeyBlock::kMaxKeys);
    EXPECT_EQ(parsed->keys[15].id, 16u);
    EXPECT_EQ(parsed->keys[15].key, block.keys[15].key);

    CryptoBytes trailing = bytes;
    trailing.push_back(0);
    EXPECT_FALSE(PublicKeyBlock::Parse(trailing.data(), trailing.size()));
    EXPECT_FALSE(PublicKeyBlock::Parse(bytes.data(), bytes.size() - 1));
    CryptoBytes tooMany = bytes;
    tooMany[5] = 17;
    EXPECT_FALSE(PublicKeyBlock::Parse(tooMany.data(), tooMany.size()));
    block.keys.push_back(block.keys[0]);
    EXPECT_TRUE(block.Serialize().empty());
}
