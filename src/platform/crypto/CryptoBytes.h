#pragma once
// Byte strings and a strict little-endian cursor for the crypto layer's own formats.
// A read that does not fit fails and changes nothing.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

using CryptoBytes = std::vector<uint8_t>;

class CryptoCursor
{
public:
    CryptoCursor(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

    bool ReadByte(uint8_t& v)
    {
        if (Remaining() < 1)
            return false;
        v = m_data[m_offset++];
        return true;
    }
    bool ReadShort(uint16_t& v) { return ReadLittle(v, 2); }
    bool ReadLong(uint32_t& v) { return ReadLittle(v, 4); }
    bool ReadLongLong(uint64_t& v) { return ReadLittle(v, 8); }
    bool ReadBytes(size_t n, CryptoBytes& out)
    {
        if (Remaining() < n)
            return false;
        out.assign(m_data + m_offset, m_data + m_offset + n);
        m_offset += n;
        return true;
    }
    // A 16-bit length, then that many bytes.
    bool ReadBlock(CryptoBytes& out)
    {
        const size_t start = m_offset;
        uint16_t n = 0;
        if (ReadShort(n) && ReadBytes(n, out))
            return true;
        m_offset = start;
        return false;
    }
    bool ReadMagic(const char (&magic)[5])
    {
        if (Remaining() < 4 || std::memcmp(m_data + m_offset, magic, 4) != 0)
            return false;
        m_offset += 4;
        return true;
    }
    size_t Remaining() const { return m_size - m_offset; }
    size_t Offset() const { return m_offset; }

private:
    template <typename T>
    bool ReadLittle(T& v, size_t width)
    {
        if (Remaining() < width)
            return false;
        T value = 0;
        for (size_t i = 0; i < width; ++i)
            value |= T(m_data[m_offset + i]) << (8 * i);
        v = value;
        m_offset += width;
        return true;
    }

    const uint8_t* m_data;
    size_t m_size;
    size_t m_offset = 0;
};

inline void AppendLittle(CryptoBytes& out, uint64_t v, size_t width)
{
    for (size_t i = 0; i < width; ++i)
        out.push_back(uint8_t(v >> (8 * i)));
}

// A 16-bit length, then the bytes; false when they do not fit the length.
inline bool AppendBlock(CryptoBytes& out, const CryptoBytes& block)
{
    if (block.size() > 0xFFFF)
        return false;
    AppendLittle(out, block.size(), 2);
    out.insert(out.end(), block.begin(), block.end());
    return true;
}
