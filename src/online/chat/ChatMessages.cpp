#include "online/chat/ChatMessages.h"

#include "online/service/ServiceMessage.h"

#include <QString>

namespace ChatMessages {

namespace {

std::u16string Wide(const std::string& text)
{
    return QString::fromStdString(text).toStdU16String();
}

std::string Narrow(const std::u16string& text)
{
    return QString::fromStdU16String(text).toStdString();
}

bool IsHiddenCharacter(char16_t c)
{
    return c < 0x20 || c == 0x7F || (c >= 0x80 && c < 0xA0) || (c >= 0x202A && c <= 0x202E) ||
           (c >= 0x2066 && c <= 0x2069) || c == 0x200E || c == 0x200F || c == 0x061C;
}

} // namespace

void ComposeLogin(WriteBuffer& message, const std::string& name, const std::string& password)
{
    ServiceMessage::Begin(message, kService, kLogin);
    message.AppendWString(Wide(name));
    message.AppendByte(1);
    if (!password.empty())
        message.AppendString(password);
    ServiceMessage::End(message);
}

void ComposeChatLine(WriteBuffer& message, uint32_t clientId, int16_t kind, const uint8_t* bytes, uint32_t n)
{
    ServiceMessage::Begin(message, kService, kChatLine);
    message.AppendLong(clientId);
    message.AppendShort(uint16_t(kind));
    message.Append(bytes, n);
    ServiceMessage::End(message);
}

std::optional<Login> ParseLogin(ReadBuffer& body)
{
    Login login;
    std::u16string name;
    uint8_t flag = 0;
    if (!body.ReadWString(name) || !body.ReadByte(flag))
        return std::nullopt;
    login.name = Narrow(name);
    uint16_t n = 0;
    if (body.ReadShort(n)) {
        if (body.Remaining() < n)
            return std::nullopt;
        login.password.assign(reinterpret_cast<const char*>(body.Current()), n);
        login.hasPassword = true;
        body.Skip(n);
    }
    return login;
}

std::optional<LoginReply> ParseLoginReply(ReadBuffer& body)
{
    LoginReply reply;
    if (!body.ReadShort(reply.status) || !body.ReadLong(reply.clientId))
        return std::nullopt;
    return reply;
}

std::optional<std::vector<User>> ParseUsers(ReadBuffer& body)
{
    uint16_t count = 0;
    if (!body.ReadShort(count))
        return std::nullopt;
    std::vector<User> users;
    for (uint32_t i = 0; i < count && users.size() < kMaxUsers; ++i) {
        User user;
        std::u16string name;
        if (!body.ReadLong(user.id) || !body.ReadWString(name))
            break;
        user.name = CleanName(Narrow(name));
        users.push_back(std::move(user));
    }
    return users;
}

void ComposeUsers(WriteBuffer& message, uint32_t messageType, const std::vector<User>& users)
{
    ServiceMessage::Begin(message, kService, messageType);
    message.AppendShort(uint16_t(users.size()));
    for (const User& user : users) {
        message.AppendLong(user.id);
        message.AppendWString(Wide(user.name));
    }
    ServiceMessage::End(message);
}

std::optional<std::vector<uint32_t>> ParseUsersLeft(ReadBuffer& body)
{
    uint16_t count = 0;
    if (!body.ReadShort(count))
        return std::nullopt;
    std::vector<uint32_t> ids(count);
    for (uint32_t& id : ids)
        if (!body.ReadLong(id))
            return std::nullopt;
    return ids;
}

void ComposeUsersLeft(WriteBuffer& message, const std::vector<uint32_t>& ids)
{
    ServiceMessage::Begin(message, kService, kUsersLeft);
    message.AppendShort(uint16_t(ids.size()));
    for (uint32_t id : ids)
        message.AppendLong(id);
    ServiceMessage::End(message);
}

std::optional<ChatLine> ParseChatLine(ReadBuffer& body)
{
    ChatLine line;
    uint16_t kind = 0;
    if (!body.ReadLong(line.sender) || !body.ReadShort(kind))
        return std::nullopt;
    line.kind = int16_t(kind);
    uint32_t n = 0;
    const uint8_t* rest = body.ReadRest(n);
    if (rest)
        line.text.assign(reinterpret_cast<const char*>(rest), n);
    return line;
}

void ComposeStatusQuery(WriteBuffer& datagram, uint16_t tag)
{
    ServiceMessage::BeginDatagram(datagram, kDatagramService, kStatusQuery);
    datagram.AppendShort(tag);
}

void ComposeStatusReply(WriteBuffer& datagram, uint16_t tag, uint16_t users)
{
    ServiceMessage::BeginDatagram(datagram, kDatagramService, kStatusReply);
    datagram.AppendShort(tag);
    datagram.AppendShort(users);
}

void ComposeNameQuery(WriteBuffer& datagram, uint16_t tag, const std::string& name)
{
    ServiceMessage::BeginDatagram(datagram, kDatagramService, kNameQuery);
    datagram.AppendShort(tag);
    datagram.AppendByte(0);
    datagram.AppendWString(Wide(name));
}

void ComposeNameReply(WriteBuffer& datagram, uint16_t tag)
{
    ServiceMessage::BeginDatagram(datagram, kDatagramService, kNameReply);
    datagram.AppendShort(tag);
}

std::optional<StatusReply> ParseStatusReply(const uint8_t* bytes, uint32_t n)
{
    ReadBuffer body;
    const auto header = ServiceMessage::ParseDatagram(bytes, n, body);
    StatusReply reply;
    if (!header || header->serviceType != kDatagramService || header->messageType != kStatusReply ||
        !body.ReadShort(reply.tag) || !body.ReadShort(reply.users))
        return std::nullopt;
    return reply;
}

std::optional<uint16_t> ParseNameReply(const uint8_t* bytes, uint32_t n)
{
    ReadBuffer body;
    const auto header = ServiceMessage::ParseDatagram(bytes, n, body);
    uint16_t tag = 0;
    if (!header || header->serviceType != kDatagramService || header->messageType != kNameReply ||
        !body.ReadShort(tag))
        return std::nullopt;
    return tag;
}

std::optional<Query> ParseQuery(const uint8_t* bytes, uint32_t n)
{
    ReadBuffer body;
    const auto header = ServiceMessage::ParseDatagram(bytes, n, body);
    Query query;
    if (!header || header->serviceType != kDatagramService || !body.ReadShort(query.tag))
        return std::nullopt;
    query.type = header->messageType;
    if (query.type == kStatusQuery)
        return query;
    uint8_t zero = 0;
    std::u16string name;
    if (query.type != kNameQuery || !body.ReadByte(zero) || !body.ReadWString(name))
        return std::nullopt;
    query.name = Narrow(name);
    return query;
}

std::string CleanText(const std::string& text)
{
    const QString in = QString::fromUtf8(text.data(), qsizetype(text.size()));
    QString out;
    out.reserve(in.size());
    for (const QChar c : in)
        if (!IsHiddenCharacter(c.unicode()))
            out.append(c);
    return out.toStdString();
}

std::string CleanName(const std::string& name, size_t limit)
{
    const QString cleaned = QString::fromStdString(CleanText(name));
    return cleaned.left(qsizetype(limit)).toStdString();
}

} // namespace ChatMessages
