#include "online/service/AuthMessages.h"

#include "online/service/ServiceMessage.h"

#include <algorithm>

namespace AuthMessages {

bool ReadBlock(ReadBuffer& reader, CryptoBytes& out)
{
    ReadBuffer probe = reader;
    uint16_t n = 0;
    if (!probe.ReadShort(n) || probe.Remaining() < n)
        return false;
    out.assign(probe.Current(), probe.Current() + n);
    probe.Skip(n);
    reader = probe;
    return true;
}

void AppendBlock(WriteBuffer& message, const CryptoBytes& block)
{
    const uint16_t n = uint16_t(std::min<size_t>(block.size(), 0xFFFF));
    message.AppendShort(n);
    message.Append(block.data(), n);
}

void ComposeRequest(WriteBuffer& message, const Request& request)
{
    ServiceMessage::Begin(message, kService, kRequest);
    message.AppendByte(request.mode);
    message.AppendByte(request.encrypted ? 1 : 0);
    message.AppendShort(request.notSequenced ? 1 : 0);
    AppendBlock(message, request.certificate);
    ServiceMessage::End(message);
}

std::optional<Request> ParseRequest(ReadBuffer& body)
{
    Request request;
    uint8_t encrypted = 0;
    uint16_t notSequenced = 0;
    if (!body.ReadByte(request.mode) || !body.ReadByte(encrypted) || !body.ReadShort(notSequenced) ||
        !ReadBlock(body, request.certificate))
        return std::nullopt;
    if (request.mode != kModeAuthenticate && request.mode != kModeSession)
        return std::nullopt;
    request.encrypted = encrypted == 1;
    request.notSequenced = notSequenced == 1;
    return request;
}

void ComposeChallenge(WriteBuffer& message, const Challenge& challenge)
{
    ServiceMessage::Begin(message, kService, kChallenge);
    AppendBlock(message, challenge.encryptedSecret);
    AppendBlock(message, challenge.certificate);
    ServiceMessage::End(message);
}

std::optional<Challenge> ParseChallenge(ReadBuffer& body)
{
    Challenge challenge;
    if (!ReadBlock(body, challenge.encryptedSecret) || !ReadBlock(body, challenge.certificate))
        return std::nullopt;
    return challenge;
}

void ComposeResponse(WriteBuffer& message, const CryptoBytes& encrypted)
{
    ServiceMessage::Begin(message, kService, kResponse);
    AppendBlock(message, encrypted);
    ServiceMessage::End(message);
}

std::optional<CryptoBytes> ParseResponse(ReadBuffer& body)
{
    CryptoBytes encrypted;
    if (!ReadBlock(body, encrypted))
        return std::nullopt;
    return encrypted;
}

void ComposeStatus(WriteBuffer& message, const Status& status, bool withAnswer, bool withSessionId)
{
    ServiceMessage::Begin(message, kService, kStatus);
    message.AppendShort(uint16_t(status.status));
    if (withAnswer && status.status >= 0) {
        AppendBlock(message, status.answer);
        if (withSessionId)
            message.AppendShort(status.sessionId);
    }
    ServiceMessage::End(message);
}

std::optional<Status> ParseStatus(ReadBuffer& body, bool withAnswer, bool withSessionId)
{
    Status status;
    uint16_t raw = 0;
    if (!body.ReadShort(raw))
        return std::nullopt;
    status.status = int16_t(raw);
    if (status.status < 0 || !withAnswer)
        return status;
    if (!ReadBlock(body, status.answer))
        return std::nullopt;
    if (withSessionId && !body.ReadShort(status.sessionId))
        return std::nullopt;
    return status;
}

CryptoBytes EncodeSecret(const CryptoBytes& secret)
{
    CryptoBytes out;
    ::AppendBlock(out, secret);
    return out;
}

std::optional<CryptoBytes> DecodeSecret(const CryptoBytes& plain)
{
    if (plain.size() < 2)
        return std::nullopt;
    const size_t n = size_t(plain[0]) | size_t(plain[1]) << 8;
    if (plain.size() != n + 2)
        return std::nullopt;
    return CryptoBytes(plain.begin() + 2, plain.end());
}

CryptoBytes EncodeResponsePlain(const CryptoBytes& secret, const CryptoBytes& clientKey)
{
    CryptoBytes out = EncodeSecret(secret);
    out.insert(out.end(), clientKey.begin(), clientKey.end());
    return out;
}

std::optional<ResponsePlain> DecodeResponsePlain(const CryptoBytes& plain)
{
    if (plain.size() < 2)
        return std::nullopt;
    const size_t n = size_t(plain[0]) | size_t(plain[1]) << 8;
    if (plain.size() != 2 + n + kClientKeyLength)
        return std::nullopt;
    ResponsePlain out;
    out.secret.assign(plain.begin() + 2, plain.begin() + 2 + long(n));
    out.clientKey.assign(plain.begin() + 2 + long(n), plain.end());
    return out;
}

} // namespace AuthMessages
