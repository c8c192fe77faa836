#include "ui/WavFile.h"

#include <cstring>
#include <optional>

namespace {

constexpr size_t kChunkHeader = 8;
constexpr uint16_t kFormatPcm = 1;
constexpr size_t kFormatMinimum = 16;   // tag, channels, rate, rate/align (6), bits
constexpr size_t kCueSampleOffset = 24; // first cue point's sample offset
constexpr size_t kMarkPurpose = 20;     // "mark" in the labelled-text sub-chunk
constexpr size_t kMarkLength = 16;      // its sample length

uint16_t U16(const uint8_t* p)
{
    return uint16_t(p[0] | (p[1] << 8));
}

uint32_t U32(const uint8_t* p)
{
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}

struct Chunk
{
    size_t data = 0;   // offset of the chunk's data in the file
    size_t length = 0; // data length, cut to the area searched
};

// The first chunk with the identifier in [begin, end).
std::optional<Chunk> FindChunk(const uint8_t* file, size_t begin, size_t end, const char* id)
{
    size_t pos = begin;
    while (pos <= end && end - pos >= kChunkHeader) {
        const uint64_t declared = U32(file + pos + 4);
        const size_t data = pos + kChunkHeader;
        const size_t available = end - data;
        if (std::memcmp(file + pos, id, 4) == 0)
            return Chunk{data, declared < available ? size_t(declared) : available};
        const uint64_t padded = declared + (declared & 1);
        if (padded >= available)
            break;
        pos = data + size_t(padded);
    }
    return std::nullopt;
}

} // namespace

WavDescription ParseWav(const uint8_t* data, size_t length)
{
    WavDescription wav;
    if (!data)
        return {};

    // The RIFF chunk whose form type is WAVE.
    std::optional<Chunk> riff;
    size_t pos = 0;
    while (true) {
        riff = FindChunk(data, pos, length, "RIFF");
        if (!riff)
            return {};
        if (riff->length >= 4 && std::memcmp(data + riff->data, "WAVE", 4) == 0)
            break;
        const uint64_t declared = U32(data + riff->data - 4);
        const uint64_t next = uint64_t(riff->data) + declared + (declared & 1);
        if (next >= length)
            return {};
        pos = size_t(next);
    }
    const size_t begin = riff->data + 4;
    const size_t end = riff->data + riff->length;

    const std::optional<Chunk> format = FindChunk(data, begin, end, "fmt ");
    if (!format || format->length < kFormatMinimum)
        return {};
    const uint8_t* f = data + format->data;
    if (U16(f) != kFormatPcm)
        return {};
    wav.channels = U16(f + 2);
    wav.sampleRate = int(U32(f + 4) & 0x7FFFFFFF);
    wav.bytesPerSample = U16(f + 14) / 8;
    if (wav.bytesPerSample == 0)
        return {};

    int64_t loopEnd = -1;
    wav.loopStart = -1;
    if (const std::optional<Chunk> cue = FindChunk(data, begin, end, "cue ");
        cue && cue->length >= kCueSampleOffset + 4) {
        wav.loopStart = U32(data + cue->data + kCueSampleOffset);
        if (const std::optional<Chunk> list = FindChunk(data, begin, end, "LIST");
            list && list->length >= kMarkPurpose + 4 && std::memcmp(data + list->data + kMarkPurpose, "mark", 4) == 0) {
            loopEnd = wav.loopStart + int64_t(U32(data + list->data + kMarkLength));
        }
    }

    const std::optional<Chunk> samples = FindChunk(data, begin, end, "data");
    if (!samples)
        return {};
    const int64_t available = int64_t(samples->length) / wav.bytesPerSample;
    wav.dataOffset = int64_t(samples->data);
    wav.sampleCount = available;
    if (wav.loopStart > available)
        return {};
    if (loopEnd >= 0) {
        // A loop that ends past the samples would play bytes that are not there.
        if (loopEnd > available)
            return {};
        wav.sampleCount = loopEnd;
    }
    return wav;
}
