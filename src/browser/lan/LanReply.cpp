#include "browser/lan/LanReply.h"

#include "app/text/TextCase.h"
#include "browser/list/ServerRecordList.h"
#include "browser/query/QueryReplies.h"
#include "browser/record/CServerInfo.h"
#include "online/buffers/CMessageBuffer.h"

namespace {

constexpr const char* kInfoReplyType = "infostringresponse";

bool IsInfoReply(CMessageBuffer& msg)
{
    if (msg.Size() <= 0)
        return false;
    msg.BeginReading();
    if (msg.ReadLong() != -1 || msg.BadRead())
        return false;
    const std::string type = msg.ReadString();
    return !msg.BadRead() && SameText(type, kInfoReplyType);
}

} // namespace

CServerInfo* TakeLanReply(ServerRecordList& list, CMessageBuffer& msg, const std::string& address, int port, bool ipx,
                          double now)
{
    if (!IsInfoReply(msg))
        return nullptr;
    CServerInfo* record = list.AddServer(address, port);
    if (!record)
        return nullptr;
    // The info reply parser also advances the query; a broadcast answer must not.
    const int32_t status = record->status;
    const int32_t retries = record->retries;
    if (ParseInfoReply(msg, *record, now) == ReplyParse::Good)
        record->ipx = ipx;
    record->status = status;
    record->retries = retries;
    if (record->dir != kLanGameDir) {
        list.RemoveServer(record);
        return nullptr;
    }
    return record;
}
