#pragma once
// The ways the loopback online service can misbehave, each for a number of replies
// (or for ever).
#include <atomic>
#include <optional>
#include <string>
#include <vector>

enum class OnlineFault
{
    ExpireSession,    // a sessioned request is told its session key expired
    RepeatSequence,   // a reply repeats the previous sequence number
    SkipSequence,     // a reply skips a sequence number
    WrongSessionId,   // a reply carries another session id
    PlaintextReply,   // an encrypted request gets a plain reply
    TamperCiphertext, // a byte of the reply's cipher text is flipped
    RefuseCertificate,// the player's certificate is refused (message 53 at once)
    ExpiredCertificate,// the server presents a certificate long expired
    WrongNonce,       // the authentication answer holds another key
    ShortSecret,      // the challenge's secret is 4 bytes long
    BadLength,        // a reply's length field is 8
    HugeLength,       // a reply's length field is 0xFFFFFFFF
    BadCount,         // a directory reply claims more entries than it holds
    Stall,            // nothing is ever answered
    CloseMidMessage,  // half a reply, then the connection closes
    ChatSilent,       // chat servers answer no status query
    ChatMalformed,    // a joining player gets a users-left message cut short
    ChatHugeUserList, // a joining player gets 6,000 users in six users-added messages
    ChatDuplicateIds, // a joining player is listed again under another name, and one id twice
    ChatControlText,  // a joining player hears a line with control characters and markup
    ChatCloseMidMessage,// a joining player gets half a chat line, then the connection closes
};

constexpr int kOnlineFaultCount = 21;

// "expire-session", "repeat-sequence", ... "close-mid-message".
const char* OnlineFaultName(OnlineFault fault);
std::optional<OnlineFault> ParseOnlineFault(const std::string& name);
// "NAME" or "NAME:COUNT" (replies it applies to; without a count, every one).
bool ParseOnlineFaultSwitch(const std::string& text, OnlineFault& fault, int& count);
std::string OnlineFaultNames();

// The armed faults, shared by the service's connection threads.
class OnlineFaults
{
public:
    OnlineFaults();
    // count < 0: for ever; 0: off.
    void Set(OnlineFault fault, int count);
    // True (and one use taken) when the fault is armed.
    bool Take(OnlineFault fault);
    bool Armed(OnlineFault fault) const;

private:
    std::atomic<int> m_left[kOnlineFaultCount];
};
