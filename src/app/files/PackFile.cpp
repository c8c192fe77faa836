#include "app/files/PackFile.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <memory>

uint32_t ReadLittle32(const uint8_t* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

std::optional<PackHeader> ParsePackHeader(const uint8_t* header, size_t size, int64_t fileSize)
{
    if (size < PackFile::kHeaderSize || std::memcmp(header, "PACK", 4) != 0)
        return std::nullopt;
    PackHeader result;
    result.directoryOffset = int32_t(ReadLittle32(header + 4));
    result.directoryLength = int32_t(ReadLittle32(header + 8));
    if (result.directoryOffset < 0 || result.directoryLength < 0)
        return std::nullopt;
    result.entryCount = size_t(result.directoryLength) / PackFile::kEntrySize;
    if (result.entryCount > PackFile::kMaxEntries)
        return std::nullopt;
    // The directory must lie inside the file.
    const int64_t used = int64_t(result.entryCount * PackFile::kEntrySize);
    if (result.directoryOffset > fileSize || used > fileSize - result.directoryOffset)
        return std::nullopt;
    return result;
}

std::vector<PackEntry> ParsePackDirectory(const uint8_t* directory, size_t size, int64_t fileSize)
{
    std::vector<PackEntry> entries;
    const size_t count = size / PackFile::kEntrySize;
    entries.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        const uint8_t* raw = directory + i * PackFile::kEntrySize;
        // A name that fills all 56 bytes without a terminator is cut at 55 characters.
        size_t length = 0;
        while (length < PackFile::kNameSize - 1 && raw[length] != 0)
            ++length;
        PackEntry entry;
        entry.name.assign(reinterpret_cast<const char*>(raw), length);
        entry.position = int32_t(ReadLittle32(raw + PackFile::kNameSize));
        entry.length = int32_t(ReadLittle32(raw + PackFile::kNameSize + 4));
        if (entry.position < 0 || entry.length < 0 || entry.position > fileSize ||
            entry.length > fileSize - entry.position)
            continue;
        entries.push_back(std::move(entry));
    }
    return entries;
}

std::optional<PackFile> ReadPackFile(const std::string& path)
{
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file)
        return std::nullopt;
    if (std::fseek(file.get(), 0, SEEK_END) != 0)
        return std::nullopt;
    const int64_t fileSize = std::ftell(file.get());
    std::rewind(file.get());

    uint8_t header[PackFile::kHeaderSize];
    if (std::fread(header, 1, sizeof header, file.get()) != sizeof header)
        return std::nullopt;
    const auto parsed = ParsePackHeader(header, sizeof header, fileSize);
    if (!parsed)
        return std::nullopt;

    std::vector<uint8_t> directory(parsed->entryCount * PackFile::kEntrySize);
    if (!directory.empty()) {
        if (std::fseek(file.get(), long(parsed->directoryOffset), SEEK_SET) != 0 ||
            std::fread(directory.data(), 1, directory.size(), file.get()) != directory.size())
            return std::nullopt;
    }
    PackFile pack;
    pack.fileName = path;
    pack.entries = ParsePackDirectory(directory.data(), directory.size(), fileSize);
    return pack;
}

bool PackNameMatches(const std::string& entryName, const std::string& askedName)
{
    const size_t n = std::min(entryName.size(), askedName.size());
    for (size_t i = 0; i < n; ++i) {
        const char e = entryName[i];
        const char a = askedName[i];
        if (e == '/' && (a == '/' || a == '\\'))
            continue;
        if (std::tolower(static_cast<unsigned char>(e)) != std::tolower(static_cast<unsigned char>(a)))
            return false;
    }
    // Both texts must end together: a shorter name is no match for a longer one.
    return entryName.size() == askedName.size();
}
