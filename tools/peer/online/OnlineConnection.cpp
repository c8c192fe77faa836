#include "peer/online/OnlineConnection.h"

#include "online/service/AuthMessages.h"
#include "online/service/DirRequest.h"
#include "online/service/FactoryRequest.h"
#include "online/service/ServiceMessage.h"
#include "online/service/SocketResult.h"
#include "peer/online/OnlineServiceState.h"
#include "peer/online/PeerChatServer.h"
#include "platform/crypto/AuthCertificate.h"
#include "platform/crypto/CryptoRandom.h"

#include <QString>

#include <chrono>
#include <ctime>

namespace {

constexpr int kPollMs = 100;
constexpr uint8_t kHeaderExpired = 1;
constexpr uint8_t kHeaderEncrypted = 2;
constexpr uint32_t kSequenceOffset = 2;
constexpr int16_t kStatusRefused = -1;
constexpr int16_t kStatusBadCertificate = -3;
constexpr int16_t kStatusBadSecret = -5;
constexpr int16_t kStatusNoRoom = -2;
constexpr int16_t kStatusUnknownProcess = 3;
constexpr int16_t kStatusUnknownPath = 1;
constexpr int64_t kCertificateGrace = 300;
constexpr size_t kSecretLength = 16;
constexpr size_t kShortSecretLength = 4;
constexpr size_t kMaxRoomName = 63;
constexpr size_t kMaxRoomPassword = 31;

bool ReadNarrow(ReadBuffer& reader, std::string& text)
{
    uint16_t n = 0;
    if (!reader.ReadShort(n) || reader.Remaining() < n)
        return false;
    text.assign(reinterpret_cast<const char*>(reader.Current()), n);
    reader.Skip(n);
    return true;
}

} // namespace

OnlineConnection::OnlineConnection(OnlineServiceState& state, Role role, int handle, PeerChatServer* chat)
    : m_state(state), m_role(role), m_socket(EasySocket::kStream, EasyPylonSocket::kMaxMessage), m_chat(chat)
{
    m_socket.Adopt(handle);
}

void OnlineConnection::Run()
{
    std::vector<uint8_t> message(EasyPylonSocket::kMaxMessage);
    auto lastRequest = std::chrono::steady_clock::now();
    while (!m_state.stopping) {
        uint32_t length = 0, serviceType = 0, messageType = 0;
        const int32_t result =
            m_socket.RecvMessage(message.data(), uint32_t(message.size()), &length, &serviceType, &messageType, kPollMs);
        if (result == ES_TIMED_OUT) {
            if (std::chrono::steady_clock::now() - lastRequest > std::chrono::milliseconds(m_state.idleTimeoutMs))
                return;
            continue;
        }
        lastRequest = std::chrono::steady_clock::now();
        if (result != ES_NO_ERROR)
            return;
        bool keep = false;
        if (message[4] == kHeaderEncrypted) {
            keep = HandleWrapped(message.data(), length);
        } else {
            ReadBuffer body;
            if (!ServiceMessage::Parse(message.data(), length, body))
                return;
            if (serviceType == AuthMessages::kService) {
                keep = HandleAuth(messageType, body);
            } else if (m_role == Role::Chat && m_chat) {
                keep = m_chat->Handle(m_socket, m_authenticated, messageType, body);
            } else {
                WriteBuffer reply(256);
                keep = Dispatch(serviceType, messageType, body, reply) && SendReply(reply.Data(), reply.Size());
            }
        }
        if (!keep)
            return;
    }
}

bool OnlineConnection::SendPlain(const WriteBuffer& message)
{
    return m_socket.Send(message.Data(), message.Size(), nullptr, 1000) == ES_NO_ERROR;
}

bool OnlineConnection::SendAuthStatus(int16_t status)
{
    WriteBuffer message(64);
    AuthMessages::ComposeStatus(message, AuthMessages::Status{status, {}, 0}, false, false);
    m_pending.reset();
    return SendPlain(message);
}

