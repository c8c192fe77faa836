// Feeds arbitrary bytes to the map header check; an accepted entity text must lie
// inside the map.
#include "app/files/MapList.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const MapHeaderCheck check = CheckMapHeader(data, size, int64_t(size));
    if (check.usable) {
        if (check.entityOffset < 0 || check.entityLength < 0 ||
            check.entityOffset + check.entityLength > int64_t(size) ||
            check.entityLength > MapHeaderCheck::kMaxEntityText)
            __builtin_trap();
        volatile uint8_t sum = 0;
        for (int64_t i = 0; i < check.entityLength; ++i)
            sum = uint8_t(sum + data[check.entityOffset + i]);
    }
    return 0;
}
