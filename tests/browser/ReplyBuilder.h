#pragma once
// Builds query reply datagrams for tests with the launcher's own message buffer.
#include "online/buffers/CMessageBuffer.h"

#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class ReplyBuilder
{
public:
    ReplyBuilder() : m_owned(std::make_unique<CMessageBuffer>(8192)), m_msg(*m_owned) { m_msg.Clear(); }
    ReplyBuilder(ReplyBuilder&& other) noexcept = default;

    ReplyBuilder& Long(int32_t v)
    {
        m_msg.WriteLong(v);
        return *this;
    }
    ReplyBuilder& Byte(int v)
    {
        m_msg.WriteByte(v);
        return *this;
    }
    ReplyBuilder& Short(int v)
    {
        m_msg.WriteByte(v & 0xff);
        m_msg.WriteByte((v >> 8) & 0xff);
        return *this;
    }
    ReplyBuilder& String(const std::string& s)
    {
        m_msg.WriteString(s);
        return *this;
    }
    ReplyBuilder& Float(float f)
    {
        m_msg.WriteData(&f, 4);
        return *this;
    }

    static ReplyBuilder Info(const std::string& text)
    {
        ReplyBuilder b;
        b.Long(-1).String("infostringresponse").String(text);
        return b;
    }
    static ReplyBuilder Players(const std::vector<std::pair<std::string, int>>& players, float seconds = 61.5f)
    {
        ReplyBuilder b;
        b.Long(-1).Byte('D').Byte(int(players.size()));
        int id = 1;
        for (const auto& [name, frags] : players)
            b.Byte(id++).String(name).Long(frags).Float(seconds);
        return b;
    }
    static ReplyBuilder Rules(const std::vector<std::pair<std::string, std::string>>& rules)
    {
        ReplyBuilder b;
        b.Long(-1).Byte('E').Short(int(rules.size()));
        for (const auto& [k, v] : rules)
            b.String(k).String(v);
        return b;
    }

    std::vector<uint8_t> Bytes() const { return std::vector<uint8_t>(m_msg.Data(), m_msg.Data() + m_msg.Size()); }
    // A fresh receive buffer holding the datagram, cut to at most keep bytes.
    void LoadInto(CMessageBuffer& target, size_t keep = size_t(-1)) const
    {
        const size_t n = std::min(keep, size_t(m_msg.Size()));
        target.Clear();
        std::memcpy(target.Data(), m_msg.Data(), n);
        target.SetSize(int(n));
    }

private:
    std::unique_ptr<CMessageBuffer> m_owned;
    CMessageBuffer& m_msg;
};