bool OnlineConnection::HandleAuth(uint32_t messageType, ReadBuffer& body)
{
    const int64_t now = int64_t(std::time(nullptr));
    if (messageType == AuthMessages::kRequest) {
        const auto request = AuthMessages::ParseRequest(body);
        if (!request)
            return false;
        if (m_state.faults.Take(OnlineFault::RefuseCertificate))
            return SendAuthStatus(kStatusRefused);
        const auto certificate = AuthCertificate::Parse(request->certificate.data(), request->certificate.size());
        if (!certificate || certificate->kind != CertificateKind::Player || !certificate->Verify(m_state.keyBlock) ||
            certificate->notBefore > now + kCertificateGrace || certificate->expiry + kCertificateGrace <= now)
            return SendAuthStatus(kStatusBadCertificate);
        std::string error;
        Pending pending;
        pending.clientKey = ElGamalPublicKey::FromBytes(certificate->publicValue, error);
        if (!pending.clientKey)
            return SendAuthStatus(kStatusBadCertificate);
        pending.secret = RandomBytes(m_state.faults.Take(OnlineFault::ShortSecret) ? kShortSecretLength : kSecretLength);
        pending.mode = request->mode;
        pending.encrypted = request->encrypted;
        pending.sequenced = !request->notSequenced;
        const CryptoBytes secretPlain = AuthMessages::EncodeSecret(pending.secret);
        AuthMessages::Challenge challenge;
        challenge.encryptedSecret = pending.clientKey->Encrypt(secretPlain.data(), secretPlain.size());
        challenge.certificate = m_state.faults.Take(OnlineFault::ExpiredCertificate) ? m_state.expiredCertificate
                                                                                     : m_state.serverCertificate;
        if (challenge.encryptedSecret.empty())
            return false;
        m_pending = std::move(pending);
        WriteBuffer message(1024);
        AuthMessages::ComposeChallenge(message, challenge);
        return SendPlain(message);
    }
    if (messageType != AuthMessages::kResponse || !m_pending)
        return false;
    const auto encrypted = AuthMessages::ParseResponse(body);
    if (!encrypted)
        return false;
    CryptoBytes plain;
    {
        std::lock_guard lock(m_state.serverKeyMutex);
        plain = m_state.serverKey->Decrypt(encrypted->data(), encrypted->size());
    }
    const auto response = AuthMessages::DecodeResponsePlain(plain);
    if (!response || response->secret != m_pending->secret)
        return SendAuthStatus(kStatusBadSecret);
    const CryptoBytes answerKey =
        m_state.faults.Take(OnlineFault::WrongNonce) ? RandomBytes(AuthMessages::kClientKeyLength) : response->clientKey;
    const CryptoBytes answerPlain = AuthMessages::EncodeSecret(answerKey);
    AuthMessages::Status status;
    status.answer = m_pending->clientKey->Encrypt(answerPlain.data(), answerPlain.size());
    const bool session = m_pending->mode == AuthMessages::kModeSession;
    if (session) {
        status.sessionId = m_state.sessions.Open(m_pending->secret, m_pending->sequenced);
    } else {
        m_connectionKey = m_pending->encrypted ? std::make_unique<BlowfishKey>(m_pending->secret) : nullptr;
        m_connectionSequenced = m_pending->sequenced;
        m_connectionIn = m_connectionOut = 1;
    }
    m_pending.reset();
    m_authenticated = true;
    ++m_state.authentications;
    WriteBuffer message(1024);
    AuthMessages::ComposeStatus(message, status, true, session);
    return SendPlain(message);
}

bool OnlineConnection::SendExpired()
{
    // The smallest whole message: the length, header byte 1 and padding.
    WriteBuffer message(16);
    message.AppendLong(EasyPylonSocket::kMinMessage);
    message.AppendByte(kHeaderExpired);
    const uint8_t padding[7] = {};
    message.Append(padding, sizeof padding);
    return SendReply(message.Data(), message.Size());
}

