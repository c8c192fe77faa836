#include "online/buffers/ReadBuffer.h"

void ReadBuffer::Attach(const uint8_t* bytes, uint32_t n)
{
    m_data = bytes;
    m_size = bytes ? n : 0;
    m_offset = 0;
}

bool ReadBuffer::ReadByte(uint8_t& v)
{
    if (Remaining() < 1)
        return false;
    v = m_data[m_offset];
    m_offset += 1;
    return true;
}

bool ReadBuffer::ReadShort(uint16_t& v)
{
    if (Remaining() < 2)
        return false;
    const uint8_t* p = m_data + m_offset;
    v = uint16_t(p[0] | (p[1] << 8));
    m_offset += 2;
    return true;
}

bool ReadBuffer::ReadLong(uint32_t& v)
{
    if (Remaining() < 4)
        return false;
    const uint8_t* p = m_data + m_offset;
    v = uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
    m_offset += 4;
    return true;
}

bool ReadBuffer::ReadWString(std::u16string& w)
{
    uint16_t count = 0;
    if (!ReadShort(count))
        return false;
    if (Remaining() < 2u * count)
        return false;
    std::u16string result;
    result.reserve(count);
    for (uint16_t i = 0; i < count; ++i) {
        const uint8_t* p = m_data + m_offset + 2u * i;
        result.push_back(char16_t(p[0] | (p[1] << 8)));
    }
    m_offset += 2u * count;
    w = std::move(result);
    return true;
}

const uint8_t* ReadBuffer::ReadRest(uint32_t& n)
{
    const uint8_t* start = Current();
    n = Remaining();
    m_offset = m_size;
    return start;
}

bool ReadBuffer::Skip(uint32_t n)
{
    if (Remaining() < n)
        return false;
    m_offset += n;
    return true;
}
