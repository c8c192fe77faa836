#pragma once
// The datagram socket of LAN discovery: it sends the info request to the game ports
// of every host on the local network and takes each answer into the LAN list. Only
// UDP over IPv4 is offered; IPX does not exist on this platform.
#include "online/buffers/CMessageBuffer.h"

#include <QHostAddress>
#include <QUdpSocket>

#include <vector>

class ServerRecordList;

class CKSLanAsyncSocket : public QUdpSocket
{
public:
    static constexpr int kBufferSize = 8192;
    static constexpr quint16 kFirstPort = 27015;
    static constexpr int kPortCount = 10;

    explicit CKSLanAsyncSocket(ServerRecordList& list);
    ~CKSLanAsyncSocket() override;

    // Where Broadcast sends: the limited broadcast address and the broadcast address of
    // every interface (LanDestinations), unless a test points it at one address of its
    // own (the loopback address), which then is the only one.
    void SetTarget(const QHostAddress& target) { m_target = target; }
    const QHostAddress& Target() const { return m_target; }
    // The addresses the next Broadcast sends to.
    std::vector<QHostAddress> Destinations() const;
    // The first of the kPortCount ports asked; tests move it off the game ports.
    void SetFirstPort(quint16 port) { m_firstPort = port; }

    // Binds to any local port with broadcasting and address reuse allowed. Nothing
    // happens when already created; false on any failure.
    bool Configure();
    // Sends the info request to each of the kPortCount game ports at each destination.
    // Send failures are not reported (one destination that cannot be reached does not
    // keep the request from the others).
    void Broadcast();

    bool Created() const { return m_created; }
    bool BroadcastSent() const { return m_broadcastSent; }
    double BroadcastTime() const { return m_broadcastTime; }
    int ReceivedSize() const { return m_receivedSize; }

private:
    void ReadPending();

    bool m_ipx = false;
    bool m_created = false;
    CMessageBuffer m_buffer{kBufferSize};
    bool m_broadcastSent = false;
    ServerRecordList& m_list;
    int m_receivedSize = 0;
    double m_broadcastTime = 0.0;
    QHostAddress m_target{QHostAddress::Broadcast};
    quint16 m_firstPort = kFirstPort;
};
