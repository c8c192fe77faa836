// Arbitrary datagrams as answers to the LAN broadcast: only "vrel" records stay, one
// per sender, and the answer never advances a record's query.
#include "browser/lan/LanReply.h"
#include "browser/list/ServerRecordList.h"
#include "browser/record/CServerInfo.h"
#include "online/buffers/CMessageBuffer.h"

#include <cstdint>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ServerRecordList list;
    // The first byte says whether the sender is already listed.
    if (size >= 1 && (data[0] & 1)) {
        CServerInfo* known = list.AddServer("127.0.0.1", 27016);
        known->dir = kLanGameDir;
        known->status = CServerInfo::InfoSent;
    }
    if (size >= 1) {
        ++data;
        --size;
    }
    CMessageBuffer msg(8192);
    msg.Clear();
    const size_t n = size < size_t(msg.Capacity()) ? size : size_t(msg.Capacity());
    if (n)
        std::memcpy(msg.Data(), data, n);
    msg.SetSize(int(n));

    const int before = list.Count();
    CServerInfo* kept = TakeLanReply(list, msg, "127.0.0.1", 27016, false, 1.0);
    if (list.Count() > 1 || list.Count() > before + 1)
        __builtin_trap();
    for (const CServerInfo* r = list.Head(); r; r = r->next) {
        if (r->dir != kLanGameDir || (r->status != CServerInfo::Idle && r->status != CServerInfo::InfoSent))
            __builtin_trap();
    }
    if (kept && kept != list.Head())
        __builtin_trap();
    return 0;
}
