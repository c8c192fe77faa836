#pragma once
// The datagrams of the connect handshake between an engine (client) and a game
// server. Every datagram starts with the long -1 (FF FF FF FF) and a command string;
// integers are 32-bit little-endian, strings end with a zero byte.
//
//   client -> server  "getchallenge"
//   server -> client  "challenge"  long challenge
//   client -> server  "connect"    long protocol, long challenge, string name, string password
//   server -> client  "accept"     string host name, string map
//   server -> client  "reject"     string reason ("BADPASSWORD", "Server is full.", ...)
//   client -> server  "disconnect" long challenge
//
// Plain C++ only: the engine library compiles this file in as well.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

inline constexpr int kGameProtocolVersion = 45;
inline constexpr size_t kMaxHandshakeText = 255;      // longest string field
inline constexpr size_t kMaxHandshakeDatagram = 1400; // longest datagram either side sends
inline constexpr const char* kRejectBadPassword = "BADPASSWORD";

enum class HandshakeType
{
    GetChallenge,
    Challenge,
    Connect,
    Accept,
    Reject,
    Disconnect,
};

struct HandshakeMessage
{
    HandshakeType type = HandshakeType::GetChallenge;
    int32_t protocol = kGameProtocolVersion; // connect
    uint32_t challenge = 0;                  // challenge, connect, disconnect
    std::string name;                        // connect
    std::string password;                    // connect
    std::string hostName;                    // accept
    std::string map;                         // accept
    std::string reason;                      // reject
};

// The datagram for a message; string fields longer than kMaxHandshakeText are cut.
std::vector<uint8_t> EncodeHandshake(const HandshakeMessage& message);
// The message in a datagram, or nothing when it is not a well-formed handshake
// datagram (other datagrams, such as queries, share the server's port).
std::optional<HandshakeMessage> DecodeHandshake(const uint8_t* data, size_t size);

// A message of the given type with every other field at its default.
inline HandshakeMessage HandshakeOf(HandshakeType type)
{
    HandshakeMessage message;
    message.type = type;
    return message;
}
