// Arbitrary datagrams from chat servers and to them: status and name replies count
// only with their whole header and tag.
#include "online/chat/ChatMessages.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const auto status = ChatMessages::ParseStatusReply(data, uint32_t(size));
    if (status && (size < 7 || data[0] != 3 || data[1] != 1 || data[2] != 2))
        __builtin_trap();
    const auto name = ChatMessages::ParseNameReply(data, uint32_t(size));
    if (name && (size < 5 || data[2] != 4))
        __builtin_trap();
    ChatMessages::ParseQuery(data, uint32_t(size));
    return 0;
}
