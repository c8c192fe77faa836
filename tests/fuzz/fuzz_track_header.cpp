// Reads arbitrary bytes as the two ends of a music track file: the first half as its
// head, the second as its tail, the file size taken from the last eight bytes.
#include "config/cdaudio/TrackHeader.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Copies, so a read past either end shows under AddressSanitizer.
    const size_t half = size / 2;
    const std::vector<uint8_t> head(data, data + half);
    const std::vector<uint8_t> tail(data + half, data + size);
    uint64_t fileSize = size;
    if (size >= 8)
        std::memcpy(&fileSize, data + size - 8, 8);
    TrackBytes bytes;
    bytes.head = head.data();
    bytes.headSize = head.size();
    bytes.tail = tail.data();
    bytes.tailSize = tail.size();
    bytes.fileSize = fileSize;
    (void)ParseTrackLength(bytes);
    bytes.tail = head.data();
    bytes.tailSize = head.size();
    (void)ParseTrackLength(bytes);
    return 0;
}
