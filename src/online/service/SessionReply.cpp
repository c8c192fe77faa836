#include "online/service/SessionReply.h"

#include "platform/crypto/BlowfishKey.h"

#include <cstring>

namespace {

constexpr uint8_t kHeaderExpired = 1;
constexpr uint8_t kHeaderEncrypted = 2;
constexpr uint32_t kLengthField = 4;

} // namespace

SessionReplyStatus ReadSessionReply(uint8_t* buffer, uint32_t length, const SessionReplyFlags& flags,
                                    BlowfishKey* key, ReadBuffer& reader, std::string& keyError)
{
    if (length < kLengthField) {
        reader.Attach(buffer, 0);
        return SessionReplyStatus::WrongSessionId;
    }
    reader.Attach(buffer + kLengthField, length - kLengthField);
    if (!flags.authenticated)
        return SessionReplyStatus::Ok;
    uint8_t header = 0;
    if (!reader.ReadByte(header))
        return flags.encrypted ? SessionReplyStatus::PlainOnEncryptedChannel : SessionReplyStatus::Ok;
    if (flags.sessioned) {
        if (header == kHeaderExpired)
            return SessionReplyStatus::Expired;
        uint16_t id = 0;
        if (!reader.ReadShort(id) || id != flags.sessionId)
            return SessionReplyStatus::WrongSessionId;
    }
    if (header == kHeaderEncrypted) {
        if (!flags.encrypted || key == nullptr)
            return SessionReplyStatus::EncryptedOnPlainChannel;
        uint32_t n = 0;
        const uint8_t* cipher = reader.ReadRest(n);
        CryptoBytes plain = key->Decrypt(cipher, n);
        if (plain.empty()) {
            keyError = key->ErrorText();
            return SessionReplyStatus::DecryptFailed;
        }
        // The plain text is shorter than the cipher text it came from, so it fits.
        std::memcpy(buffer, plain.data(), plain.size());
        reader.Attach(buffer, uint32_t(plain.size()));
        return SessionReplyStatus::Ok;
    }
    if (flags.encrypted)
        return SessionReplyStatus::PlainOnEncryptedChannel;
    reader.Attach(buffer + kLengthField, length - kLengthField);
    return SessionReplyStatus::Ok;
}
