#pragma once
// One connection to a loopback directory or factory server: peer authentication
// (messages 50 to 53), the session layer around requests, the directory and factory
// requests, and the armed faults.
#include "online/buffers/ReadBuffer.h"
#include "online/buffers/WriteBuffer.h"
#include "online/service/EasyPylonSocket.h"
#include "platform/crypto/BlowfishKey.h"
#include "platform/crypto/ElGamalPublicKey.h"

#include <memory>
#include <optional>

struct OnlineServiceState;
class PeerChatServer;

class OnlineConnection
{
public:
    enum class Role
    {
        Directory,
        Factory,
        Chat,
    };

    // A chat connection hands its service messages to chat.
    OnlineConnection(OnlineServiceState& state, Role role, int handle, PeerChatServer* chat = nullptr);
    // Serves requests until the client leaves, a request is malformed or the service stops.
    void Run();
    EasyPylonSocket& Socket() { return m_socket; }

private:
    struct Pending
    {
        CryptoBytes secret;
        std::optional<ElGamalPublicKey> clientKey;
        uint8_t mode = 0;
        bool encrypted = true;
        bool sequenced = true;
    };

    bool HandleAuth(uint32_t messageType, ReadBuffer& body);
    bool HandleWrapped(const uint8_t* message, uint32_t length);
    bool Dispatch(uint32_t serviceType, uint32_t messageType, ReadBuffer& body, WriteBuffer& reply);
    bool DirectoryReply(uint32_t messageType, ReadBuffer& body, WriteBuffer& reply);
    bool FactoryReply(uint32_t messageType, ReadBuffer& body, WriteBuffer& reply);
    bool SendPlain(const WriteBuffer& message);
    // Sends a service reply through the transport faults (stall, close, bad lengths).
    bool SendReply(const uint8_t* bytes, uint32_t n);
    bool SendExpired();
    bool SendAuthStatus(int16_t status);
    void StallUntilGone();

    OnlineServiceState& m_state;
    Role m_role;
    EasyPylonSocket m_socket;
    std::optional<Pending> m_pending;
    // A key bound to this connection (authentication without a session).
    std::unique_ptr<BlowfishKey> m_connectionKey;
    bool m_connectionSequenced = false;
    uint16_t m_connectionIn = 1;
    uint16_t m_connectionOut = 1;
    PeerChatServer* m_chat = nullptr;
    bool m_authenticated = false;
};
