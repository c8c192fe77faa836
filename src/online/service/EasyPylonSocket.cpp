#include "online/service/EasyPylonSocket.h"

#include "online/service/SocketResult.h"

#include <algorithm>
#include <chrono>
#include <cstring>

namespace {

int64_t NowMs()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

uint32_t LittleLong(const uint8_t* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

} // namespace

EasyPylonSocket::EasyPylonSocket(int type, uint32_t capacity) : EasySocket(type), m_buffer(capacity) {}

void EasyPylonSocket::SetBufferSize(uint32_t capacity)
{
    m_buffer.assign(capacity, 0);
    m_received = 0;
}

int32_t EasyPylonSocket::ReceivePart(uint32_t upTo, int timeout)
{
    uint32_t got = 0;
    bool ended = false;
    const uint32_t before = m_received;
    const int32_t result = ReceiveStream(m_buffer.data() + m_received, upTo - m_received, &got, timeout, &ended);
    m_received += got;
    if (ended) {
        // The end of the stream is no time-out: nothing more will come.
        const bool between = before == 0 && got == 0;
        m_received = 0;
        return between ? ES_SHUTDOWN : ES_DISCONNECTED;
    }
    if (result == ES_INCOMPLETE_RECV)
        return ES_TIMED_OUT;
    return result;
}

int32_t EasyPylonSocket::RecvMessage(void* destination, uint32_t destinationCapacity, uint32_t* length,
                                     uint32_t* serviceType, uint32_t* messageType, int timeout)
{
    const int64_t start = NowMs();
    if (m_buffer.size() < kMinMessage)
        return ES_TMSG_TOO_LARGE;
    if (m_received < 4) {
        const int32_t result = ReceivePart(4, timeout);
        if (result != ES_NO_ERROR)
            return result;
    }
    const int64_t elapsed = NowMs() - start;
    const int remaining = elapsed < timeout ? int(timeout - elapsed) : 0;

    const uint32_t total = LittleLong(m_buffer.data());
    const uint32_t limit = std::min<uint32_t>(kMaxMessage, uint32_t(m_buffer.size()));
    if (total > limit || (destination != nullptr && total > destinationCapacity))
        return ES_TMSG_TOO_LARGE;
    if (total < kMinMessage)
        return ES_INVALID_TMSG;
    if (m_received < total) {
        const int32_t result = ReceivePart(total, remaining);
        if (result != ES_NO_ERROR)
            return result;
    }
    if (length)
        *length = total;
    if (serviceType)
        *serviceType = LittleLong(m_buffer.data() + 4);
    if (messageType)
        *messageType = LittleLong(m_buffer.data() + 8);
    if (destination)
        std::memcpy(destination, m_buffer.data(), total);
    m_received = 0;
    return ES_NO_ERROR;
}
