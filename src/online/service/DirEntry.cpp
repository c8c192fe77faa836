#include "online/service/DirEntry.h"

#include <algorithm>

namespace {

bool SkipWString(ReadBuffer& reader)
{
    std::u16string ignored;
    return reader.ReadWString(ignored);
}

bool ReadBigShort(ReadBuffer& reader, uint16_t& v)
{
    uint8_t hi = 0, lo = 0;
    if (reader.Remaining() < 2 || !reader.ReadByte(hi) || !reader.ReadByte(lo))
        return false;
    v = uint16_t(hi << 8 | lo);
    return true;
}

} // namespace

bool ReadDirEntry(ReadBuffer& reader, DirEntry& entry)
{
    entry = DirEntry{};
    uint32_t unused = 0;
    if (!reader.ReadByte(entry.kind) || !SkipWString(reader) || !reader.ReadWString(entry.name) ||
        !reader.ReadWString(entry.displayName) || !reader.ReadLong(unused) || !reader.ReadLong(unused))
        return false;
    if (entry.kind != DirEntry::kService) {
        uint8_t ignored = 0;
        return reader.ReadByte(ignored);
    }
    uint16_t unusedShort = 0;
    if (!SkipWString(reader) || !SkipWString(reader) || !SkipWString(reader) || !reader.ReadShort(unusedShort) ||
        !ReadBigShort(reader, entry.port) || reader.Remaining() < 4)
        return false;
    uint8_t a[4];
    for (uint8_t& byte : a)
        reader.ReadByte(byte);
    entry.address = uint32_t(a[0]) << 24 | uint32_t(a[1]) << 16 | uint32_t(a[2]) << 8 | a[3];
    if (!reader.ReadShort(entry.extraLength))
        return false;
    entry.extraOffset = reader.Offset();
    return reader.Skip(entry.extraLength);
}

bool IsUnicastAddress(uint32_t address)
{
    const uint8_t first = uint8_t(address >> 24);
    // 0.0.0.0/8 ("this network"), multicast 224/4 and the reserved 240/4 with broadcast.
    return first != 0 && first < 224;
}

std::vector<DirEntry> ReadDirEntries(ReadBuffer& reader, uint32_t count)
{
    std::vector<DirEntry> entries;
    count = std::min(count, kMaxDirEntries);
    for (uint32_t i = 0; i < count; ++i) {
        DirEntry entry;
        if (!ReadDirEntry(reader, entry))
            break;
        if (entry.kind == DirEntry::kService && (entry.port == 0 || !IsUnicastAddress(entry.address)))
            continue;
        entries.push_back(std::move(entry));
    }
    return entries;
}

std::string DottedAddress(uint32_t address)
{
    return std::to_string(address >> 24) + "." + std::to_string((address >> 16) & 0xFF) + "." +
           std::to_string((address >> 8) & 0xFF) + "." + std::to_string(address & 0xFF);
}
