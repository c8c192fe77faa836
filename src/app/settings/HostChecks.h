#pragma once
// The checks that must pass before the main menu opens: enough memory, the engine's
// memory block, and the engine start event.
#include <cstdint>
#include <memory>

inline constexpr uint64_t kMinimumMemory = 15728640;       // 15 MB
inline constexpr uint64_t kSmallHeap = 14680064;           // 14 MB
inline constexpr uint64_t kSmallMemoryLimit = 29360128;    // 28 MB
inline constexpr uint64_t kLargeHeap = 41943040;           // 40 MB
inline constexpr uint64_t kLargeMemoryLimit = 83886081;    // 80 MB + 1

// The engine's memory block size for a machine with physicalMemory bytes, after
// "-heapsize" and "-minmemory" on the effective command line.
uint64_t EngineHeapSize(uint64_t physicalMemory);

struct EngineHeap
{
    std::unique_ptr<uint8_t[]> block;
    uint64_t size = 0;
};

// Runs the memory checks and allocates the heap; shows messages 79 or 80 and returns
// false on failure.
bool CheckMemoryAndAllocate(uint64_t physicalMemory, EngineHeap& heap);
