#pragma once
// The datagram socket a server record queries its game server through. It is
// connected to the server's address, so only that server's datagrams reach it; the
// record's status says which reply is awaited. The descriptor comes from the thread's
// QuerySocketPool and goes back to it when the socket is destroyed.
#include "online/buffers/CMessageBuffer.h"

#include <cstdint>
#include <memory>

class CServerInfo;
class QObject;

// What hears that a query socket handled a datagram or finished connecting (the
// refresh engine, to visit the record at its next pass). tag: the listener's own.
class QuerySocketListener
{
public:
    virtual void SocketActive(uint32_t tag) = 0;

protected:
    ~QuerySocketListener() = default;
};

class CKSAsyncSocket
{
public:
    static constexpr int kBufferSize = 8192;
    static constexpr int kWsaeNetDown = 10050;
    static constexpr int kMsgNetworkDown = 7;

    enum class State
    {
        Unconnected,
        HostLookup,
        Connected,
    };

    explicit CKSAsyncSocket(CServerInfo& record);
    ~CKSAsyncSocket();
    CKSAsyncSocket(const CKSAsyncSocket&) = delete;
    CKSAsyncSocket& operator=(const CKSAsyncSocket&) = delete;

    // Takes a socket bound to any local port.
    bool Create();
    // Connects to the record's address and port. True when connected at once; a host
    // name being looked up connects later (OnConnect).
    bool ConnectToServer();
    // Sends one request datagram: the long -1 and the command string.
    void SendCommand(const char* command);

    // What the platform's receive and connect events do (also driven by tests).
    void OnReceive(int error);
    void OnConnect(int error);

    // Reads the next datagram waiting and hands it to the record, then tells the
    // listener. Reads at least once and at most maxReads times (errors are read too).
    void ReadPending(int maxReads);

    // The listener told after each readiness; it is held weakly, so a listener that
    // has gone is simply not told.
    void SetListener(std::weak_ptr<QuerySocketListener> listener, uint32_t tag);

    State GetState() const { return m_state; }
    int Descriptor() const { return m_fd; }
    uint16_t LocalPort() const;
    // The pool is going before the socket: the descriptor is no longer the socket's.
    void DetachDescriptor() { m_fd = -1; }

    // The buffer datagrams are read into and requests written from: one for all the
    // sockets of a thread, since each datagram is parsed as soon as it is read (a
    // buffer of its own would make opening a socket cost a zeroed 8 KiB).
    CMessageBuffer& Buffer() { return m_buffer; }

    // Launcher-clock time of the last query datagram received by any record.
    static float LastReplyTime();
    static void SetLastReplyTime(float t);

private:
    bool ConnectTo(uint32_t ipv4NetworkOrder);
    void StartLookup();
    void Notify();
    void ReleaseDescriptor();

    static CMessageBuffer& ThreadBuffer();

    CMessageBuffer& m_buffer;
    CServerInfo& m_record;
    int m_fd = -1;
    State m_state = State::Unconnected;
    double m_arrival = 0.0; // browser-clock arrival of the datagram being handled, 0: now
    std::weak_ptr<QuerySocketListener> m_listener;
    uint32_t m_tag = 0;
    // Receives the result of a host name lookup; gone with the lookup.
    std::unique_ptr<QObject> m_lookup;
};
