#pragma once
// The datagram socket a server record queries its game server through. It is
// connected to the server's address, so only that server's datagrams reach it; the
// record's status says which reply is awaited.
#include "online/buffers/CMessageBuffer.h"

#include <QUdpSocket>

class CServerInfo;

class CKSAsyncSocket : public QUdpSocket
{
public:
    static constexpr int kBufferSize = 8192;
    static constexpr int kWsaeNetDown = 10050;
    static constexpr int kMsgNetworkDown = 7;

    explicit CKSAsyncSocket(CServerInfo& record);
    ~CKSAsyncSocket() override;

    // Binds to any local port.
    bool Create();
    // Connects to the record's address and port. True when connected at once; a host
    // name being looked up connects later (OnConnect).
    bool ConnectToServer();
    // Sends one request datagram: the long -1 and the command string.
    void SendCommand(const char* command);

    // What the platform's receive and connect events do (also driven by tests).
    void OnReceive(int error);
    void OnConnect(int error);

    // The buffer datagrams are read into and requests written from: one for all the
    // sockets of a thread, since each datagram is parsed as soon as it is read (a
    // buffer of its own would make opening a socket cost a zeroed 8 KiB).
    CMessageBuffer& Buffer() { return m_buffer; }

    // Launcher-clock time of the last query datagram received by any record.
    static float LastReplyTime();
    static void SetLastReplyTime(float t);

private:
    void ReadPending();

    static CMessageBuffer& ThreadBuffer();

    CMessageBuffer& m_buffer;
    double m_arrival = 0.0; // browser-clock arrival of the datagram being handled, 0: now
    CServerInfo& m_record;
};
