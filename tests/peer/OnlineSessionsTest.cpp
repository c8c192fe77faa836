// The loopback service's session table: sessions whose clients went away do not pile
// up, and a full table still opens new sessions.
#include "peer/online/OnlineSessions.h"

#include <gtest/gtest.h>

#include <set>

TEST(OnlineSessionTable, ExpiredSessionsAreClosedWhenAnotherOpens)
{
    OnlineSessions sessions(0);
    const CryptoBytes key(16, 7);
    const uint16_t first = sessions.Open(key, true);
    sessions.Open(key, true);
    sessions.Open(key, true);
    EXPECT_EQ(sessions.Count(), 1u);
    EXPECT_FALSE(sessions.Use(first, [](OnlineSession&) {}));
}

TEST(OnlineSessionTable, AFullTableClosesTheLeastRecentlyUsedSession)
{
    OnlineSessions sessions(600);
    const CryptoBytes key(16, 7);
    const uint16_t oldest = sessions.Open(key, true);
    std::set<uint16_t> ids{oldest};
    for (size_t i = 1; i < OnlineSessions::kMaxSessions; ++i)
        ids.insert(sessions.Open(key, true));
    ASSERT_EQ(ids.size(), OnlineSessions::kMaxSessions);
    // The oldest is used again, so the second oldest goes.
    ASSERT_TRUE(sessions.Use(oldest, [](OnlineSession&) {}));
    const uint16_t added = sessions.Open(key, true);
    EXPECT_NE(added, 0);
    EXPECT_EQ(ids.count(added), 0u);
    EXPECT_EQ(sessions.Count(), OnlineSessions::kMaxSessions);
    EXPECT_TRUE(sessions.Use(oldest, [](OnlineSession&) {}));
}
