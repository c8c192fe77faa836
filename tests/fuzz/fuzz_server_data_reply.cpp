// Arbitrary datagrams as server-data replies: never more entries than fit.
#include "browser/master/MasterProtocol.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const auto reply = ParseServerDataReply(data, size);
    if (!reply)
        return 0;
    size_t entries = 0;
    for (const auto& group : reply->groups) {
        entries += group.size();
        for (const MasterEntry& entry : group)
            if (entry.port < 0 || entry.port > 65535)
                __builtin_trap();
    }
    if (entries * kMasterEntryBytes + kMasterReplyHeader > size || (reply->outOfDate && entries != 0))
        __builtin_trap();
    return 0;
}
