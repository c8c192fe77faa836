#pragma once
// The loopback service's keys: the verifier key that signs certificates (kept in a key
// folder, created on first use), the server's own ElGamal key and certificate, and
// the player credentials it issues.
#include "online/service/Credentials.h"
#include "platform/crypto/AuthCertificate.h"
#include "platform/crypto/ElGamalPrivateKey.h"
#include "platform/crypto/PublicKeyBlock.h"
#include "platform/crypto/VerifierSigningKey.h"

#include <optional>
#include <string>

class PeerKeys
{
public:
    static constexpr int64_t kDefaultPlayerLifetime = 30 * 24 * 3600;
    static constexpr int64_t kServerLifetime = 24 * 3600;
    static constexpr uint32_t kCommunityId = 1;

    // The verifier key of the folder ("verifier.key"), made and written owner-only
    // when missing; an empty folder name keeps a fresh key in memory only.
    static std::optional<PeerKeys> Open(const std::string& folder, std::string& error);

    const VerifierSigningKey& Verifier() const { return *m_verifier; }
    PublicKeyBlock KeyBlock() const;
    // A certificate signed by the verifier key; empty on failure.
    CryptoBytes IssueCertificate(CertificateKind kind, const std::string& subject, const CryptoBytes& publicValue,
                                 int64_t notBefore, int64_t expiry) const;
    // A new player key pair and certificate valid from now for lifetime seconds.
    std::optional<Credentials> IssueCredentials(const std::string& name, int64_t now, int64_t lifetime) const;

private:
    std::optional<VerifierSigningKey> m_verifier;
};

// The default key folder: $XDG_DATA_HOME/kestrel-peer (or ~/.local/share/kestrel-peer).
std::string DefaultPeerKeyFolder();
