// Arbitrary replies through the session layer of an encrypted, sessioned, sequenced
// request: only a reply that passes the cipher's tag is taken, and the reader stays
// inside the buffer.
#include "online/service/SessionReply.h"
#include "platform/crypto/BlowfishKey.h"

#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 4 || size > 32768)
        return 0;
    static BlowfishKey key(CryptoBytes(16, 0x42));
    std::vector<uint8_t> buffer(data, data + size);
    for (const bool encrypted : {true, false}) {
        std::memcpy(buffer.data(), data, size);
        ReadBuffer reader;
        std::string error;
        const SessionReplyFlags flags{true, encrypted, encrypted, 0x1234};
        const auto status = ReadSessionReply(buffer.data(), uint32_t(size), flags, &key, reader, error);
        if (status == SessionReplyStatus::Ok) {
            if (reader.Size() > size || reader.Current() < buffer.data() ||
                reader.Current() + reader.Remaining() > buffer.data() + size)
                __builtin_trap();
            uint16_t sequence = 0;
            uint32_t type = 0;
            reader.ReadShort(sequence);
            reader.ReadLong(type);
        }
    }
    return 0;
}
