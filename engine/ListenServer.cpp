#include "ListenServer.h"

#include "peer/HandshakeResponder.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

namespace {

constexpr uint32_t kLoopback = 0x7F000001;
constexpr size_t kMaxListed = 255;
constexpr size_t kMaxReply = 8192; // what a browser reads of one reply

// Replies in the byte layout of the query protocol: little-endian longs, strings with
// their terminating zero.
class Reply
{
public:
    explicit Reply(uint8_t type = 0)
    {
        Long(-1);
        if (type)
            Byte(type);
    }
    void Long(int32_t value)
    {
        const auto u = uint32_t(value);
        for (int i = 0; i < 4; ++i)
            m_bytes.push_back(uint8_t(u >> (8 * i)));
    }
    void Byte(uint8_t value) { m_bytes.push_back(value); }
    void Float(float value)
    {
        uint32_t u = 0;
        std::memcpy(&u, &value, 4);
        Long(int32_t(u));
    }
    void String(const std::string& text)
    {
        m_bytes.insert(m_bytes.end(), text.begin(), text.end());
        m_bytes.push_back(0);
    }
    std::vector<uint8_t>& Bytes() { return m_bytes; }

private:
    std::vector<uint8_t> m_bytes;
};

bool Is(const uint8_t* data, size_t size, const char* command)
{
    const size_t n = std::strlen(command) + 1;
    return size == 4 + n && std::memcmp(data, "\xFF\xFF\xFF\xFF", 4) == 0 && std::memcmp(data + 4, command, n) == 0;
}

// A backslash in a value would start a key of its own ("\\map\\other"): values
// lose theirs.
void Pair(std::string& info, const std::string& key, const std::string& value)
{
    info += '\\' + key + '\\';
    for (const char c : value)
        if (c != '\\')
            info += c;
}

std::vector<uint8_t> InfoReply(const GameServerState& state)
{
    const GameServerConfig& c = state.Config();
    std::string info;
    Pair(info, "hostname", c.name);
    Pair(info, "map", c.map);
    Pair(info, "gamedir", c.gameDir);
    Pair(info, "description", c.description);
    Pair(info, "players", std::to_string(state.PlayerCount()));
    Pair(info, "max", std::to_string(c.maxPlayers));
    Pair(info, "protocol", std::to_string(c.protocol));
    Pair(info, "type", std::string(1, c.type));
    Pair(info, "os", std::string(1, c.os));
    Pair(info, "password", c.password.empty() ? "0" : "1");
    Reply reply;
    reply.String("infostringresponse");
    reply.String(info);
    return std::move(reply.Bytes());
}

std::vector<uint8_t> PlayersReply(const GameServerState& state)
{
    const std::vector<PeerPlayer>& players = state.ConnectedPlayers();
    // Only the players whose entries fit in the browser's reply buffer are listed.
    size_t count = 0;
    for (size_t used = 4 + 1 + 1; count < std::min(players.size(), kMaxListed); ++count) {
        used += 1 + players[count].name.size() + 1 + 4 + 4;
        if (used > kMaxReply)
            break;
    }
    Reply reply('D');
    reply.Byte(uint8_t(count));
    for (size_t i = 0; i < count; ++i) {
        reply.Byte(uint8_t(i + 1));
        reply.String(players[i].name);
        reply.Long(0);
        reply.Float(1.0f);
    }
    return std::move(reply.Bytes());
}

std::vector<uint8_t> RulesReply(const GameServerState& state)
{
    const auto& rules = state.Config().rules;
    const size_t count = std::min(rules.size(), kMaxListed);
    Reply reply('E');
    reply.Byte(uint8_t(count & 0xFF));
    reply.Byte(uint8_t(count >> 8));
    for (size_t i = 0; i < count; ++i) {
        reply.String(rules[i].first);
        reply.String(rules[i].second);
    }
    return std::move(reply.Bytes());
}

} // namespace

ListenServer::~ListenServer()
{
    Stop();
}

bool ListenServer::Start(const Settings& settings, std::string& error)
{
    Stop();
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_ANY);
    if (!settings.address.empty() && ::inet_pton(AF_INET, settings.address.c_str(), &address.sin_addr) != 1) {
        error = "bad address " + settings.address;
        return false;
    }
    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        error = "no socket";
        return false;
    }
    for (int i = 0; i < kPortCount && m_socket < 0; ++i) {
        const int port = settings.firstPort + i;
        if (port > 65535)
            break;
        address.sin_port = htons(uint16_t(port));
        if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) {
            m_socket = fd;
            m_port = uint16_t(port);
        }
    }
    if (m_socket < 0) {
        ::close(fd);
        error = "no free port from " + std::to_string(settings.firstPort);
        return false;
    }

    GameServerConfig config;
    config.port = m_port;
    config.name = settings.hostName;
    config.map = settings.map;
    config.gameDir = settings.gameDirectory;
    config.maxPlayers = settings.maxPlayers;
    config.password = settings.password;
    config.type = 'l';
    config.os = 'l';
    config.rules = {{"sv_lan", settings.lan ? "1" : "0"}, {"maxplayers", std::to_string(settings.maxPlayers)}};
    m_state = std::make_unique<GameServerState>(std::move(config));
    // The player of this engine plays on it.
    m_state->AddPlayer({settings.playerName.empty() ? "Player" : settings.playerName, {kLoopback, 0}, 0});
    return true;
}

void ListenServer::Poll()
{
    if (m_socket < 0)
        return;
    uint8_t buffer[kMaxDatagram];
    for (int i = 0; i < kMaxDatagramsPerPoll; ++i) {
        sockaddr_in from{};
        socklen_t fromSize = sizeof from;
        const ssize_t got =
            ::recvfrom(m_socket, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&from), &fromSize);
        if (got < 0)
            break; // nothing more waiting (or an error the next frame retries)
        if (from.sin_family != AF_INET)
            continue;
        const PeerAddress sender{ntohl(from.sin_addr.s_addr), ntohs(from.sin_port)};
        std::vector<uint8_t> reply;
        PeerResponse response = RespondToHandshake(buffer, size_t(got), sender, *m_state);
        if (response.handled) {
            if (response.reply)
                reply = std::move(*response.reply);
        } else if (Is(buffer, size_t(got), "infostring\n")) {
            reply = InfoReply(*m_state);
        } else if (Is(buffer, size_t(got), "players")) {
            reply = PlayersReply(*m_state);
        } else if (Is(buffer, size_t(got), "rules")) {
            reply = RulesReply(*m_state);
        }
        if (!reply.empty())
            ::sendto(m_socket, reply.data(), reply.size(), 0, reinterpret_cast<const sockaddr*>(&from), fromSize);
    }
}

void ListenServer::Stop()
{
    if (m_socket >= 0)
        ::close(m_socket);
    m_socket = -1;
    m_port = 0;
    m_state.reset();
}
