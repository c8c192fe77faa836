#pragma once
// One request and one reply with an online-service server: the server's address, the
// optional session layer (peer authentication, a Blowfish session key, a session id,
// sequence numbers) and the connect / send / receive cycle with three tries.
// Diagnostics are one line each (ServiceDiagnostics).
#include "online/buffers/ReadBuffer.h"
#include "online/buffers/WriteBuffer.h"
#include "online/service/ServiceDiagnostics.h"
#include "online/service/ServiceTimeouts.h"
#include "platform/crypto/BlowfishKey.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class AuthContext;
class EasyPylonSocket;

class PylonRequest
{
public:
    static constexpr uint32_t kReplyCapacity = 32768;
    static constexpr int kTries = 3;

    PylonRequest(const std::string& host, uint16_t port);
    virtual ~PylonRequest();
    PylonRequest(const PylonRequest&) = delete;
    PylonRequest& operator=(const PylonRequest&) = delete;

    void SetServer(const std::string& host, uint16_t port);
    void SetAuth(AuthContext* context, bool encrypted, bool sessioned, bool sequenced);
    bool Authenticate(uint32_t community, EasyPylonSocket& socket);
    bool Wrap(WriteBuffer& message, WriteBuffer& wire, EasyPylonSocket& socket);
    bool SendReceive(WriteBuffer& message, uint32_t serviceType, uint32_t messageType, ReadBuffer& reply,
                     EasyPylonSocket& socket);
    bool Exchange(WriteBuffer& message, uint32_t serviceType, uint32_t messageType, ReadBuffer& reply);

    void SetTimeouts(const ServiceTimeouts& timeouts) { m_timeouts = timeouts; }
    const ServiceTimeouts& Timeouts() const { return m_timeouts; }
    void SetDiagnostics(DiagnosticSink sink) { m_diagnostics.SetSink(std::move(sink)); }

    const std::string& Host() const { return m_host; }
    uint16_t Port() const { return m_port; }
    uint32_t Address() const { return m_address; }
    bool HasSessionKey() const { return m_sessionKey != nullptr; }
    uint16_t SessionId() const { return m_sessionId; }
    uint16_t OutSequence() const { return m_outSequence; }
    uint16_t InSequence() const { return m_inSequence; }
    // How many peer authentications this request has run.
    int Authentications() const { return m_authentications; }

protected:
    void Print(const std::string& line) const { m_diagnostics.Print(line); }

private:
    bool Authenticated() const { return m_context != nullptr; }
    void DropSession();
    bool Fail(const std::string& line);
    bool ReadReply(uint32_t length, uint32_t serviceType, uint32_t messageType, ReadBuffer& reply);

    std::string m_host;
    uint16_t m_port = 0;
    std::vector<uint8_t> m_reply;
    uint32_t m_address = 0;
    bool m_sequenced = false;
    bool m_sessioned = false;
    bool m_encrypted = false;
    uint16_t m_sessionId = 0;
    uint16_t m_outSequence = 0;
    uint16_t m_inSequence = 0;
    std::unique_ptr<BlowfishKey> m_sessionKey;
    AuthContext* m_context = nullptr;
    ServiceTimeouts m_timeouts;
    ServiceDiagnostics m_diagnostics;
    int m_authentications = 0;
};
