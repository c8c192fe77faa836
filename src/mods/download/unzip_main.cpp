#include "mods/download/unzip_main.h"

#include "mods/download/SafeFiles.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include <sys/statvfs.h>
#include <zip.h>

#include <cstring>
#include <memory>

namespace {

constexpr size_t kCopyBlock = 256 * 1024;

struct ZipCloser
{
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
using ZipHandle = std::unique_ptr<zip_t, ZipCloser>;

struct ZipFileCloser
{
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};

bool ReadEntries(zip_t* archive, std::vector<UnzipEntry>& entries)
{
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    if (count < 0 || count > kMaxUnzipEntries)
        return false;
    entries.reserve(size_t(count));
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t st;
        zip_stat_init(&st);
        if (zip_stat_index(archive, zip_uint64_t(i), ZIP_FL_ENC_RAW, &st) != 0 || !(st.valid & ZIP_STAT_NAME))
            return false;
        UnzipEntry entry;
        entry.name = st.name;
        entry.size = (st.valid & ZIP_STAT_SIZE) ? st.size : 0;
        entry.encrypted = (st.valid & ZIP_STAT_ENCRYPTION_METHOD) && st.encryption_method != ZIP_EM_NONE;
        zip_uint8_t system = 0;
        zip_uint32_t attributes = 0;
        if (zip_file_get_external_attributes(archive, zip_uint64_t(i), 0, &system, &attributes) == 0 &&
            system == ZIP_OPSYS_UNIX)
            entry.link = ((attributes >> 16) & S_IFMT) == S_IFLNK;
        entry.folder = !entry.name.empty() && (entry.name.back() == '/' || entry.name.back() == '\\');
        entries.push_back(std::move(entry));
    }
    return true;
}

uint64_t FreeBytes(const std::string& folder)
{
    struct statvfs vfs {};
    std::string probe = folder;
    // The folder may not exist yet: ask about the nearest one that does.
    while (::statvfs(probe.c_str(), &vfs) != 0) {
        const size_t slash = probe.find_last_of('/');
        if (slash == std::string::npos || slash == 0) {
            probe = slash == 0 ? "/" : ".";
            if (::statvfs(probe.c_str(), &vfs) != 0)
                return 0;
            break;
        }
        probe.resize(slash);
    }
    return uint64_t(vfs.f_bavail) * uint64_t(vfs.f_frsize);
}

int Extract(zip_t* archive, const std::vector<UnzipEntry>& entries, const std::string& folder, uint64_t allowed)
{
    std::vector<char> block(kCopyBlock);
    uint64_t total = 0;
    for (size_t i = 0; i < entries.size(); ++i) {
        const UnzipEntry& entry = entries[i];
        std::vector<std::string> parts;
        SplitSafeRelative(entry.name, parts);
        if (entry.folder) {
            if (!MakeFoldersNoFollow(folder, parts, parts.size()))
                return kUnzipWriteFailed;
            continue;
        }
        std::unique_ptr<zip_file_t, ZipFileCloser> file(zip_fopen_index(archive, zip_uint64_t(i), 0));
        if (!file)
            return kUnzipBadData;
        PendingFile out;
        if (!out.Open(folder, entry.name))
            return kUnzipWriteFailed;
        uint64_t written = 0;
        for (;;) {
            const zip_int64_t n = zip_fread(file.get(), block.data(), block.size());
            if (n < 0)
                return kUnzipBadData; // includes a CRC mismatch
            if (n == 0)
                break;
            written += uint64_t(n);
            total += uint64_t(n);
            // Headers may lie about sizes: the bytes themselves are what counts.
            if (written > entry.size || total > allowed)
                return kUnzipBadData;
            if (!out.Write(block.data(), size_t(n)))
                return kUnzipWriteFailed;
        }
        if (written != entry.size)
            return kUnzipBadData;
        if (!out.Commit())
            return kUnzipWriteFailed;
    }
    return kUnzipOk;
}

} // namespace

int CheckUnzipEntries(const std::vector<UnzipEntry>& entries, uint64_t freeBytes)
{
    if (int64_t(entries.size()) > kMaxUnzipEntries)
        return kUnzipRefused;
    uint64_t total = 0;
    for (const UnzipEntry& entry : entries) {
        std::vector<std::string> parts;
        if (entry.encrypted || entry.link || !SplitSafeRelative(entry.name, parts))
            return kUnzipRefused;
        if (entry.size > kMaxUnzipBytes - total)
            return kUnzipRefused;
        total += entry.size;
    }
    return total > freeBytes ? kUnzipRefused : kUnzipOk;
}

int CheckZipBytes(const uint8_t* data, size_t size)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(data, size, 0, &error);
    if (!source)
        return kUnzipOpenFailed;
    ZipHandle archive(zip_open_from_source(source, ZIP_RDONLY, &error));
    zip_error_fini(&error);
    if (!archive) {
        zip_source_free(source);
        return kUnzipOpenFailed;
    }
    std::vector<UnzipEntry> entries;
    if (!ReadEntries(archive.get(), entries))
        return kUnzipRefused;
    return CheckUnzipEntries(entries, kMaxUnzipBytes);
}

int unzip_main(int argc, const char* const* argv)
{
    if (argc != 4 || !argv || std::strcmp(argv[1], "-d") != 0 || !argv[2] || !argv[3] || !*argv[2])
        return kUnzipUsage;
    const std::string folder = argv[2];
    // The archive is read through a mapping of the file: libzip's own reads are small.
    const int fd = ::open(argv[3], O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return kUnzipOpenFailed;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size <= 0) {
        ::close(fd);
        return kUnzipOpenFailed;
    }
    const size_t length = size_t(st.st_size);
    void* mapped = ::mmap(nullptr, length, PROT_READ, MAP_PRIVATE, fd, 0);
    ::close(fd);
    if (mapped == MAP_FAILED)
        return kUnzipOpenFailed;
    ::madvise(mapped, length, MADV_SEQUENTIAL);
    struct Unmap
    {
        void* address;
        size_t length;
        ~Unmap() { ::munmap(address, length); }
    } unmap{mapped, length};
    zip_error_t zipError;
    zip_error_init(&zipError);
    zip_source_t* source = zip_source_buffer_create(mapped, length, 0, &zipError);
    ZipHandle archive(source ? zip_open_from_source(source, ZIP_RDONLY, &zipError) : nullptr);
    zip_error_fini(&zipError);
    if (!archive) {
        if (source)
            zip_source_free(source);
        return kUnzipOpenFailed;
    }
    std::vector<UnzipEntry> entries;
    if (!ReadEntries(archive.get(), entries))
        return kUnzipRefused;
    const uint64_t space = FreeBytes(folder);
    const int check = CheckUnzipEntries(entries, space);
    if (check != kUnzipOk)
        return check;
    if (!MakeFoldersNoFollow(folder, {}, 0))
        return kUnzipWriteFailed;
    uint64_t declared = 0;
    for (const UnzipEntry& entry : entries)
        declared += entry.size;
    return Extract(archive.get(), entries, folder, declared);
}
