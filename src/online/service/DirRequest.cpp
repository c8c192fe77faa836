#include "online/service/DirRequest.h"

#include "online/service/ServiceMessage.h"

#include <algorithm>

bool ReadDirectoryHeader(ReadBuffer& reader, int16_t& status, uint16_t& count)
{
    uint16_t raw = 0;
    if (!reader.ReadShort(raw) || !reader.ReadShort(count))
        return false;
    status = int16_t(raw);
    return true;
}

uint32_t DirRequest::GetDirectory(const std::u16string& path, ReadBuffer& reader)
{
    WriteBuffer message(256);
    ServiceMessage::Begin(message, kService, kRequest);
    message.AppendWString(path);
    message.AppendByte(0);
    ServiceMessage::End(message);
    if (!Exchange(message, kService, kReply, reader))
        return 0;
    int16_t status = 0;
    uint16_t count = 0;
    if (!ReadDirectoryHeader(reader, status, count)) {
        Print("Invalid message received from directory server.\n");
        return 0;
    }
    if (status != 0) {
        Print("Status error getting directory: " + std::to_string(status) + "\n");
        return 0;
    }
    return std::min<uint32_t>(count, kMaxDirEntries);
}
