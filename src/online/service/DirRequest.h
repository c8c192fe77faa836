#pragma once
// Asks a directory server for the entries under a path (service type 30: request 2,
// reply 3 with a signed 16-bit status, a 16-bit count, then the entries).
#include "online/service/DirEntry.h"
#include "online/service/PylonRequest.h"

class DirRequest : public PylonRequest
{
public:
    static constexpr uint32_t kService = 30;
    static constexpr uint32_t kRequest = 2;
    static constexpr uint32_t kReply = 3;

    using PylonRequest::PylonRequest;

    // The number of entries (at most kMaxDirEntries) with the reader on the first one;
    // 0 on any failure.
    uint32_t GetDirectory(const std::u16string& path, ReadBuffer& reader);
};

// Reads the status and count of a directory reply body. False when either is missing.
bool ReadDirectoryHeader(ReadBuffer& reader, int16_t& status, uint16_t& count);
