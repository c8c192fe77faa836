// The engine status record: any 320 bytes read safely, the text never past the end.
#include "app/EngineStatus.h"

#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    uint8_t record[kEngineStatusRecordBytes] = {};
    std::memcpy(record, data, size < sizeof record ? size : sizeof record);
    const EngineStatus status = ReadEngineStatus(record);
    if (status.text.size() > kEngineStatusRecordBytes - kStatusTextOffset)
        std::abort();
    (void)status.InMultiplayerGame();
    return 0;
}
