#pragma once
// A service socket that receives whole service messages (a 4-byte little-endian total
// length, service type, message type, body). A message that arrives in pieces is
// assembled across calls; the partial state starts over whenever the socket opens,
// connects or closes.
#include "online/service/EasySocket.h"

#include <vector>

class EasyPylonSocket : public EasySocket
{
public:
    static constexpr uint32_t kMinMessage = 12;
    static constexpr uint32_t kMaxMessage = 32768;

    EasyPylonSocket(int type, uint32_t capacity);

    // Receives one message into destination (when given, of destinationCapacity bytes)
    // and reports its length, service type and message type (each optional). 7 for a
    // message longer than the socket's or the caller's buffer, 10 for one shorter than
    // its header: the caller drops the socket. 12 when the time-out passed, with what
    // came kept for the next call; 14 when the peer ended the stream between messages,
    // 6 when it ended it inside one.
    int32_t RecvMessage(void* destination, uint32_t destinationCapacity, uint32_t* length, uint32_t* serviceType,
                        uint32_t* messageType, int timeout);
    void SetBufferSize(uint32_t capacity);

    uint32_t Capacity() const { return uint32_t(m_buffer.size()); }
    uint32_t PartialBytes() const { return m_received; }

protected:
    void OnConnectionChange() override { m_received = 0; }

private:
    int32_t ReceivePart(uint32_t upTo, int timeout);

    std::vector<uint8_t> m_buffer;
    uint32_t m_received = 0;
};
