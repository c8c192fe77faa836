#pragma once
// Fixed-capacity datagram buffer with a read cursor. Every UDP protocol of the
// launcher composes and parses its datagrams with it. Integers are little-endian;
// a read past the valid bytes returns -1 (or an empty string) and sets the bad-read
// flag, except ReadFloat, which always advances by 4 and leaves the flag alone. No
// read touches memory outside the valid data.
#include <cstdint>
#include <string>

class CMessageBuffer
{
public:
    static constexpr int kMinCapacity = 256;
    static constexpr int kMaxString = 2047; // longest string ReadString returns
    // Localised texts shown when a write cannot be made to fit.
    static constexpr int kMsgOverflowNotAllowed = 29;
    static constexpr int kMsgWriteTooLarge = 30;
    // Exit status of the program after either of them.
    static constexpr int kOverflowExitCode = 1;
    // What ReadFloat yields when fewer than 4 bytes remain.
    static constexpr float kShortFloat = 0.0f;

    explicit CMessageBuffer(int capacity);
    virtual ~CMessageBuffer();
    CMessageBuffer(const CMessageBuffer&) = delete;
    CMessageBuffer& operator=(const CMessageBuffer&) = delete;

    // Empties the message and zero-fills the storage; the read cursor stays.
    void Clear();
    // Marks the first n bytes as valid (after receiving into Data()); clamped to the
    // capacity so a caller's mistake cannot open memory beyond the storage.
    void SetSize(int n);
    void BeginReading();

    // Reserves n bytes at the end; see the .cpp for what happens when they don't fit.
    uint8_t* GetSpace(int n);
    void WriteByte(int v);
    void WriteLong(int32_t v);
    void WriteString(const char* s);
    void WriteString(const std::string& s) { WriteString(s.c_str()); }
    void WriteData(const void* bytes, int n);

    int ReadChar();
    int ReadByte();
    int ReadShort();
    int32_t ReadLong();
    float ReadFloat();
    std::string ReadString();

    uint8_t* Data() { return m_data; }
    const uint8_t* Data() const { return m_data; }
    int Capacity() const { return m_capacity; }
    int Size() const { return m_size; }
    int ReadCount() const { return m_readCount; }
    bool BadRead() const { return m_badRead != 0; }
    bool Overflowed() const { return m_overflowed != 0; }
    void SetAllowOverflow(bool allow) { m_allowOverflow = allow ? 1 : 0; }

private:
    // True and the start of the next width bytes when they are all valid; otherwise
    // sets the bad-read flag and leaves the cursor.
    const uint8_t* Take(int width);

    int32_t m_readCount = 0;
    int32_t m_badRead = 0;
    uint8_t* m_data = nullptr;
    int32_t m_capacity = 0;
    int32_t m_size = 0;
    int32_t m_allowOverflow = 1;
    int32_t m_overflowed = 0;
};