bool OnlineConnection::HandleWrapped(const uint8_t* message, uint32_t length)
{
    ReadBuffer reader(message + 4, length - 4);
    uint8_t header = 0;
    reader.ReadByte(header);
    const bool sessioned = m_connectionKey == nullptr;
    uint16_t sessionId = 0;
    if (sessioned && !reader.ReadShort(sessionId))
        return false;
    uint32_t cipherLength = 0;
    const uint8_t* cipher = reader.ReadRest(cipherLength);

    // The plain text of the request and the wrapped reply, made under the session's lock.
    CryptoBytes wire;
    bool expired = false, malformed = false;
    auto serve = [&](BlowfishKey& key, bool sequenced, uint16_t& in, uint16_t& out) {
        CryptoBytes plain = key.Decrypt(cipher, cipherLength);
        ReadBuffer body(plain.data(), uint32_t(plain.size()));
        uint16_t sequence = 0;
        uint32_t serviceType = 0, messageType = 0;
        if (sequenced && (!body.ReadShort(sequence) || sequence != in)) {
            malformed = true;
            return;
        }
        if (!sequenced)
            body.Skip(4);
        if (plain.empty() || !body.ReadLong(serviceType) || !body.ReadLong(messageType)) {
            malformed = true;
            return;
        }
        ++in;
        WriteBuffer reply(256);
        if (!Dispatch(serviceType, messageType, body, reply)) {
            malformed = true;
            return;
        }
        uint32_t plainStart = 0;
        if (sequenced) {
            uint16_t sent = out;
            if (m_state.faults.Take(OnlineFault::RepeatSequence)) {
                sent = uint16_t(out - 1);
            } else if (m_state.faults.Take(OnlineFault::SkipSequence)) {
                sent = uint16_t(out + 1);
                out = uint16_t(out + 2);
            } else {
                ++out;
            }
            reply.WriteShortAt(kSequenceOffset, sent);
            plainStart = kSequenceOffset;
        }
        const uint16_t idSent = m_state.faults.Take(OnlineFault::WrongSessionId) ? uint16_t(sessionId + 1) : sessionId;
        WriteBuffer out2(256);
        out2.AppendLong(0);
        if (m_state.faults.Take(OnlineFault::PlaintextReply)) {
            out2.AppendByte(0);
            if (sessioned)
                out2.AppendShort(idSent);
            out2.Append(reply.Data() + plainStart, reply.Size() - plainStart);
        } else {
            CryptoBytes sealed = key.Encrypt(reply.Data() + plainStart, reply.Size() - plainStart);
            if (sealed.empty()) {
                malformed = true;
                return;
            }
            if (m_state.faults.Take(OnlineFault::TamperCiphertext))
                sealed[BlowfishKey::kNonceLength] ^= 0x5A;
            out2.AppendByte(kHeaderEncrypted);
            if (sessioned)
                out2.AppendShort(idSent);
            out2.Append(sealed.data(), uint32_t(sealed.size()));
        }
        out2.WriteLongAt(0, out2.Size());
        wire.assign(out2.Data(), out2.Data() + out2.Size());
    };

    if (!sessioned) {
        serve(*m_connectionKey, m_connectionSequenced, m_connectionIn, m_connectionOut);
    } else if (m_state.faults.Take(OnlineFault::ExpireSession)) {
        m_state.sessions.Close(sessionId);
        expired = true;
    } else if (!m_state.sessions.Use(sessionId, [&](OnlineSession& session) {
                   serve(*session.key, session.sequenced, session.inSequence, session.outSequence);
               })) {
        expired = true;
    }
    if (expired)
        return SendExpired();
    if (malformed)
        return false;
    return SendReply(wire.data(), uint32_t(wire.size()));
}

