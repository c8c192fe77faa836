#pragma once
// Parsers of the game server's query replies. Each takes a received datagram and
// fills the record; none of them touches a socket or the clock.
//   Good: the reply was for this request and the record took it.
//   Wait: not the awaited reply (foreign bytes, another reply type): keep waiting.
//   Bad:  the awaited reply type, but unusable (an empty info text): keep waiting.
#include "browser/record/CServerInfo.h"
#include "online/buffers/CMessageBuffer.h"

#include <string>
#include <string_view>

enum class ReplyParse
{
    Good,
    Bad,
    Wait,
};

constexpr size_t kMaxInfoValue = 511; // value buffers of the info text lookup
constexpr size_t kMaxRuleKey = 63;
constexpr size_t kMaxRuleValue = 255;
constexpr int kMaxRulesPerReply = 256;

// The value of key in a "\key\value\key\value" text (exact match, first wins), cut
// to kMaxInfoValue characters; empty when absent.
std::string InfoValueForKey(std::string_view info, std::string_view key);

// Each reads the datagram held in msg (its size set) from the start.
ReplyParse ParseInfoReply(CMessageBuffer& msg, CServerInfo& record, double now);
ReplyParse ParsePlayersReply(CMessageBuffer& msg, CServerInfo& record, double now);
ReplyParse ParseRulesReply(CMessageBuffer& msg, CServerInfo& record);
