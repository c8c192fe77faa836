#include "online/service/PylonRequest.h"

#include "online/service/AuthContext.h"
#include "online/service/AuthMessages.h"
#include "online/service/EasyPylonSocket.h"
#include "online/service/SessionReply.h"
#include "online/service/SocketResult.h"
#include "online/service/ServiceWaitCursor.h"

namespace {

constexpr uint8_t kHeaderEncrypted = 2;
constexpr uint32_t kSequenceOffset = 2;

} // namespace

PylonRequest::PylonRequest(const std::string& host, uint16_t port) : m_reply(kReplyCapacity)
{
    SetServer(host, port);
}

PylonRequest::~PylonRequest() = default;

void PylonRequest::SetServer(const std::string& host, uint16_t port)
{
    if (host != m_host || port != m_port)
        DropSession();
    m_host = host;
    m_port = port;
    m_address = 0;
    EasySocket::ResolveHost(host, m_address);
}

void PylonRequest::DropSession()
{
    m_sessionKey.reset();
    m_sessionId = 0;
    m_outSequence = 0;
    m_inSequence = 0;
}

void PylonRequest::SetAuth(AuthContext* context, bool encrypted, bool sessioned, bool sequenced)
{
    if (m_sessionKey && (context != m_context || !sessioned))
        DropSession();
    m_context = context;
    m_encrypted = encrypted;
    m_sessioned = sessioned;
    m_sequenced = sequenced;
    if (sessioned && !encrypted) {
        Print("Can't have authenticated sessioned unencrypted communication.\n");
        m_context = nullptr;
    }
}

bool PylonRequest::Authenticate(uint32_t community, EasyPylonSocket& socket)
{
    m_inSequence = 1;
    m_outSequence = 1;
    m_sessionKey.reset();
    if (m_context == nullptr)
        return false;
    ++m_authentications;
    PeerAuthResult result;
    const uint8_t mode = m_sessioned ? AuthMessages::kModeSession : AuthMessages::kModeAuthenticate;
    if (!m_context->AuthenticatePeer(socket, m_host, m_port, mode, m_encrypted, !m_sequenced, m_sessioned, result)) {
        Print("Unable to authenticate.\n");
        return false;
    }
    if (community != 0 && result.serverCertificate.communityId != community) {
        Print("Invalid community returned by certificate.\n");
        return false;
    }
    m_sessionKey = std::move(result.sessionKey);
    m_sessionId = result.sessionId;
    return true;
}

bool PylonRequest::Wrap(WriteBuffer& message, WriteBuffer& wire, EasyPylonSocket& socket)
{
    wire.Clear();
    if (!Authenticated()) {
        wire.Append(message.Data(), message.Size());
        return true;
    }
    if ((!m_sessioned || !m_sessionKey) && !Authenticate(0, socket))
        return false;
    if (m_encrypted && !m_sessionKey)
        return false;
    wire.AppendLong(0);
    if (m_encrypted)
        wire.AppendByte(kHeaderEncrypted);
    if (m_sessioned)
        wire.AppendShort(m_sessionId);
    uint32_t plainStart = 0;
    if (m_sequenced) {
        message.WriteShortAt(kSequenceOffset, m_outSequence++);
        plainStart = kSequenceOffset;
    }
    if (m_encrypted) {
        const CryptoBytes cipher = m_sessionKey->Encrypt(message.Data() + plainStart, message.Size() - plainStart);
        if (cipher.empty()) {
            Print("Error encrypting: " + m_sessionKey->ErrorText() + "\n");
            return false;
        }
        wire.Append(cipher.data(), uint32_t(cipher.size()));
    } else {
        wire.Append(message.Data() + 4, message.Size() - 4);
    }
    wire.WriteLongAt(0, wire.Size());
    return true;
}

bool PylonRequest::Fail(const std::string& line)
{
    Print(line);
    // A sessioned exchange that failed in any way starts its next try with a new
    // authentication, so both ends agree on the key and the sequence numbers.
    if (Authenticated() && m_sessioned)
        DropSession();
    return false;
}

bool PylonRequest::SendReceive(WriteBuffer& message, uint32_t serviceType, uint32_t messageType, ReadBuffer& reply,
                               EasyPylonSocket& socket)
{
    WriteBuffer wire(256);
    if (!Wrap(message, wire, socket)) {
        if (Authenticated() && m_sessioned)
            DropSession();
        return false;
    }
    if (socket.Send(wire.Data(), wire.Size(), nullptr, m_timeouts.sendRequest) != ES_NO_ERROR)
        return Fail("Error sending message to server.\n");
    uint32_t length = 0;
    const int32_t result =
        socket.RecvMessage(m_reply.data(), uint32_t(m_reply.size()), &length, nullptr, nullptr, m_timeouts.receiveReply);
    if (result == ES_TIMED_OUT)
        return Fail("Timed out.\n");
    if (result != ES_NO_ERROR)
        return Fail("Socket error: " + ErrorName(result) + "\n");
    return ReadReply(length, serviceType, messageType, reply);
}

bool PylonRequest::ReadReply(uint32_t length, uint32_t serviceType, uint32_t messageType, ReadBuffer& reply)
{
    const SessionReplyFlags flags{Authenticated(), m_sessioned, m_encrypted, m_sessionId};
    std::string keyError;
    switch (ReadSessionReply(m_reply.data(), length, flags, m_sessionKey.get(), reply, keyError)) {
    case SessionReplyStatus::Ok:
        break;
    case SessionReplyStatus::Expired:
        return Fail("Session key has expired...\n");
    case SessionReplyStatus::WrongSessionId:
        return Fail("Invalid session Id received.\n");
    case SessionReplyStatus::EncryptedOnPlainChannel:
        return Fail("Error: Received encrypted message on unencrypted channel.\n");
    case SessionReplyStatus::PlainOnEncryptedChannel:
        return Fail("Error: Received unencrypted message on encrypted channel.\n");
    case SessionReplyStatus::DecryptFailed:
        return Fail("Error decrypting message: " + keyError + "\n");
    }
    if (Authenticated() && m_sequenced) {
        uint16_t sequence = 0;
        if (!reply.ReadShort(sequence) || sequence != m_inSequence)
            return Fail("Invalid sequence number received.\n");
        ++m_inSequence;
    }
    if (serviceType == 0)
        return true;
    uint32_t value = 0;
    if (!reply.ReadLong(value))
        return Fail("Error: no service type.\n");
    if (value != serviceType)
        return Fail("Invalid service type received from server.\n");
    if (messageType == 0)
        return true;
    if (!reply.ReadLong(value))
        return Fail("Error: no message type.\n");
    if (value != messageType)
        return Fail("Invalid message type received from server.\n");
    return true;
}

bool PylonRequest::Exchange(WriteBuffer& message, uint32_t serviceType, uint32_t messageType, ReadBuffer& reply)
{
    ServiceWaitCursor waitCursor;
    EasyPylonSocket socket(EasySocket::kStream, EasyPylonSocket::kMaxMessage);
    if (m_context)
        m_context->SetTimeouts(m_timeouts);
    bool done = false;
    for (int attempt = 0; attempt < kTries && !done; ++attempt) {
        if (attempt > 0)
            Print("Retrying...\n");
        // An unresolved host (address 0) is never "connected" to this machine.
        if (m_address == 0 ||
            socket.Connect(m_address, m_port, m_timeouts.connect, m_timeouts.connectAttempts) != ES_NO_ERROR) {
            Print("Error connecting to server.\n");
            continue;
        }
        done = SendReceive(message, serviceType, messageType, reply, socket);
    }
    socket.Close();
    return done;
}
