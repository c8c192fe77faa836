// Arbitrary datagrams as rules replies: keys and values stay within their buffers.
#include "ReplyFuzzRecord.h"
#include "browser/query/QueryReplies.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ReplyFuzzInput in(data, size);
    in.record.status = CServerInfo::RulesSent;
    const ReplyParse result = ParseRulesReply(in.msg, in.record);
    in.Check();
    if (result == ReplyParse::Good && in.record.status != CServerInfo::RulesReceived)
        __builtin_trap();
    int count = 0;
    for (const auto& rule : in.record.rules) {
        ++count;
        if (rule.key.size() > kMaxRuleKey || rule.value.size() > kMaxRuleValue)
            __builtin_trap();
    }
    if (count > kMaxRulesPerReply)
        __builtin_trap();
    return 0;
}
