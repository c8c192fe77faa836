#include "online/buffers/CMessageBuffer.h"

#include "app/text/FatalError.h"
#include "app/text/StringList.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

CMessageBuffer::CMessageBuffer(int capacity) : m_data(nullptr), m_capacity(std::max(capacity, kMinCapacity))
{
    m_data = new uint8_t[size_t(m_capacity)]();
}

CMessageBuffer::~CMessageBuffer()
{
    delete[] m_data;
}

void CMessageBuffer::Clear()
{
    m_size = 0;
    std::memset(m_data, 0, size_t(m_capacity));
}

void CMessageBuffer::SetSize(int n)
{
    m_size = std::clamp(n, 0, m_capacity);
}

void CMessageBuffer::BeginReading()
{
    m_readCount = 0;
    m_badRead = 0;
}

uint8_t* CMessageBuffer::GetSpace(int n)
{
    if (n < 0)
        n = 0;
    if (int64_t(m_size) + n <= m_capacity) {
        uint8_t* place = m_data + m_size;
        m_size += n;
        return place;
    }
    if (!m_allowOverflow)
        FatalErrorExit(kOverflowExitCode, "%s", GetString(kMsgOverflowNotAllowed).c_str());
    if (n > m_capacity)
        FatalErrorExit(kOverflowExitCode, "%s", GetString(kMsgWriteTooLarge).c_str());
    // The message so far is lost; what is written from here on still goes out.
    m_overflowed = 1;
    Clear();
    m_size = n;
    return m_data;
}

void CMessageBuffer::WriteByte(int v)
{
    *GetSpace(1) = uint8_t(v & 0xff);
}

void CMessageBuffer::WriteLong(int32_t v)
{
    const uint32_t u = uint32_t(v);
    uint8_t* p = GetSpace(4);
    p[0] = uint8_t(u);
    p[1] = uint8_t(u >> 8);
    p[2] = uint8_t(u >> 16);
    p[3] = uint8_t(u >> 24);
}

void CMessageBuffer::WriteString(const char* s)
{
    if (!s)
        s = "";
    WriteData(s, int(std::strlen(s)) + 1);
}

void CMessageBuffer::WriteData(const void* bytes, int n)
{
    if (n <= 0)
        return;
    std::memcpy(GetSpace(n), bytes, size_t(n));
}

const uint8_t* CMessageBuffer::Take(int width)
{
    if (m_readCount < 0 || int64_t(m_readCount) + width > m_size) {
        m_badRead = 1;
        return nullptr;
    }
    const uint8_t* p = m_data + m_readCount;
    m_readCount += width;
    return p;
}

int CMessageBuffer::ReadChar()
{
    const uint8_t* p = Take(1);
    return p ? int(int8_t(p[0])) : -1;
}

int CMessageBuffer::ReadByte()
{
    const uint8_t* p = Take(1);
    return p ? int(p[0]) : -1;
}

int CMessageBuffer::ReadShort()
{
    const uint8_t* p = Take(2);
    return p ? int(int16_t(uint16_t(p[0] | (p[1] << 8)))) : -1;
}

int32_t CMessageBuffer::ReadLong()
{
    const uint8_t* p = Take(4);
    if (!p)
        return -1;
    return int32_t(uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24));
}

float CMessageBuffer::ReadFloat()
{
    // A float is taken without a check: the cursor always advances by 4 and the
    // bad-read flag stays as it is. Short data reads as kShortFloat, so no byte past
    // the valid data is ever looked at.
    constexpr int kWidth = 4;
    if (m_readCount < 0 || int64_t(m_readCount) + kWidth > m_size) {
        if (m_readCount >= 0 && m_readCount <= INT32_MAX - kWidth)
            m_readCount += kWidth;
        return kShortFloat;
    }
    const uint8_t* p = m_data + m_readCount;
    m_readCount += kWidth;
    const uint32_t u = uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
    float f;
    std::memcpy(&f, &u, sizeof f);
    return f;
}

std::string CMessageBuffer::ReadString()
{
    // Same as reading with ReadChar until it yields 0 or -1 (a 0xFF byte or the end),
    // stopping after kMaxString characters, but done as one scan.
    std::string result;
    if (m_readCount < 0 || m_readCount >= m_size) {
        m_badRead = 1;
        return result;
    }
    const uint8_t* start = m_data + m_readCount;
    const int available = m_size - m_readCount;
    const int limit = available < kMaxString ? available : kMaxString;
    int n = 0;
    while (n < limit && start[n] != 0 && start[n] != 0xff)
        ++n;
    result.assign(reinterpret_cast<const char*>(start), size_t(n));
    m_readCount += n;
    if (n == kMaxString)
        return result; // the rest stays unread
    if (n == available)
        m_badRead = 1; // ran into the end of the data
    else
        ++m_readCount; // the 0 or 0xFF byte that ended the string
    return result;
}
