#include "online/service/ServiceMessage.h"

namespace ServiceMessage {

void Begin(WriteBuffer& message, uint32_t serviceType, uint32_t messageType)
{
    message.Clear();
    message.AppendLong(0);
    message.AppendLong(serviceType);
    message.AppendLong(messageType);
}

void End(WriteBuffer& message)
{
    message.WriteLongAt(0, message.Size());
}

std::optional<Header> Parse(const uint8_t* bytes, uint32_t n, ReadBuffer& body)
{
    ReadBuffer reader(bytes, n);
    Header header;
    if (!reader.ReadLong(header.length) || header.length != n || n < kHeaderSize ||
        !reader.ReadLong(header.serviceType) || !reader.ReadLong(header.messageType))
        return std::nullopt;
    body.Attach(bytes + kHeaderSize, n - kHeaderSize);
    return header;
}

void BeginDatagram(WriteBuffer& datagram, uint8_t serviceType, uint8_t messageType)
{
    datagram.Clear();
    datagram.AppendByte(kDatagramHeaderType);
    datagram.AppendByte(serviceType);
    datagram.AppendByte(messageType);
}

std::optional<DatagramHeader> ParseDatagram(const uint8_t* bytes, uint32_t n, ReadBuffer& body)
{
    if (bytes == nullptr || n < kDatagramHeaderSize || bytes[0] != kDatagramHeaderType)
        return std::nullopt;
    body.Attach(bytes + kDatagramHeaderSize, n - kDatagramHeaderSize);
    return DatagramHeader{bytes[1], bytes[2]};
}

} // namespace ServiceMessage
