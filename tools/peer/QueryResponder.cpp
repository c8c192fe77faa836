#include "peer/QueryResponder.h"

#include "online/buffers/CMessageBuffer.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int kReplyCapacity = 8192;
constexpr size_t kLongString = 3000;
constexpr int kMaxListedPlayers = 255;
constexpr int kMaxListedRules = 256;

std::vector<uint8_t> Bytes(const CMessageBuffer& msg, HostileReply hostile)
{
    std::vector<uint8_t> out(msg.Data(), msg.Data() + msg.Size());
    if (hostile == HostileReply::Truncated && out.size() > 6)
        out.resize(out.size() * 2 / 3);
    if (hostile == HostileReply::WrongHeader && out.size() >= 4)
        out[0] = 0xFE;
    return out;
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

bool Is(const uint8_t* data, size_t size, const char* command)
{
    const size_t n = std::strlen(command) + 1;
    return size == 4 + n && std::memcmp(data, "\xFF\xFF\xFF\xFF", 4) == 0 && std::memcmp(data + 4, command, n) == 0;
}

} // namespace

std::vector<PeerPlayerInfo> QueryPlayers(const GameServerState& state)
{
    std::vector<PeerPlayerInfo> players;
    for (int i = 0; i < state.Config().currentPlayers; ++i)
        players.push_back({"Player " + std::to_string(i + 1), 3 * i, 60.0f * float(i + 1)});
    for (const PeerPlayer& player : state.ConnectedPlayers())
        players.push_back({player.name, 0, 1.0f});
    if (players.size() > size_t(kMaxListedPlayers))
        players.resize(kMaxListedPlayers);
    return players;
}

std::vector<uint8_t> BuildInfoReply(const GameServerState& state)
{
    const GameServerConfig& c = state.Config();
    const HostileReply hostile = c.hostile;
    const bool negative = hostile == HostileReply::Negative;
    std::string info;
    Pair(info, "hostname", hostile == HostileReply::LongStrings ? std::string(kLongString, 'N') : c.name);
    Pair(info, "map", c.map);
    Pair(info, "gamedir", c.gameDir);
    Pair(info, "description", c.description);
    Pair(info, "players", std::to_string(negative ? -5 : state.PlayerCount()));
    Pair(info, "max", std::to_string(negative ? -1 : c.maxPlayers));
    Pair(info, "protocol", std::to_string(negative ? -45 : c.protocol));
    Pair(info, "type", std::string(1, c.type));
    Pair(info, "os", std::string(1, c.os));
    Pair(info, "password", c.password.empty() ? "0" : "1");
    CMessageBuffer msg(kReplyCapacity);
    msg.Clear();
    msg.WriteLong(-1);
    msg.WriteString(hostile == HostileReply::WrongHeader ? "infostringrespons" : "infostringresponse");
    msg.WriteString(info);
    return Bytes(msg, hostile);
}

std::vector<uint8_t> BuildPlayersReply(const GameServerState& state)
{
    const HostileReply hostile = state.Config().hostile;
    std::vector<PeerPlayerInfo> players = QueryPlayers(state);
    // Only the players whose entries fit in one reply are listed: a reply that
    // overflowed its buffer would go out without its header.
    size_t used = 4 + 1 + 1;
    size_t fit = 0;
    for (const PeerPlayerInfo& player : players) {
        const size_t name = hostile == HostileReply::LongStrings ? kLongString : player.name.size();
        used += 1 + name + 1 + 4 + 4;
        if (used > size_t(kReplyCapacity))
            break;
        ++fit;
    }
    players.resize(fit);
    CMessageBuffer msg(kReplyCapacity);
    msg.Clear();
    msg.WriteLong(-1);
    msg.WriteByte('D');
    msg.WriteByte(hostile == HostileReply::CountTooLarge ? kMaxListedPlayers : int(players.size()));
    int id = 1;
    for (const PeerPlayerInfo& player : players) {
        msg.WriteByte(id++);
        msg.WriteString(hostile == HostileReply::LongStrings ? std::string(kLongString, 'P') : player.name);
        msg.WriteLong(hostile == HostileReply::Negative ? -100 : player.frags);
        const float seconds = hostile == HostileReply::Negative ? -1e9f : player.seconds;
        msg.WriteData(&seconds, 4);
    }
    return Bytes(msg, hostile);
}

std::vector<uint8_t> BuildRulesReply(const GameServerState& state)
{
    const HostileReply hostile = state.Config().hostile;
    std::vector<std::pair<std::string, std::string>> rules = state.Config().rules;
    if (rules.size() > size_t(kMaxListedRules))
        rules.resize(kMaxListedRules);
    if (hostile == HostileReply::LongStrings)
        rules.push_back({std::string(kLongString / 10, 'k'), std::string(kLongString / 3, 'v')});
    // As many rules as fit in one reply: a reply that overflowed its buffer would go
    // out without its header.
    size_t used = 4 + 1 + 2;
    size_t fit = 0;
    for (const auto& [key, value] : rules) {
        used += key.size() + 1 + value.size() + 1;
        if (used > size_t(kReplyCapacity))
            break;
        ++fit;
    }
    rules.resize(fit);
    CMessageBuffer msg(kReplyCapacity);
    msg.Clear();
    msg.WriteLong(-1);
    msg.WriteByte('E');
    int count = int(rules.size());
    if (hostile == HostileReply::CountTooLarge)
        count = kMaxListedRules;
    else if (hostile == HostileReply::Negative)
        count = -3;
    msg.WriteByte(count & 0xFF);
    msg.WriteByte((count >> 8) & 0xFF);
    for (const auto& [key, value] : rules) {
        msg.WriteString(key);
        msg.WriteString(value);
    }
    return Bytes(msg, hostile);
}

PeerResponse RespondToQuery(const uint8_t* data, size_t size, const PeerAddress&, GameServerState& state)
{
    PeerResponse response;
    if (Is(data, size, "infostring\n"))
        response.reply = BuildInfoReply(state);
    else if (Is(data, size, "players"))
        response.reply = BuildPlayersReply(state);
    else if (Is(data, size, "rules"))
        response.reply = BuildRulesReply(state);
    response.handled = response.reply.has_value();
    return response;
}
