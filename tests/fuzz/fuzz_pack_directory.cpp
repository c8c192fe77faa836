// Feeds arbitrary bytes to the archive header and directory readers, as a whole
// archive file would hand them over.
#include "app/files/PackFile.h"

#include <cstdint>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const auto header = ParsePackHeader(data, size, int64_t(size));
    if (!header)
        return 0;
    const size_t start = size_t(header->directoryOffset);
    const size_t length = header->entryCount * PackFile::kEntrySize;
    if (start > size || length > size - start)
        __builtin_trap();  // the header check must keep the directory inside the file
    const auto entries = ParsePackDirectory(data + start, length, int64_t(size));
    for (const PackEntry& entry : entries) {
        if (entry.name.size() >= PackFile::kNameSize || entry.position < 0 || entry.length < 0 ||
            entry.position + entry.length > int64_t(size))
            __builtin_trap();
        (void)PackNameMatches(entry.name, "maps\\x.bsp");
    }
    return 0;
}
