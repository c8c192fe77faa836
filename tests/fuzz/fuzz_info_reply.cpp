// Arbitrary datagrams as info replies: the record's texts stay within their limits.
#include "ReplyFuzzRecord.h"
#include "browser/query/QueryReplies.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ReplyFuzzInput in(data, size);
    const ReplyParse result = ParseInfoReply(in.msg, in.record, 1.0);
    in.Check();
    const CServerInfo& r = in.record;
    if (result == ReplyParse::Good) {
        if (r.status != CServerInfo::InfoReceived || r.name.size() > kMaxInfoValue || r.map.size() > kMaxInfoValue ||
            r.proxyaddress.size() > kMaxInfoValue || r.proxy != (r.svtype == 'p'))
            __builtin_trap();
    } else if (r.status != CServerInfo::Idle || r.name != "?") {
        __builtin_trap();
    }
    return 0;
}
