#include "browser/query/QueryReplies.h"

#include "app/text/TextCase.h"
#include "platform/NumberText.h"

#include <array>

namespace {

constexpr int kPlayersType = 'D';
constexpr int kRulesType = 'E';
constexpr const char* kInfoType = "infostringresponse";

// Reads the common header; false when the datagram is not a query reply.
bool ReadHeader(CMessageBuffer& msg)
{
    if (msg.Size() <= 0)
        return false;
    msg.BeginReading();
    return msg.ReadLong() == -1 && !msg.BadRead();
}

// A string cut to limit characters. Unlike a bare ReadString, an over-long string is
// consumed to its end, so the fields after it are still read from the right place.
std::string ReadCutString(CMessageBuffer& msg, size_t limit)
{
    std::string s = msg.ReadString();
    if (s.size() >= size_t(CMessageBuffer::kMaxString)) {
        for (int c = msg.ReadChar(); c != 0 && c != -1; c = msg.ReadChar()) {
        }
    }
    if (s.size() > limit)
        s.resize(limit);
    return s;
}

// The info keys a reply sets, in the order of InfoKeys.
enum InfoKey
{
    kHostname,
    kMap,
    kGamedir,
    kDescription,
    kPlayers,
    kMax,
    kProtocol,
    kType,
    kOs,
    kPassword,
    kProxytarget,
    kProxyaddress,
    kModversion,
    kInfoKeyCount
};

constexpr std::array<std::string_view, kInfoKeyCount> kInfoKeys = {
    "hostname", "map", "gamedir",  "description", "players",      "max",       "protocol",
    "type",     "os",  "password", "proxytarget", "proxyaddress", "modversion"};

// Walks the pairs of an info text like a key lookup would, calling found(key, value)
// for each complete pair until it returns true.
template <typename Found> void ForEachInfoPair(std::string_view s, Found found)
{
    size_t i = 0;
    if (i < s.size() && s[i] == '\\')
        ++i;
    for (;;) {
        const size_t keyStart = i;
        while (i < s.size() && s[i] != '\\')
            ++i;
        if (i >= s.size())
            return; // a key without a value
        const std::string_view key = s.substr(keyStart, i - keyStart);
        ++i;
        const size_t valueStart = i;
        while (i < s.size() && s[i] != '\\')
            ++i;
        std::string_view value = s.substr(valueStart, i - valueStart);
        if (value.size() > kMaxInfoValue)
            value = value.substr(0, kMaxInfoValue);
        if (found(key, value))
            return;
        if (i >= s.size())
            return;
        ++i;
    }
}

char FirstChar(std::string_view v)
{
    return v.empty() ? '\0' : v[0];
}

} // namespace

std::string InfoValueForKey(std::string_view info, std::string_view key)
{
    std::string result;
    ForEachInfoPair(info, [&](std::string_view k, std::string_view v) {
        if (k != key)
            return false;
        result.assign(v);
        return true;
    });
    return result;
}

ReplyParse ParseInfoReply(CMessageBuffer& msg, CServerInfo& record, double now)
{
    if (!ReadHeader(msg))
        return ReplyParse::Wait;
    const std::string type = msg.ReadString();
    if (type.empty() || !SameText(type, kInfoType))
        return ReplyParse::Wait;
    const std::string info = msg.ReadString(); // at most 2047 characters
    if (info.empty())
        return ReplyParse::Bad;

    std::array<std::string_view, kInfoKeyCount> values{};
    std::array<bool, kInfoKeyCount> seen{};
    int remaining = kInfoKeyCount;
    ForEachInfoPair(info, [&](std::string_view k, std::string_view v) {
        for (size_t n = 0; n < kInfoKeys.size(); ++n) {
            if (k == kInfoKeys[n]) {
                if (!seen[n]) {
                    seen[n] = true;
                    values[n] = v;
                    --remaining;
                }
                break;
            }
        }
        return remaining == 0;
    });

    record.name.assign(values[kHostname]);
    record.map.assign(values[kMap]);
    record.dir.assign(values[kGamedir]);
    record.game.assign(values[kDescription]);
    record.currentplayers = ParseInt(values[kPlayers]);
    record.maxplayers = ParseInt(values[kMax]);
    record.protocol = ParseInt(values[kProtocol]);
    record.svtype = FirstChar(values[kType]);
    record.svos = FirstChar(values[kOs]);
    record.password = ParseInt(values[kPassword]) != 0;
    record.proxy = record.svtype == 'p';
    record.proxytarget = ParseInt(values[kProxytarget]) != 0;
    SetProxyAddress(record, std::string(values[kProxyaddress]));
    record.version = ParseInt(values[kModversion]);

    record.url.clear();
    record.dl.clear();
    record.ksversion.clear();
    record.mod = false;
    record.size = 0;
    record.svside = false;
    record.cldll = false;
    record.status = CServerInfo::InfoReceived;
    record.retries = 0;
    record.SetInfoTime(now);
    return ReplyParse::Good;
}

ReplyParse ParsePlayersReply(CMessageBuffer& msg, CServerInfo& record, double now)
{
    if (!ReadHeader(msg))
        return ReplyParse::Wait;
    if (msg.ReadByte() != kPlayersType)
        return ReplyParse::Wait;
    const int count = msg.ReadByte();
    if (count >= 1 && count <= record.currentplayers) {
        // Entries beyond the slot array are not stored, nor is an entry the datagram
        // cut short before its time. A time cut short reads as 0 and leaves no mark.
        const size_t slots = record.players ? record.players->size() : 0;
        for (int i = 0; i < count && i < record.currentplayers && size_t(i) < slots; ++i) {
            const int id = msg.ReadByte();
            std::string playerName = ReadCutString(msg, CMessageBuffer::kMaxString);
            const int32_t frags = msg.ReadLong();
            if (msg.BadRead())
                break;
            const float seconds = msg.ReadFloat();
            auto& slot = (*record.players)[size_t(i)];
            if (!slot)
                slot = std::make_unique<CPlayerInfo>("unknown");
            slot->id = id;
            slot->name = std::move(playerName);
            slot->frags = frags;
            slot->colors = 0;
            slot->time = TruncateToInt(seconds);
            slot->replyTime = now;
        }
    }
    record.status = CServerInfo::PlayersReceived;
    record.retries = 0;
    return ReplyParse::Good;
}

ReplyParse ParseRulesReply(CMessageBuffer& msg, CServerInfo& record)
{
    if (!ReadHeader(msg))
        return ReplyParse::Wait;
    if (msg.ReadByte() != kRulesType)
        return ReplyParse::Wait;
    const int count = msg.ReadShort();
    if (count > 0 && count <= kMaxRulesPerReply) {
        record.ClearRules();
        for (int i = 0; i < count; ++i) {
            std::string key = ReadCutString(msg, kMaxRuleKey);
            std::string value = ReadCutString(msg, kMaxRuleValue);
            if (msg.BadRead())
                break;
            record.AddRule(std::move(key), std::move(value));
        }
    }
    record.status = CServerInfo::RulesReceived;
    record.retries = 0;
    return ReplyParse::Good;
}
