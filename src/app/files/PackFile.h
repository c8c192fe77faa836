#pragma once
// The "PACK" archive format: a 12-byte header ("PACK", directory offset, directory
// length, little-endian) and a directory of 64-byte entries (56-byte name, data
// position, data length).
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct PackEntry
{
    std::string name;     // with '/' separators, at most 55 characters
    int64_t position = 0; // of the data, from the start of the archive
    int64_t length = 0;
};

struct PackFile
{
    static constexpr size_t kHeaderSize = 12;
    static constexpr size_t kEntrySize = 64;
    static constexpr size_t kNameSize = 56;
    static constexpr size_t kMaxEntries = 4096;

    std::string fileName;
    int handle = -1;  // slot of the handle table held while the archive is searched
    std::vector<PackEntry> entries;
};

struct PackHeader
{
    int64_t directoryOffset = 0;
    int64_t directoryLength = 0;
    size_t entryCount = 0;
};

// Checks the header against the archive's size. No value: not an archive we use
// (wrong magic, directory outside the file, more than 4096 entries).
std::optional<PackHeader> ParsePackHeader(const uint8_t* header, size_t size, int64_t fileSize);

// Reads the directory bytes (entryCount × 64 of them). Entries whose data lies outside
// the archive are skipped; a partial trailing entry is not read.
std::vector<PackEntry> ParsePackDirectory(const uint8_t* directory, size_t size, int64_t fileSize);

// Opens an archive file and reads its directory; no value when it cannot be used.
std::optional<PackFile> ReadPackFile(const std::string& path);

// Name comparison of archive lookups: letter case ignored, an entry's '/' also
// matches '\' in the asked name; the comparison stops at the end of either text.
bool PackNameMatches(const std::string& entryName, const std::string& askedName);

uint32_t ReadLittle32(const uint8_t* p);
