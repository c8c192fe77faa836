#pragma once
// A room's chat server as the loopback factory starts it, on 127.0.0.1: TCP log-ins
// (after peer authentication) with the room password check, full, added and left
// user lists, chat lines relayed to every member including the sender, and on the
// same port number over UDP the status and name queries. Robots are members without
// a connection that speak through Say. The service's faults switch in malformed
// messages, huge user lists, duplicate ids, unsafe text and a close mid-message.
#include "online/buffers/ReadBuffer.h"
#include "online/buffers/WriteBuffer.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class EasyPylonSocket;
struct OnlineServiceState;

class PeerChatServer
{
public:
    PeerChatServer(OnlineServiceState& state, std::string name, std::string password);
    ~PeerChatServer();
    PeerChatServer(const PeerChatServer&) = delete;
    PeerChatServer& operator=(const PeerChatServer&) = delete;

    // Listens on 127.0.0.1:port (0: any free port) over TCP and UDP; false with the
    // reason in error.
    bool Start(uint16_t port, std::string& error);

    const std::string& Name() const { return m_name; }
    const std::string& Password() const { return m_password; }
    uint16_t Port() const { return m_port; }
    size_t Users() const;
    int StatusQueries() const { return m_statusQueries; }
    int Logins() const { return m_logins; }
    // Pretends the room holds this many more users in status replies.
    void SetExtraUsers(uint16_t extra) { m_extraUsers = extra; }

    // A robot joins (once) and says text to the room.
    void Say(const std::string& robot, const std::string& text);
    void RemoveRobot(const std::string& robot);

    // A service message of a connection; false closes the connection.
    bool Handle(EasyPylonSocket& socket, bool authenticated, uint32_t messageType, ReadBuffer& body);
    // The connection is gone.
    void Leave(EasyPylonSocket& socket);

private:
    struct Member
    {
        EasyPylonSocket* socket = nullptr;
        uint32_t id = 0;
        std::string name;
    };

    void Loop();
    void Serve(int handle);
    void AnswerDatagrams();
    bool Login(EasyPylonSocket& socket, bool authenticated, ReadBuffer& body);
    void ArmedFaults(Member& member);
    // Under m_mutex.
    void SendTo(const Member& member, const WriteBuffer& message);
    void Broadcast(const WriteBuffer& message, uint32_t except = 0);
    Member* FindSocket(EasyPylonSocket& socket);
    uint32_t RobotId(const std::string& robot);

    OnlineServiceState& m_state;
    std::string m_name;
    std::string m_password;
    int m_listener = -1;
    int m_datagram = -1;
    int m_wake[2] = {-1, -1};
    uint16_t m_port = 0;
    std::thread m_thread;
    std::atomic<bool> m_stopping{false};
    mutable std::mutex m_mutex;
    std::vector<Member> m_members;
    uint32_t m_nextId = 1;
    std::condition_variable m_idle;
    int m_connections = 0;
    std::atomic<int> m_statusQueries{0};
    std::atomic<int> m_logins{0};
    std::atomic<uint16_t> m_extraUsers{0};
};

// A TCP socket listening on 127.0.0.1:port; -1 on failure with the reason in error,
// the port taken in port.
int ListenOnLoopback(uint16_t& port, std::string& error);
