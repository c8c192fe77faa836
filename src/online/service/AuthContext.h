#pragma once
// The signed-in player's authentication context: their credentials (loaded from the
// credentials file) and the peer authentication run on a connected service socket
// (messages 50 to 53). Failures leave their reason in LastError().
#include "online/service/Credentials.h"
#include "online/service/ServiceTimeouts.h"
#include "platform/crypto/AuthCertificate.h"
#include "platform/crypto/BlowfishKey.h"
#include "platform/crypto/ElGamalPrivateKey.h"
#include "platform/crypto/PublicKeyBlock.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

class EasyPylonSocket;
class WriteBuffer;
class ReadBuffer;

struct PeerAuthResult
{
    AuthCertificate serverCertificate;
    std::unique_ptr<BlowfishKey> sessionKey;
    uint16_t sessionId = 0;
};

class AuthContext
{
public:
    // Seconds a server certificate may be past its expiry (clock drift).
    static constexpr int64_t kExpiryGrace = 300;
    // The own certificate must stay valid this much longer to be used.
    static constexpr int64_t kOwnCertificateMargin = 30;

    // From a credentials file; Renew reloads it.
    explicit AuthContext(std::string credentialsPath);
    // From credentials in memory (no file to renew from).
    explicit AuthContext(const Credentials& credentials);

    // "Signed in": the credentials loaded and the certificate is valid now.
    bool IsSignedIn() const;
    bool Renew();

    bool AuthenticatePeer(EasyPylonSocket& socket, const std::string& host, uint16_t port, uint8_t mode,
                          bool encrypted, bool notSequenced, bool wantSessionId, PeerAuthResult& result);

    const std::string& LastError() const { return m_lastError; }
    void SetTimeouts(const ServiceTimeouts& timeouts) { m_timeouts = timeouts; }
    // The local clock in Unix seconds (tests move it).
    void SetClock(std::function<int64_t()> clock) { m_clock = std::move(clock); }
    // The service clock: the local clock corrected by the credentials' offset.
    int64_t ServiceNow() const;
    const AuthCertificate* Certificate() const { return m_certificate ? &*m_certificate : nullptr; }

private:
    bool Adopt(const Credentials& credentials);
    bool OwnCertificateUsable() const;
    bool Fail(std::string text);
    bool Exchange(EasyPylonSocket& socket, const WriteBuffer& message, uint32_t expectedType, ReadBuffer& body,
                  uint32_t& messageType);
    // One run of messages 50 to 53; refused is set when the server refused our certificate.
    bool RunExchange(EasyPylonSocket& socket, uint8_t mode, bool encrypted, bool notSequenced, bool wantSessionId,
                     PeerAuthResult& result, bool& refused);

    std::string m_path;
    std::optional<AuthCertificate> m_certificate;
    CryptoBytes m_certificateBytes;
    std::optional<ElGamalPrivateKey> m_privateKey;
    std::optional<PublicKeyBlock> m_keyBlock;
    int64_t m_clockOffset = 0;
    std::function<int64_t()> m_clock;
    ServiceTimeouts m_timeouts;
    std::string m_lastError;
    std::vector<uint8_t> m_reply;
};
