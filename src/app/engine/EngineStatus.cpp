#include "app/engine/EngineStatus.h"

#include <cstring>

namespace {

int ReadWord(const uint8_t* record, size_t offset)
{
    int32_t value;
    std::memcpy(&value, record + offset, sizeof value);
    return value;
}

} // namespace

EngineStatus ReadEngineStatus(const uint8_t (&record)[kEngineStatusRecordBytes])
{
    EngineStatus status;
    status.maxClients = ReadWord(record, kStatusMaxClientsOffset);
    status.localServer = ReadWord(record, kStatusLocalServerOffset);
    std::memcpy(status.address.data(), record + kStatusAddressOffset, status.address.size());
    const char* text = reinterpret_cast<const char*>(record + kStatusTextOffset);
    const size_t room = kEngineStatusRecordBytes - kStatusTextOffset;
    status.text.assign(text, strnlen(text, room));
    status.connectionState = ReadWord(record, kStatusConnectionOffset);
    status.active = ReadWord(record, kStatusActiveOffset);
    return status;
}
