// Arbitrary directory reply bodies: entries are read only while whole, never more than
// the limit, and none kept has port 0 or an address that is not unicast.
#include "online/service/DirRequest.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ReadBuffer reader(data, uint32_t(size));
    int16_t status = 0;
    uint16_t count = 0;
    if (!ReadDirectoryHeader(reader, status, count))
        return 0;
    const auto entries = ReadDirEntries(reader, count);
    if (entries.size() > kMaxDirEntries || entries.size() > count || reader.Offset() > size)
        __builtin_trap();
    for (const DirEntry& entry : entries) {
        if (entry.kind == DirEntry::kService && (entry.port == 0 || !IsUnicastAddress(entry.address)))
            __builtin_trap();
        if (entry.extraOffset + entry.extraLength > size)
            __builtin_trap();
    }
    return 0;
}
