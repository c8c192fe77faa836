#include "peer/online/PeerChatServer.h"

#include "online/chat/ChatMessages.h"
#include "online/chat/ChatRoom.h"
#include "online/service/EasyPylonSocket.h"
#include "online/service/ServiceMessage.h"
#include "peer/online/OnlineConnection.h"
#include "peer/online/OnlineServiceState.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr int kSendMs = 1000;
constexpr int kMaxConnections = 128;
constexpr uint16_t kStatusRefused = 1;
constexpr int kHugeBatches = 6;
constexpr int kHugeBatch = 1000;
constexpr uint32_t kHugeFirstId = 100000;

} // namespace

int ListenOnLoopback(uint16_t& port, std::string& error)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        error = std::strerror(errno);
        return -1;
    }
    const int on = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || ::listen(fd, 64) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        error = "cannot listen on 127.0.0.1:" + std::to_string(port) + ": " + std::strerror(errno);
        ::close(fd);
        return -1;
    }
    port = ntohs(address.sin_port);
    return fd;
}

PeerChatServer::PeerChatServer(OnlineServiceState& state, std::string name, std::string password)
    : m_state(state), m_name(std::move(name)), m_password(std::move(password))
{
}

PeerChatServer::~PeerChatServer()
{
    m_stopping = true;
    if (m_wake[1] >= 0) {
        const char byte = 1;
        [[maybe_unused]] const ssize_t written = ::write(m_wake[1], &byte, 1);
    }
    if (m_thread.joinable())
        m_thread.join();
    {
        std::unique_lock lock(m_mutex);
        m_idle.wait(lock, [this] { return m_connections == 0; });
    }
    for (int handle : {m_listener, m_datagram, m_wake[0], m_wake[1]})
        if (handle >= 0)
            ::close(handle);
}

