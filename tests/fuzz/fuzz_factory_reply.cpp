// Arbitrary factory reply bodies: a reply is whole only with its five bytes.
#include "online/service/FactoryRequest.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ReadBuffer reader(data, uint32_t(size));
    FactoryReply reply;
    const bool whole = ReadFactoryReply(reader, reply);
    if (whole != (size >= 5))
        __builtin_trap();
    return 0;
}
