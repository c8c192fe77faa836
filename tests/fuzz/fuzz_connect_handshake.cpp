// The connect handshake datagrams: decoding any bytes is safe, and a decoded message
// encodes to a datagram that decodes to the same message.
#include "app/engine/ConnectHandshake.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::optional<HandshakeMessage> message = DecodeHandshake(data, size);
    if (!message)
        return 0;
    const std::vector<uint8_t> again = EncodeHandshake(*message);
    const std::optional<HandshakeMessage> twice = DecodeHandshake(again.data(), again.size());
    if (!twice || twice->type != message->type || twice->challenge != message->challenge ||
        twice->name != message->name || twice->password != message->password || twice->reason != message->reason ||
        twice->hostName != message->hostName || twice->map != message->map)
        std::abort();
    return 0;
}
