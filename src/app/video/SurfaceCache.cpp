#include "app/video/SurfaceCache.h"

#include "app/settings/CommandLine.h"
#include "platform/NumberText.h"

namespace {

constexpr long long kMaxSurfaceCacheKilobytes = 1ll << 40;

} // namespace

int64_t SurfaceCacheSize(int width, int height, int64_t optionKilobytes)
{
    if (optionKilobytes > 0)
        return optionKilobytes * 1024;
    const int64_t pixels = int64_t(width) * int64_t(height);
    if (pixels * 2 > kSmallModeBytes)
        return pixels * 6 + kSurfaceCacheBase;
    return kSmallSurfaceCache;
}

int64_t SurfaceCacheOptionKilobytes()
{
    std::string value;
    if (!FindOption("-surfcachesize", &value) || value.empty())
        return 0;
    const long long kilobytes = ParseInt64(value);
    // Kilobytes beyond 2^40 would overflow the byte count; such a value is not a size.
    return kilobytes > 0 && kilobytes <= kMaxSurfaceCacheKilobytes ? kilobytes : 0;
}

int64_t SurfaceCacheSize(int width, int height)
{
    return SurfaceCacheSize(width, height, SurfaceCacheOptionKilobytes());
}

bool ModeFitsInMemory(int width, int height, uint64_t heapSize, int64_t optionKilobytes)
{
    const int64_t frame = int64_t(width) * int64_t(height) * 4;
    const int64_t spare = int64_t(heapSize) - SurfaceCacheSize(width, height, optionKilobytes) - frame;
    return spare > kMinimumSpareHeap;
}
