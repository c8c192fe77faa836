#pragma once
// The engine's surface cache and the memory test every offered mode must pass.
#include <cstdint>

inline constexpr int64_t kSmallSurfaceCache = 3145728; // 3 MB
inline constexpr int64_t kSurfaceCacheBase = 2953728;
inline constexpr int64_t kSmallModeBytes = 64000;     // w × h × 2 at or below this: small cache
inline constexpr int64_t kMinimumSpareHeap = 8388607; // spare heap must exceed 8 MB − 1

// Bytes of surface cache for a w × h mode; optionKilobytes > 0 ("-surfcachesize")
// replaces the computed size.
int64_t SurfaceCacheSize(int width, int height, int64_t optionKilobytes);
// "-surfcachesize" from the effective command line; 0 when absent or not a size.
int64_t SurfaceCacheOptionKilobytes();
// The same, with "-surfcachesize" taken from the effective command line.
int64_t SurfaceCacheSize(int width, int height);

// True when the engine heap still has more than 8 MB to spare after the surface cache
// and a 4-byte-per-pixel frame of the mode.
bool ModeFitsInMemory(int width, int height, uint64_t heapSize, int64_t optionKilobytes);
