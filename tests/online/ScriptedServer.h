#pragma once
// A one-connection TCP server on 127.0.0.1 whose side of the conversation is a script
// run on its own thread with the accepted socket (blocking).
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>
#include <functional>
#include <thread>
#include <vector>

class ScriptedServer
{
public:
    using Script = std::function<void(int client)>;

    explicit ScriptedServer(Script script)
    {
        m_listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        ::bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof address);
        ::listen(m_listener, 4);
        ::getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length);
        m_port = ntohs(address.sin_port);
        m_thread = std::thread([this, script] {
            const int client = ::accept(m_listener, nullptr, nullptr);
            if (client < 0)
                return;
            script(client);
            ::close(client);
        });
    }
    ~ScriptedServer()
    {
        ::shutdown(m_listener, SHUT_RDWR);
        m_thread.join();
        ::close(m_listener);
    }

    uint16_t Port() const { return m_port; }

    static void SendAll(int client, const std::vector<uint8_t>& bytes)
    {
        size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::send(client, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
            if (n <= 0)
                return;
            done += size_t(n);
        }
    }
    // Reads one whole service message (4-byte length first); empty when the client left.
    static std::vector<uint8_t> ReadMessage(int client)
    {
        std::vector<uint8_t> bytes(4);
        if (!ReadExactly(client, bytes.data(), 4))
            return {};
        const uint32_t length = bytes[0] | bytes[1] << 8 | bytes[2] << 16 | uint32_t(bytes[3]) << 24;
        if (length < 4 || length > 65536)
            return {};
        bytes.resize(length);
        return ReadExactly(client, bytes.data() + 4, length - 4) ? bytes : std::vector<uint8_t>{};
    }
    // Blocks until the client closes its end.
    static void WaitForClose(int client)
    {
        uint8_t byte;
        while (::recv(client, &byte, 1, 0) > 0) {
        }
    }

private:
    static bool ReadExactly(int client, uint8_t* out, size_t n)
    {
        size_t done = 0;
        while (done < n) {
            const ssize_t got = ::recv(client, out + done, n - done, 0);
            if (got <= 0)
                return false;
            done += size_t(got);
        }
        return true;
    }

    int m_listener = -1;
    uint16_t m_port = 0;
    std::thread m_thread;
};

// A whole service message: length, service type, message type, body.
inline std::vector<uint8_t> ServiceBytes(uint32_t service, uint32_t type, const std::vector<uint8_t>& body)
{
    std::vector<uint8_t> out;
    const uint32_t length = uint32_t(12 + body.size());
    for (uint32_t v : {length, service, type})
        for (int i = 0; i < 4; ++i)
            out.push_back(uint8_t(v >> (8 * i)));
    out.insert(out.end(), body.begin(), body.end());
    return out;
}
