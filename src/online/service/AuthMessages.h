#pragma once
// The peer-authentication messages (service type 203), composed and read by both ends:
//   50 request    mode (1 byte), encryption (1 byte), not-sequenced flag (16 bits),
//                 client certificate (16-bit length, bytes)
//   51 challenge  server secret encrypted to the client (block), server certificate (block)
//   52 response   block encrypted to the server: secret (16-bit length, bytes), new 8-byte key
//   53 status     status (signed 16 bits); after 52 also the answer encrypted to the client
//                 (block) and, when a session was asked for, the 16-bit session id
// A secret in plain text is a 16-bit length and exactly that many bytes.
#include "online/buffers/ReadBuffer.h"
#include "online/buffers/WriteBuffer.h"
#include "platform/crypto/CryptoBytes.h"

#include <optional>

namespace AuthMessages {

constexpr uint32_t kService = 203;
constexpr uint32_t kRequest = 50;
constexpr uint32_t kChallenge = 51;
constexpr uint32_t kResponse = 52;
constexpr uint32_t kStatus = 53;
constexpr uint8_t kModeAuthenticate = 1;
constexpr uint8_t kModeSession = 2;
constexpr size_t kClientKeyLength = 8;
constexpr size_t kMinSecret = 8;
constexpr size_t kMaxSecret = 56;

struct Request
{
    uint8_t mode = kModeSession;
    bool encrypted = true;
    bool notSequenced = false;
    CryptoBytes certificate;
};

struct Challenge
{
    CryptoBytes encryptedSecret;
    CryptoBytes certificate;
};

struct Status
{
    int16_t status = 0;
    CryptoBytes answer;
    uint16_t sessionId = 0;
};

// A 16-bit length and that many bytes from the reader.
bool ReadBlock(ReadBuffer& reader, CryptoBytes& out);
void AppendBlock(WriteBuffer& message, const CryptoBytes& block);

void ComposeRequest(WriteBuffer& message, const Request& request);
std::optional<Request> ParseRequest(ReadBuffer& body);

void ComposeChallenge(WriteBuffer& message, const Challenge& challenge);
std::optional<Challenge> ParseChallenge(ReadBuffer& body);

void ComposeResponse(WriteBuffer& message, const CryptoBytes& encrypted);
std::optional<CryptoBytes> ParseResponse(ReadBuffer& body);

// withAnswer: the status follows a response (answer and, when asked, session id).
void ComposeStatus(WriteBuffer& message, const Status& status, bool withAnswer, bool withSessionId);
// Fails when the status is missing, or when it is not negative and a later field
// that was asked for is missing. A negative status comes back alone.
std::optional<Status> ParseStatus(ReadBuffer& body, bool withAnswer, bool withSessionId);

CryptoBytes EncodeSecret(const CryptoBytes& secret);
// The secret of a decrypted text that is exactly two bytes longer than its length.
std::optional<CryptoBytes> DecodeSecret(const CryptoBytes& plain);

// The plain text of a response: the server's secret, then the client's new key.
CryptoBytes EncodeResponsePlain(const CryptoBytes& secret, const CryptoBytes& clientKey);
struct ResponsePlain
{
    CryptoBytes secret;
    CryptoBytes clientKey;
};
std::optional<ResponsePlain> DecodeResponsePlain(const CryptoBytes& plain);

} // namespace AuthMessages
