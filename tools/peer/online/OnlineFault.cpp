#include "peer/online/OnlineFault.h"

#include "platform/NumberText.h"

namespace {

const char* const kNames[kOnlineFaultCount] = {
    "expire-session", "repeat-sequence", "skip-sequence", "wrong-session-id", "plaintext-reply",
    "tamper",         "refuse-cert",     "expired-cert",  "wrong-nonce",      "short-secret", "bad-length",
    "huge-length",    "bad-count",       "stall",         "close-mid-message",
    "chat-silent",    "chat-malformed",  "chat-huge-user-list", "chat-duplicate-ids", "chat-control-text",
    "chat-close-mid-message",
};

} // namespace

const char* OnlineFaultName(OnlineFault fault)
{
    return kNames[int(fault)];
}

std::optional<OnlineFault> ParseOnlineFault(const std::string& name)
{
    for (int i = 0; i < kOnlineFaultCount; ++i)
        if (name == kNames[i])
            return OnlineFault(i);
    return std::nullopt;
}

bool ParseOnlineFaultSwitch(const std::string& text, OnlineFault& fault, int& count)
{
    const size_t colon = text.find(':');
    const auto parsed = ParseOnlineFault(text.substr(0, colon));
    if (!parsed)
        return false;
    fault = *parsed;
    count = -1;
    if (colon == std::string::npos)
        return true;
    const std::string digits = text.substr(colon + 1);
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos)
        return false;
    count = ParseInt(digits);
    return count >= 1;
}

std::string OnlineFaultNames()
{
    std::string out;
    for (int i = 0; i < kOnlineFaultCount; ++i)
        out += (i ? ", " : "") + std::string(kNames[i]);
    return out;
}

OnlineFaults::OnlineFaults()
{
    for (auto& left : m_left)
        left.store(0);
}

void OnlineFaults::Set(OnlineFault fault, int count)
{
    m_left[int(fault)].store(count);
}

bool OnlineFaults::Take(OnlineFault fault)
{
    std::atomic<int>& left = m_left[int(fault)];
    int now = left.load();
    while (now != 0) {
        if (now < 0)
            return true;
        if (left.compare_exchange_weak(now, now - 1))
            return true;
    }
    return false;
}

bool OnlineFaults::Armed(OnlineFault fault) const
{
    return m_left[int(fault)].load() != 0;
}
