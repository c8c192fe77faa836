// Arbitrary datagrams as players replies: nothing is stored outside the slot array.
#include "ReplyFuzzRecord.h"
#include "browser/query/QueryReplies.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ReplyFuzzInput in(data, size);
    in.record.status = CServerInfo::PlayersSent;
    const ReplyParse result = ParsePlayersReply(in.msg, in.record, 1.0);
    in.Check();
    if (result == ReplyParse::Good && in.record.status != CServerInfo::PlayersReceived)
        __builtin_trap();
    if (in.record.players)
        for (const auto& p : *in.record.players)
            if (p && p->name.size() > size_t(CMessageBuffer::kMaxString))
                __builtin_trap();
    return 0;
}
