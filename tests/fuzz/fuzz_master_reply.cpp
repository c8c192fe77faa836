// Arbitrary datagrams as master list batches: only whole entries inside the datagram
// are read, and every entry is a dotted address with a port in range.
#include "browser/master/MasterProtocol.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const auto batch = ParseMasterListBatch(data, size);
    if (!batch)
        return 0;
    if (size < kMasterListHeader + batch->entries.size() * kMasterEntryBytes)
        __builtin_trap();
    for (const MasterEntry& entry : batch->entries)
        if (entry.port < 0 || entry.port > 65535 || entry.address.size() > 15 || !BytesFromDotted(entry.address))
            __builtin_trap();
    return 0;
}
