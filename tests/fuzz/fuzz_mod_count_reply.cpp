// Feeds arbitrary datagrams to the count reply parser and adds the counts to a list.
#include "mods/master/ModMasterProtocol.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const auto page = ParseModCountReply(data, size);
    if (!page)
        return 0;
    ModList list;
    for (const ModCountTriple& triple : page->triples) {
        if (triple.gamedir.size() > kMaxCountDir || triple.servers.size() > kMaxCountNumber ||
            triple.players.size() > kMaxCountNumber)
            std::abort();
        if (!FindModByDir(list, triple.gamedir)) {
            list.push_back(CModRecord::Empty()); // defaults would only slow each input down
            list.back().SetKey("gamedir", triple.gamedir);
        }
    }
    ApplyModCounts(list, *page);
    ApplyModCounts(list, *page);
    return 0;
}