bool PeerChatServer::Start(uint16_t port, std::string& error)
{
    // The UDP port of the same number may be taken; with any port, another one is tried.
    for (int attempt = 0; attempt < 32; ++attempt) {
        m_port = port;
        m_listener = ListenOnLoopback(m_port, error);
        if (m_listener < 0)
            return false;
        m_datagram = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(m_port);
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        if (m_datagram >= 0 && ::bind(m_datagram, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0)
            break;
        error = "cannot bind UDP 127.0.0.1:" + std::to_string(m_port) + ": " + std::strerror(errno);
        if (m_datagram >= 0)
            ::close(m_datagram);
        ::close(m_listener);
        m_datagram = m_listener = -1;
        if (port != 0)
            return false;
    }
    if (m_datagram < 0)
        return false;
    if (::pipe2(m_wake, O_CLOEXEC | O_NONBLOCK) != 0) {
        error = "cannot make a pipe";
        return false;
    }
    m_thread = std::thread([this] { Loop(); });
    return true;
}

size_t PeerChatServer::Users() const
{
    std::lock_guard lock(m_mutex);
    return m_members.size();
}

void PeerChatServer::Loop()
{
    pollfd entries[3] = {{m_listener, POLLIN, 0}, {m_datagram, POLLIN, 0}, {m_wake[0], POLLIN, 0}};
    while (!m_stopping && !m_state.stopping) {
        if (::poll(entries, 3, 200) <= 0)
            continue;
        if (entries[2].revents != 0)
            return;
        if (entries[1].revents & POLLIN)
            AnswerDatagrams();
        if ((entries[0].revents & POLLIN) == 0)
            continue;
        const int handle = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
        if (handle < 0)
            continue;
        std::lock_guard lock(m_mutex);
        if (m_connections >= kMaxConnections) {
            ::close(handle);
            continue;
        }
        ++m_connections;
        std::thread([this, handle] { Serve(handle); }).detach();
    }
}

void PeerChatServer::Serve(int handle)
{
    {
        OnlineConnection connection(m_state, OnlineConnection::Role::Chat, handle, this);
        connection.Run();
        Leave(connection.Socket());
    }
    std::lock_guard lock(m_mutex);
    --m_connections;
    m_idle.notify_all();
}

void PeerChatServer::AnswerDatagrams()
{
    uint8_t bytes[1024];
    for (;;) {
        sockaddr_in from{};
        socklen_t fromLength = sizeof from;
        const ssize_t n =
            ::recvfrom(m_datagram, bytes, sizeof bytes, 0, reinterpret_cast<sockaddr*>(&from), &fromLength);
        if (n <= 0)
            return;
        const auto query = ChatMessages::ParseQuery(bytes, uint32_t(n));
        if (!query)
            continue;
        WriteBuffer reply(16);
        if (query->type == ChatMessages::kStatusQuery) {
            ++m_statusQueries;
            if (m_state.faults.Armed(OnlineFault::ChatSilent))
                continue;
            ChatMessages::ComposeStatusReply(reply, query->tag, uint16_t(Users() + m_extraUsers));
        } else {
            bool here = false;
            {
                std::lock_guard lock(m_mutex);
                for (const Member& member : m_members)
                    here = here || SameText(member.name, query->name);
            }
            if (!here)
                continue;
            ChatMessages::ComposeNameReply(reply, query->tag);
        }
        ::sendto(m_datagram, reply.Data(), reply.Size(), 0, reinterpret_cast<sockaddr*>(&from), fromLength);
    }
}

PeerChatServer::Member* PeerChatServer::FindSocket(EasyPylonSocket& socket)
{
    for (Member& member : m_members)
        if (member.socket == &socket)
            return &member;
    return nullptr;
}

void PeerChatServer::SendTo(const Member& member, const WriteBuffer& message)
{
    if (member.socket)
        member.socket->Send(message.Data(), message.Size(), nullptr, kSendMs);
}

void PeerChatServer::Broadcast(const WriteBuffer& message, uint32_t except)
{
    for (const Member& member : m_members)
        if (member.id != except)
            SendTo(member, message);
}

bool PeerChatServer::Handle(EasyPylonSocket& socket, bool authenticated, uint32_t messageType, ReadBuffer& body)
{
    if (messageType == ChatMessages::kLogin)
        return Login(socket, authenticated, body);
    if (messageType != ChatMessages::kChatLine)
        return true;
    uint32_t id = 0;
    uint16_t kind = 0;
    if (!body.ReadLong(id) || !body.ReadShort(kind))
        return false;
    uint32_t n = 0;
    const uint8_t* text = body.ReadRest(n);
    std::lock_guard lock(m_mutex);
    const Member* member = FindSocket(socket);
    if (!member)
        return false;
    WriteBuffer line(n + 32);
    ChatMessages::ComposeChatLine(line, member->id, ChatMessages::kKindChat, text, n);
    Broadcast(line);
    return true;
}

bool PeerChatServer::Login(EasyPylonSocket& socket, bool authenticated, ReadBuffer& body)
{
    const auto login = ChatMessages::ParseLogin(body);
    if (!login)
        return false;
    ++m_logins;
    std::lock_guard lock(m_mutex);
    WriteBuffer reply(32);
    ServiceMessage::Begin(reply, ChatMessages::kService, ChatMessages::kLoginReply);
    uint16_t status = ChatMessages::kStatusAccepted;
    if (!authenticated || FindSocket(socket))
        status = kStatusRefused;
    else if (!m_password.empty() && login->password != m_password)
        status = ChatMessages::kStatusPassword;
    const uint32_t id = status == ChatMessages::kStatusAccepted ? m_nextId++ : 0;
    reply.AppendShort(status);
    reply.AppendLong(id);
    ServiceMessage::End(reply);
    if (socket.Send(reply.Data(), reply.Size(), nullptr, kSendMs) != 0)
        return false;
    if (status != ChatMessages::kStatusAccepted)
        return true;
    Member joined{&socket, id, ChatMessages::CleanName(login->name)};
    std::vector<ChatMessages::User> users;
    for (const Member& member : m_members)
        users.push_back({member.id, member.name});
    users.push_back({id, joined.name});
    WriteBuffer full(1024);
    ChatMessages::ComposeUsers(full, ChatMessages::kFullUserList, users);
    SendTo(joined, full);
    WriteBuffer added(256);
    ChatMessages::ComposeUsers(added, ChatMessages::kUsersAdded, {{id, joined.name}});
    Broadcast(added);
    m_members.push_back(joined);
    if (m_state.faults.Take(OnlineFault::ChatCloseMidMessage)) {
        const uint8_t text[] = "cut short\r\n";
        WriteBuffer line(64);
        ChatMessages::ComposeChatLine(line, id, ChatMessages::kKindChat, text, sizeof text - 1);
        socket.Send(line.Data(), line.Size() / 2, nullptr, kSendMs);
        m_members.pop_back();
        return false;
    }
    ArmedFaults(m_members.back());
    return true;
}

void PeerChatServer::ArmedFaults(Member& member)
{
    if (m_state.faults.Take(OnlineFault::ChatDuplicateIds)) {
        WriteBuffer added(256);
        ChatMessages::ComposeUsers(added, ChatMessages::kUsersAdded,
                                   {{member.id, "Impostor"}, {9001, "Twin"}, {9001, "Twin renamed"}});
        SendTo(member, added);
    }
    if (m_state.faults.Take(OnlineFault::ChatHugeUserList)) {
        for (int batch = 0; batch < kHugeBatches; ++batch) {
            std::vector<ChatMessages::User> users;
            for (int i = 0; i < kHugeBatch; ++i) {
                const uint32_t id = kHugeFirstId + uint32_t(batch * kHugeBatch + i);
                users.push_back({id, "crowd" + std::to_string(id)});
            }
            WriteBuffer added(32768);
            ChatMessages::ComposeUsers(added, ChatMessages::kUsersAdded, users);
            SendTo(member, added);
        }
    }
    if (m_state.faults.Take(OnlineFault::ChatControlText)) {
        const uint32_t id = 9100;
        WriteBuffer added(256);
        ChatMessages::ComposeUsers(added, ChatMessages::kUsersAdded, {{id, "Mal\x01lory<b>"}});
        SendTo(member, added);
        const std::string text = "<b>bold</b>\x07\t<i>x</i>\xE2\x80\xAE"
                                 "evil\r\n";
        WriteBuffer line(256);
        ChatMessages::ComposeChatLine(line, id, ChatMessages::kKindChat, reinterpret_cast<const uint8_t*>(text.data()),
                                      uint32_t(text.size()));
        SendTo(member, line);
    }
    if (m_state.faults.Take(OnlineFault::ChatMalformed)) {
        // A users-left message that announces two ids and holds one.
        WriteBuffer left(32);
        ServiceMessage::Begin(left, ChatMessages::kService, ChatMessages::kUsersLeft);
        left.AppendShort(2);
        left.AppendLong(member.id + 1000);
        ServiceMessage::End(left);
        SendTo(member, left);
    }
}

void PeerChatServer::Leave(EasyPylonSocket& socket)
{
    std::lock_guard lock(m_mutex);
    for (auto it = m_members.begin(); it != m_members.end(); ++it)
        if (it->socket == &socket) {
            const uint32_t id = it->id;
            m_members.erase(it);
            WriteBuffer left(32);
            ChatMessages::ComposeUsersLeft(left, {id});
            Broadcast(left);
            return;
        }
}

uint32_t PeerChatServer::RobotId(const std::string& robot)
{
    for (const Member& member : m_members)
        if (!member.socket && member.name == robot)
            return member.id;
    Member member{nullptr, m_nextId++, robot};
    WriteBuffer added(256);
    ChatMessages::ComposeUsers(added, ChatMessages::kUsersAdded, {{member.id, robot}});
    Broadcast(added);
    m_members.push_back(member);
    return member.id;
}

void PeerChatServer::Say(const std::string& robot, const std::string& text)
{
    std::lock_guard lock(m_mutex);
    const uint32_t id = RobotId(robot);
    WriteBuffer line(uint32_t(text.size()) + 32);
    ChatMessages::ComposeChatLine(line, id, ChatMessages::kKindChat, reinterpret_cast<const uint8_t*>(text.data()),
                                  uint32_t(text.size()));
    Broadcast(line);
}

void PeerChatServer::RemoveRobot(const std::string& robot)
{
    std::lock_guard lock(m_mutex);
    for (auto it = m_members.begin(); it != m_members.end(); ++it)
        if (!it->socket && it->name == robot) {
            const uint32_t id = it->id;
            m_members.erase(it);
            WriteBuffer left(32);
            ChatMessages::ComposeUsersLeft(left, {id});
            Broadcast(left);
            return;
        }
}
