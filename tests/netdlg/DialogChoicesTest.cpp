// The filter dialog's choices, the connection-rate selector and the details rows.
#include "RecordChain.h"
#include "browser/list/ConnectionRateChoice.h"
#include "browser/list/FilterChoices.h"
#include "browser/list/ServerDetailsRows.h"

#include <gtest/gtest.h>

namespace {

TEST(FilterChoices, StoredPingLimitSelectsItsEntryOrTheFirst)
{
    EXPECT_EQ(PingLimitIndex(350), 3);
    EXPECT_EQ(PingLimitIndex(32767), 9);
    EXPECT_EQ(PingLimitIndex(-1), 0);
    EXPECT_EQ(PingLimitIndex(400), 0);
    EXPECT_EQ(PingLimitAt(9), 32767);
    EXPECT_EQ(PingLimitAt(10), 100);
    EXPECT_EQ(PingLimitText(1100), "1100 ms");
}

TEST(FilterChoices, ProxyChoicesExcludeEachOther)
{
    ServerFilter filter;
    SetProxiesOnly(filter, true);
    EXPECT_TRUE(filter.proxyFilter);
    SetNoProxies(filter, true);
    EXPECT_FALSE(filter.proxiesOnly);
    EXPECT_TRUE(filter.noProxies);
    SetNoProxies(filter, false);
    EXPECT_FALSE(filter.proxyFilter);
}

TEST(ConnectionRate, SelectorOpensOnTheEntryWithinFourBytes)
{
    EXPECT_EQ(RateEntryFor(9999), 7);
    EXPECT_EQ(RateEntryFor(1500), 1);
    EXPECT_EQ(RateEntryFor(2504), 2);
    EXPECT_EQ(RateEntryFor(2505), 0);
    EXPECT_EQ(RateEntryFor(4000), 0);
    EXPECT_EQ(RateForEntry(0), 0);
    EXPECT_EQ(RateForEntry(5), 5000);
    EXPECT_EQ(RateForEntry(8), 0);
}

TEST(ServerDetails, PlayerTimesShowHoursOnlyFromOneHour)
{
    EXPECT_EQ(PlayerTimeText(59), "00:59");
    EXPECT_EQ(PlayerTimeText(3599), "59:59");
    EXPECT_EQ(PlayerTimeText(3600), "1h 00:00");
    EXPECT_EQ(PlayerTimeText(-5), "00:00");
}

TEST(ServerDetails, PlayerRowsNeverReadPastTheSlots)
{
    RecordChain list;
    CServerInfo& r = list.Add("s");
    r.fullmax = 2;
    r.AllocatePlayerSlots();
    (*r.players)[0] = std::make_unique<CPlayerInfo>("Ann");
    (*r.players)[0]->frags = 7;
    (*r.players)[0]->time = 65;
    (*r.players)[1] = std::make_unique<CPlayerInfo>("Bo");
    r.currentplayers = 200; // more than the slots hold
    std::vector<KSListRow> rows = PlayerRows(r);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].cells[1].text, QStringLiteral("Ann"));
    EXPECT_EQ(rows[0].cells[2].text, QStringLiteral("7"));
    EXPECT_EQ(rows[0].cells[3].text, QStringLiteral("01:05"));

    r.currentplayers = 1;
    EXPECT_EQ(PlayerRows(r).size(), 1u);
    (*r.players)[0].reset(); // an empty slot is skipped
    EXPECT_TRUE(PlayerRows(r).empty());
}

TEST(ServerDetails, RulesInListOrderAndHeaderTexts)
{
    RecordChain list;
    CServerInfo& r = list.Add("s");
    r.AddRule("mp_timelimit", "20");
    r.AddRule("mp_fraglimit", "30");
    r.svping = 0.0429;
    std::vector<KSListRow> rows = RuleRows(r);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].cells[0].text, QStringLiteral("mp_fraglimit"));
    EXPECT_EQ(rows[1].cells[1].text, QStringLiteral("20"));
    EXPECT_EQ(AddressText(r), "10.0.0.1:27015");
    EXPECT_EQ(PingText(r), "42 ms.");
}

} // namespace
