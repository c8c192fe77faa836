#include "peer/online/OnlineSessions.h"

#include "platform/crypto/CryptoRandom.h"

#include <algorithm>

uint16_t OnlineSessions::Open(const CryptoBytes& key, bool sequenced)
{
    std::lock_guard lock(m_mutex);
    // Sessions whose clients went away are never used again: drop the expired ones,
    // and the least recently used when the table is full, so a free id always exists.
    const auto now = std::chrono::steady_clock::now();
    std::erase_if(m_sessions, [&](const auto& entry) { return now - entry.second.lastUse > m_lifetime; });
    if (m_sessions.size() >= kMaxSessions) {
        const auto oldest = std::min_element(m_sessions.begin(), m_sessions.end(), [](const auto& a, const auto& b) {
            return a.second.lastUse < b.second.lastUse;
        });
        m_sessions.erase(oldest);
    }
    uint16_t id = 0;
    while (id == 0 || m_sessions.count(id) != 0)
        id = RandomShort();
    OnlineSession& session = m_sessions[id];
    session.id = id;
    session.key = std::make_unique<BlowfishKey>(key);
    session.sequenced = sequenced;
    session.lastUse = now;
    return id;
}

bool OnlineSessions::Use(uint16_t id, const std::function<void(OnlineSession&)>& use)
{
    std::lock_guard lock(m_mutex);
    auto found = m_sessions.find(id);
    if (found == m_sessions.end())
        return false;
    const auto now = std::chrono::steady_clock::now();
    if (now - found->second.lastUse > m_lifetime) {
        m_sessions.erase(found);
        return false;
    }
    found->second.lastUse = now;
    use(found->second);
    return true;
}

void OnlineSessions::Close(uint16_t id)
{
    std::lock_guard lock(m_mutex);
    m_sessions.erase(id);
}

size_t OnlineSessions::Count() const
{
    std::lock_guard lock(m_mutex);
    return m_sessions.size();
}
