// Feeds arbitrary datagrams to the custom-game list reply parser; every record kept
// must have passed the checks.
#include "mods/catalogue/ReceivedModCheck.h"
#include "mods/master/ModMasterProtocol.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const auto page = ParseModListReply(data, size);
    if (!page)
        return 0;
    for (const CModRecord& record : page->records)
        if (!IsSafeGameDir(record.GetKeyText("gamedir")) || record.GetKeyText("game").empty())
            std::abort();
    return 0;
}
