#include "app/engine/ConnectHandshake.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>

namespace {

struct CommandName
{
    HandshakeType type;
    std::string_view text;
};

constexpr std::array<CommandName, 6> kCommands = {{
    {HandshakeType::GetChallenge, "getchallenge"},
    {HandshakeType::Challenge, "challenge"},
    {HandshakeType::Connect, "connect"},
    {HandshakeType::Accept, "accept"},
    {HandshakeType::Reject, "reject"},
    {HandshakeType::Disconnect, "disconnect"},
}};

class Writer
{
public:
    void Long(uint32_t value)
    {
        for (int i = 0; i < 4; ++i)
            m_bytes.push_back(uint8_t(value >> (8 * i)));
    }
    void String(std::string_view text)
    {
        text = text.substr(0, std::min(text.size(), kMaxHandshakeText));
        const size_t end = text.find('\0');
        if (end != std::string_view::npos)
            text = text.substr(0, end);
        m_bytes.insert(m_bytes.end(), text.begin(), text.end());
        m_bytes.push_back(0);
    }
    std::vector<uint8_t> Take() { return std::move(m_bytes); }

private:
    std::vector<uint8_t> m_bytes;
};

class Reader
{
public:
    Reader(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
    bool Long(uint32_t& value)
    {
        if (m_size - m_pos < 4)
            return false;
        value = uint32_t(m_data[m_pos]) | uint32_t(m_data[m_pos + 1]) << 8 | uint32_t(m_data[m_pos + 2]) << 16 |
                uint32_t(m_data[m_pos + 3]) << 24;
        m_pos += 4;
        return true;
    }
    // A zero-terminated string of at most limit characters.
    bool String(std::string& text, size_t limit)
    {
        const void* end = std::memchr(m_data + m_pos, 0, m_size - m_pos);
        if (!end)
            return false;
        const size_t length = size_t(static_cast<const uint8_t*>(end) - (m_data + m_pos));
        if (length > limit)
            return false;
        text.assign(reinterpret_cast<const char*>(m_data + m_pos), length);
        m_pos += length + 1;
        return true;
    }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_pos = 0;
};

constexpr uint32_t kConnectionless = 0xFFFFFFFFu;
constexpr size_t kLongestCommand = 12;

} // namespace

std::vector<uint8_t> EncodeHandshake(const HandshakeMessage& message)
{
    Writer out;
    out.Long(kConnectionless);
    for (const CommandName& command : kCommands)
        if (command.type == message.type)
            out.String(command.text);
    switch (message.type) {
    case HandshakeType::GetChallenge:
        break;
    case HandshakeType::Challenge:
    case HandshakeType::Disconnect:
        out.Long(message.challenge);
        break;
    case HandshakeType::Connect:
        out.Long(uint32_t(message.protocol));
        out.Long(message.challenge);
        out.String(message.name);
        out.String(message.password);
        break;
    case HandshakeType::Accept:
        out.String(message.hostName);
        out.String(message.map);
        break;
    case HandshakeType::Reject:
        out.String(message.reason);
        break;
    }
    return out.Take();
}

std::optional<HandshakeMessage> DecodeHandshake(const uint8_t* data, size_t size)
{
    if (!data || size > kMaxHandshakeDatagram)
        return std::nullopt;
    Reader in(data, size);
    uint32_t header = 0;
    std::string command;
    if (!in.Long(header) || header != kConnectionless || !in.String(command, kLongestCommand))
        return std::nullopt;

    HandshakeMessage message;
    bool known = false;
    for (const CommandName& candidate : kCommands) {
        if (candidate.text == command) {
            message.type = candidate.type;
            known = true;
        }
    }
    if (!known)
        return std::nullopt;

    bool ok = true;
    uint32_t protocol = 0;
    switch (message.type) {
    case HandshakeType::GetChallenge:
        break;
    case HandshakeType::Challenge:
    case HandshakeType::Disconnect:
        ok = in.Long(message.challenge);
        break;
    case HandshakeType::Connect:
        ok = in.Long(protocol) && in.Long(message.challenge) && in.String(message.name, kMaxHandshakeText) &&
             in.String(message.password, kMaxHandshakeText);
        message.protocol = int32_t(protocol);
        break;
    case HandshakeType::Accept:
        ok = in.String(message.hostName, kMaxHandshakeText) && in.String(message.map, kMaxHandshakeText);
        break;
    case HandshakeType::Reject:
        ok = in.String(message.reason, kMaxHandshakeText);
        break;
    }
    if (!ok)
        return std::nullopt;
    return message;
}
