// Feeds arbitrary bytes to the zip pre-scan (central directory checks) as an archive
// in memory, and to the FTP listing reader.
#include "mods/download/FtpListing.h"
#include "mods/download/unzip_main.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CheckZipBytes(data, size);
    ParseMlsd(std::string(reinterpret_cast<const char*>(data), size));
    return 0;
}