bool OnlineConnection::Dispatch(uint32_t serviceType, uint32_t messageType, ReadBuffer& body, WriteBuffer& reply)
{
    ++m_state.requests;
    if (m_role == Role::Directory && serviceType == DirRequest::kService)
        return DirectoryReply(messageType, body, reply);
    if (m_role == Role::Factory && serviceType == FactoryRequest::kService)
        return FactoryReply(messageType, body, reply);
    return false;
}

bool OnlineConnection::DirectoryReply(uint32_t messageType, ReadBuffer& body, WriteBuffer& reply)
{
    std::u16string path;
    if (messageType != DirRequest::kRequest || !body.ReadWString(path))
        return false;
    ServiceMessage::Begin(reply, DirRequest::kService, DirRequest::kReply);
    const uint16_t extra = m_state.faults.Take(OnlineFault::BadCount) ? 1000 : 0;
    if (!m_state.directory.AppendListing(path, reply, extra)) {
        reply.AppendShort(uint16_t(kStatusUnknownPath));
        reply.AppendShort(0);
    }
    ServiceMessage::End(reply);
    return true;
}

bool OnlineConnection::FactoryReply(uint32_t messageType, ReadBuffer& body, WriteBuffer& reply)
{
    std::string process, commandLine, directoryAddress;
    std::u16string displayName, path;
    uint8_t flag = 0;
    uint32_t value = 0;
    if (messageType != FactoryRequest::kRequest || !ReadNarrow(body, process) || !body.ReadByte(flag) ||
        !ReadNarrow(body, commandLine) || !body.ReadLong(value) || !ReadNarrow(body, directoryAddress) ||
        !body.ReadWString(displayName) || !body.ReadWString(path))
        return false;
    int16_t status = FactoryRequest::kStatusStarted;
    uint16_t port = 0;
    const std::string prefix = "-password ";
    const std::string password = commandLine.rfind(prefix, 0) == 0 ? commandLine.substr(prefix.size()) : "";
    // Names and passwords as long as a room holds them; longer names would soon make
    // the room listing too large for one message.
    if (process != "KSChatServ" || path != OnlineDirectory::kRoomsPath || displayName.empty() ||
        displayName.size() > kMaxRoomName || password.size() > kMaxRoomPassword) {
        status = kStatusUnknownProcess;
    } else {
        std::string error;
        port = m_state.directory.StartRoom(QString::fromStdU16String(displayName).toStdString(), password, false, error);
        if (port == 0)
            status = kStatusNoRoom;
    }
    ServiceMessage::Begin(reply, FactoryRequest::kService, FactoryRequest::kReply);
    reply.AppendShort(uint16_t(status));
    reply.AppendByte(1);
    reply.AppendShort(port);
    ServiceMessage::End(reply);
    return true;
}

void OnlineConnection::StallUntilGone()
{
    std::vector<uint8_t> sink(4096);
    while (!m_state.stopping) {
        uint32_t got = 0;
        const int32_t result = m_socket.Recv(sink.data(), uint32_t(sink.size()), &got, kPollMs);
        if (result != ES_TIMED_OUT && result != ES_NO_ERROR && result != ES_INCOMPLETE_RECV)
            return;
        if (result == ES_INCOMPLETE_RECV && got == 0)
            return;
    }
}

bool OnlineConnection::SendReply(const uint8_t* bytes, uint32_t n)
{
    if (m_state.faults.Take(OnlineFault::Stall)) {
        StallUntilGone();
        return false;
    }
    if (m_state.faults.Take(OnlineFault::CloseMidMessage)) {
        m_socket.Send(bytes, n / 2, nullptr, 1000);
        return false;
    }
    std::vector<uint8_t> copy(bytes, bytes + n);
    if (m_state.faults.Take(OnlineFault::BadLength))
        copy[0] = 8, copy[1] = copy[2] = copy[3] = 0;
    else if (m_state.faults.Take(OnlineFault::HugeLength))
        copy[0] = copy[1] = copy[2] = copy[3] = 0xFF;
    return m_socket.Send(copy.data(), uint32_t(copy.size()), nullptr, 1000) == ES_NO_ERROR;
}
