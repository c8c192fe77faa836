// The logo animation's frame index over arbitrary bytes: it must never read outside
// the buffer, and every frame it finds must lie inside it.
#include "app/menu/AviFrameIndex.h"

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // An exact-size copy, so that any read past the end is caught.
    std::vector<uint8_t> copy(data, data + size);
    AviFrameIndex index;
    if (!ParseAviFrames(copy.data(), copy.size(), index))
        return 0;
    if (index.frames.empty() || index.frames.size() > kMaxAviFrames)
        __builtin_trap();
    for (const AviFrame& frame : index.frames)
        if (frame.size == 0 || frame.offset > size || frame.size > size - frame.offset)
            __builtin_trap();
    return 0;
}
