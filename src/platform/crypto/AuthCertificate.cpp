#include "platform/crypto/AuthCertificate.h"

#include "platform/crypto/PublicKeyBlock.h"
#include "platform/crypto/VerifierSigningKey.h"

namespace {

constexpr size_t kSignatureLength = PublicKeyBlock::kSignatureLength;

bool IsKnownKind(uint8_t kind)
{
    return kind == uint8_t(CertificateKind::Player) || kind == uint8_t(CertificateKind::Server);
}

} // namespace

std::optional<AuthCertificate> AuthCertificate::Parse(const uint8_t* data, size_t n)
{
    if (data == nullptr || n > kMaxBytes || n < kSignatureLength)
        return std::nullopt;
    CryptoCursor cursor(data, n);
    AuthCertificate cert;
    uint8_t version = 0, kind = 0, subjectLength = 0;
    uint64_t notBefore = 0, expiry = 0;
    CryptoBytes subject;
    if (!cursor.ReadMagic("KCRT") || !cursor.ReadByte(version) || version != kVersion || !cursor.ReadByte(kind) ||
        !IsKnownKind(kind) || !cursor.ReadLong(cert.communityId) || !cursor.ReadLong(cert.serial) ||
        !cursor.ReadLongLong(notBefore) || !cursor.ReadLongLong(expiry) || !cursor.ReadByte(subjectLength) ||
        !cursor.ReadBytes(subjectLength, subject) || !cursor.ReadBlock(cert.publicValue))
        return std::nullopt;
    const size_t signedLength = cursor.Offset();
    if (!cursor.ReadBytes(kSignatureLength, cert.signature) || cursor.Remaining() != 0)
        return std::nullopt;
    cert.kind = CertificateKind(kind);
    cert.notBefore = int64_t(notBefore);
    cert.expiry = int64_t(expiry);
    cert.subject.assign(subject.begin(), subject.end());
    cert.signedPart.assign(data, data + signedLength);
    return cert;
}

bool AuthCertificate::Sign(const VerifierSigningKey& key)
{
    if (subject.size() > kMaxSubject || publicValue.empty() || publicValue.size() > 0xFFFF)
        return false;
    CryptoBytes out{'K', 'C', 'R', 'T', kVersion, uint8_t(kind)};
    AppendLittle(out, communityId, 4);
    AppendLittle(out, serial, 4);
    AppendLittle(out, uint64_t(notBefore), 8);
    AppendLittle(out, uint64_t(expiry), 8);
    out.push_back(uint8_t(subject.size()));
    out.insert(out.end(), subject.begin(), subject.end());
    AppendBlock(out, publicValue);
    if (out.size() + kSignatureLength > kMaxBytes)
        return false;
    CryptoBytes sig = key.Sign(out.data(), out.size());
    if (sig.size() != kSignatureLength)
        return false;
    signedPart = std::move(out);
    signature = std::move(sig);
    return true;
}

CryptoBytes AuthCertificate::Serialize() const
{
    if (signedPart.empty() || signature.size() != kSignatureLength)
        return {};
    CryptoBytes out = signedPart;
    out.insert(out.end(), signature.begin(), signature.end());
    return out;
}

bool AuthCertificate::Verify(const PublicKeyBlock& keys) const
{
    return !signedPart.empty() && keys.Verify(signedPart.data(), signedPart.size(), signature.data(), signature.size());
}
