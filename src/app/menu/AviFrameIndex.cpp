#include "app/menu/AviFrameIndex.h"

#include <cstring>

namespace {

constexpr size_t kChunkHeader = 8; // identifier, length
constexpr size_t kListType = 4;
constexpr size_t kMainHeaderMinimum = 40;
constexpr size_t kWidthOffset = 32;
constexpr size_t kHeightOffset = 36;

uint32_t U32(const uint8_t* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

bool Is(const uint8_t* p, const char* id)
{
    return std::memcmp(p, id, 4) == 0;
}

bool IsVideoChunk(const uint8_t* id)
{
    return id[0] >= '0' && id[0] <= '9' && id[1] >= '0' && id[1] <= '9' && id[2] == 'd' &&
           (id[3] == 'c' || id[3] == 'b');
}

class Walker
{
public:
    Walker(const uint8_t* data, AviFrameIndex& index) : m_data(data), m_index(index) {}

    // Walks the chunks of [begin, end); movi tells whether they are frames.
    void Walk(size_t begin, size_t end, bool movi, int depth)
    {
        size_t pos = begin;
        while (end - pos >= kChunkHeader && m_index.frames.size() < kMaxAviFrames) {
            const uint8_t* id = m_data + pos;
            size_t length = U32(id + 4);
            const size_t body = pos + kChunkHeader;
            const bool list = Is(id, "LIST");
            if (length > end - body) {
                // A list cut short still holds the chunks before the cut; any other
                // chunk is lost.
                if (!list)
                    return;
                length = end - body;
            }
            if (list && length >= kListType && depth < kMaxAviListDepth) {
                const uint8_t* type = m_data + body;
                const bool inMovi = movi || Is(type, "movi");
                Walk(body + kListType, body + length, inMovi, depth + 1);
            } else if (Is(id, "avih") && length >= kMainHeaderMinimum) {
                m_index.microsecondsPerFrame = U32(m_data + body);
                m_index.width = U32(m_data + body + kWidthOffset);
                m_index.height = U32(m_data + body + kHeightOffset);
            } else if (movi && IsVideoChunk(id) && length > 0) {
                m_index.frames.push_back({body, length});
            }
            const size_t next = length + (length & 1);
            if (next >= end - body)
                return;
            pos = body + next;
        }
    }

private:
    const uint8_t* m_data;
    AviFrameIndex& m_index;
};

} // namespace

bool ParseAviFrames(const uint8_t* data, size_t size, AviFrameIndex& index)
{
    index = {};
    if (!data || size < kChunkHeader + kListType || !Is(data, "RIFF") || !Is(data + kChunkHeader, "AVI "))
        return false;
    size_t end = kChunkHeader + size_t(U32(data + 4));
    if (end > size || end < kChunkHeader + kListType)
        end = size; // a file cut short keeps the frames it still holds
    Walker(data, index).Walk(kChunkHeader + kListType, end, false, 0);
    return !index.frames.empty();
}
