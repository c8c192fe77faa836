#include "app/settings/HostChecks.h"

#include "app/settings/CommandLine.h"
#include "app/text/Messages.h"
#include "platform/NumberText.h"

#include <new>

uint64_t EngineHeapSize(uint64_t physicalMemory)
{
    uint64_t size = physicalMemory / 2;
    if (physicalMemory < kSmallMemoryLimit)
        size = kSmallHeap;
    if (physicalMemory > kLargeMemoryLimit)
        size = kLargeHeap;
    std::string value;
    if (FindOption("-heapsize", &value) && !value.empty()) {
        const long long kb = ParseInt64(value);
        if (kb > 0)
            size = uint64_t(kb) * 1024;
    }
    if (FindOption("-minmemory"))
        size = kSmallHeap;
    return size;
}

bool CheckMemoryAndAllocate(uint64_t physicalMemory, EngineHeap& heap)
{
    if (physicalMemory < kMinimumMemory) {
        ShowFormattedMessage(79, double(physicalMemory) / 1024.0);
        return false;
    }
    const uint64_t size = EngineHeapSize(physicalMemory);
    heap.block.reset(new (std::nothrow) uint8_t[size]);
    if (!heap.block) {
        ShowFormattedMessage(80, double(size) / 1024.0);
        return false;
    }
    heap.size = size;
    return true;
}
