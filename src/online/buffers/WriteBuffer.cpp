#include "online/buffers/WriteBuffer.h"

#include "app/text/FatalError.h"

#include <cstring>
#include <limits>

namespace {
constexpr uint64_t kMaxCapacity = std::numeric_limits<uint32_t>::max();
constexpr size_t kMaxLength16 = 0xffff;
} // namespace

WriteBuffer::WriteBuffer(uint32_t capacity) : m_data(new uint8_t[capacity ? capacity : 1]()), m_capacity(capacity)
{
}

WriteBuffer::~WriteBuffer()
{
    delete[] m_data;
}

void WriteBuffer::Grow(uint64_t newCapacity)
{
    if (newCapacity > kMaxCapacity)
        FatalError("Message too large to compose");
    uint8_t* fresh = new uint8_t[size_t(newCapacity)]();
    if (m_size)
        std::memcpy(fresh, m_data, m_size);
    delete[] m_data;
    m_data = fresh;
    m_capacity = uint32_t(newCapacity);
}

void WriteBuffer::Append(const void* bytes, uint32_t n)
{
    // A buffer that would end up exactly full grows as well.
    if (uint64_t(m_size) + n >= m_capacity)
        Grow(2 * (uint64_t(m_capacity) + n));
    if (n)
        std::memcpy(m_data + m_size, bytes, n);
    m_size += n;
}

void WriteBuffer::AppendByte(uint8_t v)
{
    Append(&v, 1);
}

void WriteBuffer::AppendShort(uint16_t v)
{
    const uint8_t b[2] = {uint8_t(v), uint8_t(v >> 8)};
    Append(b, 2);
}

void WriteBuffer::AppendLong(uint32_t v)
{
    const uint8_t b[4] = {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)};
    Append(b, 4);
}

void WriteBuffer::AppendString(std::string_view s)
{
    const size_t n = s.size() > kMaxLength16 ? kMaxLength16 : s.size();
    AppendShort(uint16_t(n));
    Append(s.data(), uint32_t(n));
}

void WriteBuffer::AppendWString(std::u16string_view w)
{
    const size_t n = w.size() > kMaxLength16 ? kMaxLength16 : w.size();
    AppendShort(uint16_t(n));
    for (size_t i = 0; i < n; ++i)
        AppendShort(uint16_t(w[i]));
}

void WriteBuffer::WriteAt(uint32_t position, const void* bytes, uint32_t n)
{
    if (uint64_t(position) + n > m_capacity)
        Grow(2 * (uint64_t(position) + n));
    if (n)
        std::memcpy(m_data + position, bytes, n);
}

void WriteBuffer::WriteLongAt(uint32_t position, uint32_t v)
{
    const uint8_t b[4] = {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)};
    WriteAt(position, b, 4);
}

void WriteBuffer::WriteShortAt(uint32_t position, uint16_t v)
{
    const uint8_t b[2] = {uint8_t(v), uint8_t(v >> 8)};
    WriteAt(position, b, 2);
}
