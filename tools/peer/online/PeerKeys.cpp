#include "peer/online/PeerKeys.h"

#include "platform/crypto/CryptoRandom.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <atomic>

namespace {

constexpr size_t kKeyFileSize = 4 + VerifierSigningKey::kSeedLength;
std::atomic<uint32_t> g_serial{1};

} // namespace

std::string DefaultPeerKeyFolder()
{
    QString base = qEnvironmentVariable("XDG_DATA_HOME");
    if (base.isEmpty() || !QDir::isAbsolutePath(base))
        base = QDir::homePath() + "/.local/share";
    return (base + "/kestrel-peer").toStdString();
}

std::optional<PeerKeys> PeerKeys::Open(const std::string& folder, std::string& error)
{
    PeerKeys keys;
    if (folder.empty()) {
        keys.m_verifier = VerifierSigningKey::Generate(RandomShort());
        if (!keys.m_verifier)
            error = "cannot make a verifier key";
        return keys.m_verifier ? std::optional<PeerKeys>(std::move(keys)) : std::nullopt;
    }
    const QString path = QString::fromStdString(folder) + "/verifier.key";
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) {
        const QByteArray bytes = file.read(kKeyFileSize + 1);
        if (size_t(bytes.size()) != kKeyFileSize) {
            error = "not a verifier key: " + path.toStdString();
            return std::nullopt;
        }
        const auto* data = reinterpret_cast<const uint8_t*>(bytes.constData());
        const uint32_t id = uint32_t(data[0]) | uint32_t(data[1]) << 8 | uint32_t(data[2]) << 16 | uint32_t(data[3]) << 24;
        keys.m_verifier = VerifierSigningKey::FromSeed(id, CryptoBytes(data + 4, data + kKeyFileSize));
        if (!keys.m_verifier) {
            error = "not a verifier key: " + path.toStdString();
            return std::nullopt;
        }
        return keys;
    }
    keys.m_verifier = VerifierSigningKey::Generate(RandomShort());
    if (!keys.m_verifier) {
        error = "cannot make a verifier key";
        return std::nullopt;
    }
    CryptoBytes out;
    AppendLittle(out, keys.m_verifier->Id(), 4);
    out.insert(out.end(), keys.m_verifier->Seed().begin(), keys.m_verifier->Seed().end());
    QDir().mkpath(QString::fromStdString(folder));
    QSaveFile save(path);
    if (!save.open(QIODevice::WriteOnly)) {
        error = "cannot write " + path.toStdString();
        return std::nullopt;
    }
    save.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    save.write(reinterpret_cast<const char*>(out.data()), qint64(out.size()));
    if (!save.commit()) {
        error = "cannot write " + path.toStdString();
        return std::nullopt;
    }
    return keys;
}

PublicKeyBlock PeerKeys::KeyBlock() const
{
    PublicKeyBlock block;
    block.keys.push_back(m_verifier->PublicKey());
    return block;
}

CryptoBytes PeerKeys::IssueCertificate(CertificateKind kind, const std::string& subject, const CryptoBytes& publicValue,
                                       int64_t notBefore, int64_t expiry) const
{
    AuthCertificate certificate;
    certificate.kind = kind;
    certificate.communityId = kCommunityId;
    certificate.serial = g_serial++;
    certificate.notBefore = notBefore;
    certificate.expiry = expiry;
    certificate.subject = subject.substr(0, AuthCertificate::kMaxSubject);
    certificate.publicValue = publicValue;
    if (!certificate.Sign(*m_verifier))
        return {};
    return certificate.Serialize();
}

std::optional<Credentials> PeerKeys::IssueCredentials(const std::string& name, int64_t now, int64_t lifetime) const
{
    auto privateKey = ElGamalPrivateKey::Generate();
    if (!privateKey)
        return std::nullopt;
    Credentials credentials;
    credentials.certificate =
        IssueCertificate(CertificateKind::Player, name, privateKey->PublicBytes(), now - 60, now + lifetime);
    credentials.privateKey = privateKey->Bytes();
    credentials.keyBlock = KeyBlock().Serialize();
    credentials.clockOffset = 0;
    if (credentials.certificate.empty() || credentials.keyBlock.empty())
        return std::nullopt;
    return credentials;
}
