#pragma once
// A synchronous IPv4 socket for the online service: non-blocking underneath, every
// operation waits with poll() up to its time-out (milliseconds). Results are the
// codes of SocketResult.h, 0 for success.
#include <netinet/in.h>

#include <cstdint>
#include <string>

class EasySocket
{
public:
    enum Type
    {
        kNoType = 0,
        kStream = 1,
        kDatagram = 2,
    };

    explicit EasySocket(int type);
    virtual ~EasySocket();
    EasySocket(const EasySocket&) = delete;
    EasySocket& operator=(const EasySocket&) = delete;

    int32_t Open();
    // Takes over a connected stream socket (a server's accepted connection).
    void Adopt(int handle);
    void Close();
    void SetType(int type);

    int32_t Connect(const sockaddr_in& address, int timeout);
    int32_t ConnectRetry(const sockaddr_in& address, int timeout, int attempts);
    // Address and port in host order.
    int32_t Connect(uint32_t address, uint16_t port, int timeout, int attempts);
    int32_t Connect(const std::string& host, uint16_t port, int timeout, int attempts);
    void Disconnect();

    bool WaitWritable(int timeout);
    bool WaitReadable(int timeout);

    int32_t Send(const void* bytes, uint32_t n, uint32_t* sent, int timeout);
    int32_t Recv(void* bytes, uint32_t n, uint32_t* received, int timeout);
    int32_t SendTo(const void* bytes, uint32_t n, const sockaddr_in& address, int timeout);
    int32_t SendTo(const void* bytes, uint32_t n, const std::string& host, uint16_t port, int timeout);
    // The sender's address and port come out in host order when asked for.
    int32_t RecvFrom(void* bytes, uint32_t capacity, uint32_t* received, int timeout, uint32_t* fromAddress = nullptr,
                     uint16_t* fromPort = nullptr);

    bool IsOpen() const { return m_socket >= 0; }
    bool IsConnected() const { return m_connected; }
    int Type() const { return m_type; }
    int Handle() const { return m_socket; }
    const sockaddr_in& PeerAddress() const { return m_peer; }

    // A dotted IPv4 address, else the first IPv4 address of the name (host order);
    // false when neither works.
    static bool ResolveHost(const std::string& host, uint32_t& address);

protected:
    // Called whenever the socket opens, connects or closes: state tied to one
    // connection starts over.
    virtual void OnConnectionChange() {}
    // Recv that also tells whether the peer ended the stream.
    int32_t ReceiveStream(void* bytes, uint32_t n, uint32_t* received, int timeout, bool* ended);

private:
    bool WaitFor(short events, int timeout);

    int m_socket = -1;
    int m_type = kNoType;
    sockaddr_in m_peer{};
    bool m_connected = false;
};
