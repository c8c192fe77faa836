// The save header reader over arbitrary bytes: it must never read outside the buffer,
// and what it accepts must respect the text limits.
#include "app/saves/SaveFileFormat.h"
#include "app/saves/SaveHeader.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // An exact-size copy, so that any read past the end is caught.
    std::vector<uint8_t> copy(data, data + size);
    SaveHeader header;
    if (!ParseSaveHeader(copy.data(), copy.size(), header))
        return 0;
    if (header.mapName.empty() || header.mapName.size() > kMaxSaveMapName || header.comment.empty() ||
        header.comment.size() > kMaxSaveComment || header.payloadOffset > size ||
        header.payloadSize > size - header.payloadOffset)
        __builtin_trap();
    return 0;
}
