#pragma once
// Growable buffer in which online-service messages are composed. Integers are
// little-endian; strings carry a 16-bit length and no terminator.
#include <cstdint>
#include <string>
#include <string_view>

class WriteBuffer
{
public:
    explicit WriteBuffer(uint32_t capacity);
    virtual ~WriteBuffer();
    WriteBuffer(const WriteBuffer&) = delete;
    WriteBuffer& operator=(const WriteBuffer&) = delete;

    void Append(const void* bytes, uint32_t n);
    void AppendByte(uint8_t v);
    void AppendShort(uint16_t v);
    void AppendLong(uint32_t v);
    // 16-bit byte length, then the bytes; longer texts are cut to what the length holds.
    void AppendString(std::string_view s);
    // 16-bit character count, then UTF-16LE code units.
    void AppendWString(std::u16string_view w);

    // Overwrites bytes at position without changing the size (fields known only
    // after the rest of the message was composed).
    void WriteAt(uint32_t position, const void* bytes, uint32_t n);
    void WriteLongAt(uint32_t position, uint32_t v);
    void WriteShortAt(uint32_t position, uint16_t v);

    void Clear() { m_size = 0; }
    const uint8_t* Data() const { return m_data; }
    uint32_t Size() const { return m_size; }
    uint32_t Capacity() const { return m_capacity; }

private:
    void Grow(uint64_t newCapacity);

    uint8_t* m_data = nullptr;
    uint32_t m_capacity = 0;
    uint32_t m_size = 0;
};
