#pragma once
// Reads the session layer of a received reply: the 4-byte length, a header byte (1 the
// session key expired, 2 encrypted), the session id when sessioned, then the cipher
// text or, for a plain reply, the message from offset 4 on. An encrypted channel takes
// only an encrypted or an expired reply.
#include "online/buffers/ReadBuffer.h"

#include <cstdint>
#include <string>

class BlowfishKey;

enum class SessionReplyStatus
{
    Ok,
    Expired,
    WrongSessionId,
    EncryptedOnPlainChannel,
    PlainOnEncryptedChannel,
    DecryptFailed,
};

struct SessionReplyFlags
{
    bool authenticated = false;
    bool sessioned = false;
    bool encrypted = false;
    uint16_t sessionId = 0;
};

// buffer holds the whole reply of length bytes (at least 4); a decrypted plain text is
// copied to its start. On Ok the reader covers the plain part (sequence number when
// sequenced, service type, message type, body). keyError gets the key's error text.
SessionReplyStatus ReadSessionReply(uint8_t* buffer, uint32_t length, const SessionReplyFlags& flags,
                                    BlowfishKey* key, ReadBuffer& reader, std::string& keyError);
