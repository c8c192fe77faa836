#pragma once
// Read cursor over a received online-service message. It borrows the bytes; the
// owner keeps them alive while the cursor is used. A read that does not fit returns
// false and changes nothing.
#include <cstdint>
#include <string>

class ReadBuffer
{
public:
    ReadBuffer() = default;
    ReadBuffer(const uint8_t* bytes, uint32_t n) { Attach(bytes, n); }

    void Attach(const uint8_t* bytes, uint32_t n);

    bool ReadByte(uint8_t& v);
    bool ReadShort(uint16_t& v);
    bool ReadLong(uint32_t& v);
    // 16-bit character count, then UTF-16LE code units. The count stays consumed
    // when the characters turn out to be missing.
    bool ReadWString(std::u16string& w);
    // Where the unread bytes start and how many there are; the cursor moves to the end.
    const uint8_t* ReadRest(uint32_t& n);
    bool Skip(uint32_t n);

    uint32_t Remaining() const { return m_size - m_offset; }
    const uint8_t* Current() const { return m_data ? m_data + m_offset : nullptr; }
    uint32_t Offset() const { return m_offset; }
    uint32_t Size() const { return m_size; }

private:
    const uint8_t* m_data = nullptr;
    uint32_t m_offset = 0;
    uint32_t m_size = 0;
};
