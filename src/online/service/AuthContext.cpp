#include "online/service/AuthContext.h"

#include "online/service/AuthMessages.h"
#include "online/service/EasyPylonSocket.h"
#include "online/service/ServiceMessage.h"
#include "online/service/SocketResult.h"
#include "platform/crypto/CryptoRandom.h"
#include "platform/crypto/ElGamalPublicKey.h"

#include <ctime>

AuthContext::AuthContext(std::string credentialsPath) : m_path(std::move(credentialsPath))
{
    Renew();
}

AuthContext::AuthContext(const Credentials& credentials)
{
    Adopt(credentials);
}

int64_t AuthContext::ServiceNow() const
{
    const int64_t local = m_clock ? m_clock() : int64_t(std::time(nullptr));
    return local + m_clockOffset;
}

bool AuthContext::Adopt(const Credentials& credentials)
{
    m_certificate.reset();
    m_privateKey.reset();
    m_keyBlock.reset();
    std::string error;
    auto certificate = AuthCertificate::Parse(credentials.certificate.data(), credentials.certificate.size());
    auto privateKey = ElGamalPrivateKey::FromBytes(credentials.privateKey, error);
    if (!certificate || !privateKey)
        return Fail("Invalid credentials.");
    m_certificate = std::move(certificate);
    m_certificateBytes = credentials.certificate;
    m_privateKey = std::move(privateKey);
    m_keyBlock = PublicKeyBlock::Parse(credentials.keyBlock.data(), credentials.keyBlock.size());
    m_clockOffset = credentials.clockOffset;
    return true;
}

bool AuthContext::Renew()
{
    if (m_path.empty())
        return m_certificate.has_value();
    Credentials credentials;
    std::string error;
    if (!LoadCredentialsFile(m_path, credentials, error)) {
        m_certificate.reset();
        m_privateKey.reset();
        return Fail(error);
    }
    return Adopt(credentials);
}

bool AuthContext::IsSignedIn() const
{
    return m_certificate && m_privateKey && m_certificate->IsCurrent(ServiceNow());
}

bool AuthContext::OwnCertificateUsable() const
{
    return m_certificate && m_privateKey && m_certificate->IsCurrent(ServiceNow()) &&
           m_certificate->IsCurrent(ServiceNow() + kOwnCertificateMargin);
}

bool AuthContext::Fail(std::string text)
{
    m_lastError = std::move(text);
    return false;
}

bool AuthContext::Exchange(EasyPylonSocket& socket, const WriteBuffer& message, uint32_t expectedType,
                           ReadBuffer& body, uint32_t& messageType)
{
    if (socket.Send(message.Data(), message.Size(), nullptr, m_timeouts.sendRequest) != ES_NO_ERROR)
        return Fail("Error sending message to server.");
    m_reply.resize(EasyPylonSocket::kMaxMessage);
    uint32_t length = 0;
    const int32_t result =
        socket.RecvMessage(m_reply.data(), uint32_t(m_reply.size()), &length, nullptr, nullptr, m_timeouts.receiveReply);
    if (result == ES_TIMED_OUT)
        return Fail("Timed out.");
    if (result != ES_NO_ERROR)
        return Fail("Socket error: " + ErrorName(result));
    const auto header = ServiceMessage::Parse(m_reply.data(), length, body);
    if (!header || header->serviceType != AuthMessages::kService)
        return Fail("Invalid service type received from server.");
    messageType = header->messageType;
    if (expectedType != 0 && messageType != expectedType)
        return Fail("Invalid message type received from peer.");
    return true;
}

bool AuthContext::AuthenticatePeer(EasyPylonSocket& socket, const std::string& host, uint16_t port, uint8_t mode,
                                   bool encrypted, bool notSequenced, bool wantSessionId, PeerAuthResult& result)
{
    if (!OwnCertificateUsable() && (!Renew() || !OwnCertificateUsable()))
        return Fail("Unable to renew the certificate.");
    bool refused = false;
    if (RunExchange(socket, mode, encrypted, notSequenced, wantSessionId, result, refused))
        return true;
    // A refused certificate is renewed once and the whole exchange runs again.
    if (refused && !m_path.empty() && Renew() && OwnCertificateUsable())
        return RunExchange(socket, mode, encrypted, notSequenced, wantSessionId, result, refused);
    return false;
}

bool AuthContext::RunExchange(EasyPylonSocket& socket, uint8_t mode, bool encrypted, bool notSequenced,
                              bool wantSessionId, PeerAuthResult& result, bool& refused)
{
    refused = false;
    result = PeerAuthResult{};
    WriteBuffer message(256);
    AuthMessages::ComposeRequest(message, {mode, encrypted, notSequenced, m_certificateBytes});
    ReadBuffer body;
    uint32_t type = 0;
    if (!Exchange(socket, message, 0, body, type))
        return false;
    if (type == AuthMessages::kStatus) {
        refused = true;
        return Fail("Certificate refused by peer.");
    }
    if (type != AuthMessages::kChallenge)
        return Fail("Invalid message type received from peer.");

    const auto challenge = AuthMessages::ParseChallenge(body);
    if (!challenge)
        return Fail("Invalid message received from peer.");
    const CryptoBytes secretPlain =
        m_privateKey->Decrypt(challenge->encryptedSecret.data(), challenge->encryptedSecret.size());
    const auto secret = AuthMessages::DecodeSecret(secretPlain);
    if (!secret || secret->size() < AuthMessages::kMinSecret || secret->size() > AuthMessages::kMaxSecret)
        return Fail("Invalid secret returned by peer.");
    if (!m_keyBlock)
        return Fail("Need public key block.");
    auto serverCertificate = AuthCertificate::Parse(challenge->certificate.data(), challenge->certificate.size());
    if (!serverCertificate || serverCertificate->kind != CertificateKind::Server ||
        !serverCertificate->Verify(*m_keyBlock))
        return Fail("Buffer is invalid.");
    if (serverCertificate->expiry + kExpiryGrace <= ServiceNow())
        return Fail("The server's certificate has expired.");

    const CryptoBytes clientKey = RandomBytes(AuthMessages::kClientKeyLength);
    const CryptoBytes responsePlain = AuthMessages::EncodeResponsePlain(*secret, clientKey);
    std::string keyError;
    auto serverKey = ElGamalPublicKey::FromBytes(serverCertificate->publicValue, keyError);
    if (!serverKey)
        return Fail("Error in Client B's public key: " + keyError);
    const CryptoBytes encrypted52 = serverKey->Encrypt(responsePlain.data(), responsePlain.size());
    if (encrypted52.empty())
        return Fail("Error Encrypting secret data: " + serverKey->ErrorText());
    AuthMessages::ComposeResponse(message, encrypted52);
    if (!Exchange(socket, message, AuthMessages::kStatus, body, type))
        return false;

    const auto status = AuthMessages::ParseStatus(body, true, wantSessionId);
    if (!status)
        return Fail("Error in message received from peer.");
    if (status->status < 0)
        return Fail("Error status on authentication: " + std::to_string(status->status));
    const CryptoBytes answerPlain = m_privateKey->Decrypt(status->answer.data(), status->answer.size());
    const auto answer = AuthMessages::DecodeSecret(answerPlain);
    if (!answer || *answer != clientKey)
        return Fail("Invalid secret returned by peer.");

    result.serverCertificate = std::move(*serverCertificate);
    if (encrypted)
        result.sessionKey = std::make_unique<BlowfishKey>(*secret);
    result.sessionId = wantSessionId ? status->sessionId : 0;
    m_lastError.clear();
    return true;
}
