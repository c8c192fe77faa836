#pragma once
// The two framings of the online service. A service message (TCP): total length (4,
// counting itself), service type (4), message type (4), body; little-endian. A
// datagram message (UDP): header type 3, service type, message type (1 byte each),
// body.
#include "online/buffers/ReadBuffer.h"
#include "online/buffers/WriteBuffer.h"

#include <cstdint>
#include <optional>

namespace ServiceMessage {

constexpr uint32_t kHeaderSize = 12;
constexpr uint8_t kDatagramHeaderType = 3;
constexpr uint32_t kDatagramHeaderSize = 3;

// Starts a message: a length place-holder, the service type and the message type.
void Begin(WriteBuffer& message, uint32_t serviceType, uint32_t messageType);
// Stores the total length at the start.
void End(WriteBuffer& message);

struct Header
{
    uint32_t length = 0;
    uint32_t serviceType = 0;
    uint32_t messageType = 0;
};

// The header of a whole received message, and a reader over its body; nothing when
// the bytes are shorter than a header or than the length field says, or longer.
std::optional<Header> Parse(const uint8_t* bytes, uint32_t n, ReadBuffer& body);

void BeginDatagram(WriteBuffer& datagram, uint8_t serviceType, uint8_t messageType);

struct DatagramHeader
{
    uint8_t serviceType = 0;
    uint8_t messageType = 0;
};

// Nothing unless the datagram holds the three header bytes with header type 3.
std::optional<DatagramHeader> ParseDatagram(const uint8_t* bytes, uint32_t n, ReadBuffer& body);

} // namespace ServiceMessage
