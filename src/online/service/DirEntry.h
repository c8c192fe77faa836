#pragma once
// One entry of a directory reply: a directory ('D') or a service ('S') with its
// address. Integers little-endian except the port and address (network order on the
// wire, host order here); wide strings are a 16-bit count and UTF-16LE units.
#include "online/buffers/ReadBuffer.h"

#include <cstdint>
#include <string>
#include <vector>

struct DirEntry
{
    static constexpr uint8_t kDirectory = 'D';
    static constexpr uint8_t kService = 'S';

    uint8_t kind = 0;
    std::u16string name;
    std::u16string displayName;
    uint16_t port = 0;
    uint32_t address = 0;
    // Where the trailing bytes of a service entry start within the reply, and how many.
    uint32_t extraOffset = 0;
    uint16_t extraLength = 0;
};

// Reads one entry; true only when every field was there (the reader may have moved).
bool ReadDirEntry(ReadBuffer& reader, DirEntry& entry);
// Reads up to count whole entries (at most kMaxDirEntries), stopping at the first
// incomplete one; service entries with port 0 or an address that is not a unicast
// address are left out.
constexpr uint32_t kMaxDirEntries = 512;
std::vector<DirEntry> ReadDirEntries(ReadBuffer& reader, uint32_t count);
// True for an address (host order) a service can be reached at.
bool IsUnicastAddress(uint32_t address);
// The dotted form of an address in host order.
std::string DottedAddress(uint32_t address);
