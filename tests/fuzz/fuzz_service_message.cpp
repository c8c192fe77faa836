// Arbitrary bytes as service messages and datagram messages: a parsed message never
// claims more bytes than it holds, and its body lies inside them.
#include "online/service/ServiceMessage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ReadBuffer body;
    if (const auto header = ServiceMessage::Parse(data, uint32_t(size), body)) {
        if (header->length != size || body.Size() != size - ServiceMessage::kHeaderSize)
            __builtin_trap();
        std::u16string text;
        while (body.ReadWString(text)) {
        }
    }
    ReadBuffer datagram;
    if (ServiceMessage::ParseDatagram(data, uint32_t(size), datagram))
        if (datagram.Size() + ServiceMessage::kDatagramHeaderSize != size || data[0] != 3)
            __builtin_trap();
    return 0;
}
