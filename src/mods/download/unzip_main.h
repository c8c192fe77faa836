#pragma once
// Unpacks a zip archive into a folder, called like the unzip program:
// "unzip", "-d", FOLDER, FILE. Returns 0 when every entry was written.
//
// The whole central directory is checked before anything is written; the archive is
// refused (non-zero, nothing written) for an absolute name, a ".." component with
// either separator, a symbolic link, an encrypted entry, more than kMaxUnzipEntries
// entries, or a declared total above kMaxUnzipBytes or the folder's free space. While
// unpacking, the bytes really written are counted against the declared sizes, and a
// CRC error fails it. Each file is written beside its place and renamed into it.
#include <cstdint>
#include <string>
#include <vector>

inline constexpr int64_t kMaxUnzipEntries = 65536;
inline constexpr uint64_t kMaxUnzipBytes = 4ull << 30;

enum UnzipResult
{
    kUnzipOk = 0,
    kUnzipUsage = 10,
    kUnzipOpenFailed = 9,
    kUnzipRefused = 3,
    kUnzipWriteFailed = 50,
    kUnzipBadData = 51,
};

struct UnzipEntry
{
    std::string name;
    uint64_t size = 0;
    bool folder = false;
    bool encrypted = false;
    bool link = false;
};

// The pre-scan over a listing: kUnzipOk or kUnzipRefused. freeBytes: what the folder
// can take.
int CheckUnzipEntries(const std::vector<UnzipEntry>& entries, uint64_t freeBytes);
// The pre-scan over an archive held in memory (fuzzing).
int CheckZipBytes(const uint8_t* data, size_t size);

int unzip_main(int argc, const char* const* argv);
