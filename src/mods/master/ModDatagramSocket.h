#pragma once
// The datagram socket of an exchange with a custom-game master or a master server:
// connected to one host and port, it reads every datagram on each readiness signal
// (at least once, even when nothing waits) and hands it to OnDatagram.
#include "online/buffers/CMessageBuffer.h"

#include <QUdpSocket>

#include <cstdint>
#include <string>
#include <vector>

inline constexpr int kModConnectTries = 3;
inline constexpr int kModConnectRetryMs = 50;

class ModDatagramSocket : public QUdpSocket
{
public:
    explicit ModDatagramSocket(int bufferSize);
    ~ModDatagramSocket() override;

    // Connects to host:port (a name is looked up first), trying the connect up to
    // three times 50 ms apart.
    bool CreateAndConnect(const std::string& host, int port);
    // What a received datagram does (also driven by tests and fuzzing).
    virtual void OnDatagram(const uint8_t* data, size_t size) = 0;

protected:
    // A failed send is not reported: the exchange's own time-outs cover it.
    void Send(const std::vector<uint8_t>& bytes);

private:
    void ReadPending();

    CMessageBuffer m_buffer;
};
