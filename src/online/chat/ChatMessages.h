#pragma once
// The messages spoken with a room's chat server. Over TCP: service messages of
// service type 50 (log-in 0, log-in reply 1, users added 2, users left 5, chat line 7,
// full user list 18). Over UDP: datagram messages of service type 1 (status query 1,
// status reply 2, name query 3, name reply 4). Integers little-endian.
#include "online/buffers/ReadBuffer.h"
#include "online/buffers/WriteBuffer.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ChatMessages {

constexpr uint32_t kService = 50;
constexpr uint32_t kLogin = 0;
constexpr uint32_t kLoginReply = 1;
constexpr uint32_t kUsersAdded = 2;
constexpr uint32_t kUsersLeft = 5;
constexpr uint32_t kChatLine = 7;
constexpr uint32_t kFullUserList = 18;

constexpr uint16_t kStatusAccepted = 0;
constexpr uint16_t kStatusPassword = 64433;
constexpr int16_t kKindChat = -2;
constexpr int16_t kKindServerError = -1;

constexpr uint8_t kDatagramService = 1;
constexpr uint8_t kStatusQuery = 1;
constexpr uint8_t kStatusReply = 2;
constexpr uint8_t kNameQuery = 3;
constexpr uint8_t kNameReply = 4;

// A user list holds at most this many users; longer lists are cut.
constexpr size_t kMaxUsers = 5000;
constexpr size_t kMaxName = 255;
constexpr size_t kMaxPassword = 31;

// Log-in: the name as a wide string, byte 1, then the password (narrow string) when given.
void ComposeLogin(WriteBuffer& message, const std::string& name, const std::string& password);
void ComposeChatLine(WriteBuffer& message, uint32_t clientId, int16_t kind, const uint8_t* bytes, uint32_t n);

struct Login
{
    std::string name;
    std::string password;
    bool hasPassword = false;
};
std::optional<Login> ParseLogin(ReadBuffer& body);

struct LoginReply
{
    uint16_t status = 0;
    uint32_t clientId = 0;
};
std::optional<LoginReply> ParseLoginReply(ReadBuffer& body);

struct User
{
    uint32_t id = 0;
    std::string name;
};
// Users added and the full user list: the count, then whole entries, stopping at the
// first incomplete one and after kMaxUsers. Nothing when the count is missing.
std::optional<std::vector<User>> ParseUsers(ReadBuffer& body);
void ComposeUsers(WriteBuffer& message, uint32_t messageType, const std::vector<User>& users);
// Users left: nothing when the count or one of the ids is missing.
std::optional<std::vector<uint32_t>> ParseUsersLeft(ReadBuffer& body);
void ComposeUsersLeft(WriteBuffer& message, const std::vector<uint32_t>& ids);

struct ChatLine
{
    uint32_t sender = 0;
    int16_t kind = 0;
    std::string text;
};
// Nothing when the sender id or the kind is missing; the text is the rest.
std::optional<ChatLine> ParseChatLine(ReadBuffer& body);

void ComposeStatusQuery(WriteBuffer& datagram, uint16_t tag);
void ComposeStatusReply(WriteBuffer& datagram, uint16_t tag, uint16_t users);
void ComposeNameQuery(WriteBuffer& datagram, uint16_t tag, const std::string& name);
void ComposeNameReply(WriteBuffer& datagram, uint16_t tag);

struct StatusReply
{
    uint16_t tag = 0;
    uint16_t users = 0;
};
// A whole status reply (header 3, 1, 2, tag and count), else nothing.
std::optional<StatusReply> ParseStatusReply(const uint8_t* bytes, uint32_t n);
// The tag of a whole name reply (header 3, 1, 4 and the tag), else nothing.
std::optional<uint16_t> ParseNameReply(const uint8_t* bytes, uint32_t n);

struct Query
{
    uint8_t type = 0;
    uint16_t tag = 0;
    std::string name;
};
// A status or name query as the chat server reads it.
std::optional<Query> ParseQuery(const uint8_t* bytes, uint32_t n);

// Text fit to show: control characters (tabs, line ends included) and the
// bidirectional embedding, override and isolate marks removed; UTF-8 in and out.
std::string CleanText(const std::string& text);
// A name cut to at most limit characters (whole UTF-8 sequences) and cleaned.
std::string CleanName(const std::string& name, size_t limit = kMaxName);

} // namespace ChatMessages
