// Master datagrams: list requests, list batches, server-data replies and the filter
// text, without a network.
#include "browser/master/MasterProtocol.h"
#include "browser/master/MasterFilterText.h"

#include <gtest/gtest.h>

namespace {

std::vector<uint8_t> Sent(int32_t key, const std::string& filter)
{
    CMessageBuffer msg(kMasterBufferSize);
    msg.Clear();
    WriteMasterListRequest(msg, key, filter);
    return std::vector<uint8_t>(msg.Data(), msg.Data() + msg.Size());
}

std::vector<uint8_t> Batch(int32_t key, std::initializer_list<uint8_t> entryBytes)
{
    std::vector<uint8_t> d = {0xFF, 0xFF, 0xFF, 0xFF, 'f', 0x0A};
    for (int shift = 0; shift < 32; shift += 8)
        d.push_back(uint8_t(uint32_t(key) >> shift));
    d.insert(d.end(), entryBytes);
    return d;
}

} // namespace

TEST(MasterRequests, ListRequestWithoutFilterIsTheByteEAndTheKey)
{
    EXPECT_EQ(Sent(7, ""), (std::vector<uint8_t>{'e', 7, 0, 0, 0}));
}

TEST(MasterRequests, ListRequestWithFilterCarriesTheText)
{
    const auto bytes = Sent(7, "\\map\\x");
    const std::vector<uint8_t> expected = {'1', 7, 0, 0, 0, '\\', 'm', 'a', 'p', '\\', 'x', 0};
    EXPECT_EQ(bytes, expected);
    const auto query = ParseMasterListRequest(bytes.data(), bytes.size());
    ASSERT_TRUE(query);
    EXPECT_EQ(query->key, 7);
    EXPECT_EQ(query->filter, "\\map\\x");
}

TEST(MasterRequests, OverLongFilterIsCutTo1023Characters)
{
    const auto bytes = Sent(0, std::string(3000, 'a'));
    EXPECT_EQ(bytes.size(), 1u + 4u + kMaxMasterFilter + 1u);
    EXPECT_EQ(bytes.back(), 0);
}

TEST(MasterRequests, ServerDataRequestCarriesVersionAndTitle)
{
    CMessageBuffer msg(kMasterBufferSize);
    msg.Clear();
    WriteServerDataRequest(msg, "1.0.1.4", "KESTREL");
    const auto query = ParseServerDataRequest(msg.Data(), size_t(msg.Size()));
    ASSERT_TRUE(query);
    EXPECT_EQ(msg.Data()[0], 'v');
    EXPECT_EQ(query->version, "1.0.1.4");
    EXPECT_EQ(query->shortTitle, "KESTREL");
}

TEST(MasterListBatches, ThreeEntriesInNetworkOrder)
{
    const auto d = Batch(0, {127, 0, 0, 1, 0x69, 0x87, 10, 1, 2, 3, 0x9C, 0x40, 192, 168, 0, 255, 0, 0});
    ASSERT_EQ(d.size(), 10u + 18u);
    const auto batch = ParseMasterListBatch(d.data(), d.size());
    ASSERT_TRUE(batch);
    EXPECT_EQ(batch->nextKey, 0);
    ASSERT_EQ(batch->entries.size(), 3u);
    EXPECT_EQ(batch->entries[0], (MasterEntry{"127.0.0.1", 27015}));
    EXPECT_EQ(batch->entries[1], (MasterEntry{"10.1.2.3", 40000}));
    EXPECT_EQ(batch->entries[2], (MasterEntry{"192.168.0.255", 0}));
}

TEST(MasterListBatches, NextKeyIsLittleEndian)
{
    const auto d = Batch(0x01020307, {});
    const auto batch = ParseMasterListBatch(d.data(), d.size());
    ASSERT_TRUE(batch);
    EXPECT_EQ(batch->nextKey, 0x01020307);
    EXPECT_TRUE(batch->entries.empty());
}

TEST(MasterListBatches, EntryCutOffAtTheEndIsNotRead)
{
    // (size - 6) / 6 would count a fourth entry whose last bytes lie past the end.
    auto d = Batch(0, {127, 0, 0, 1, 0, 1, 127, 0, 0, 2, 0, 2, 127, 0, 0, 3, 0, 3, 127, 0, 0, 4});
    const auto batch = ParseMasterListBatch(d.data(), d.size());
    ASSERT_TRUE(batch);
    ASSERT_EQ(batch->entries.size(), 3u);
    EXPECT_EQ(batch->entries[2].port, 3);
}

TEST(MasterListBatches, ForeignDatagramsAreNotBatches)
{
    auto d = Batch(0, {127, 0, 0, 1, 0, 1});
    d[0] = 0xFE;
    EXPECT_FALSE(ParseMasterListBatch(d.data(), d.size()));
    d = Batch(0, {});
    d[4] = 'w';
    EXPECT_FALSE(ParseMasterListBatch(d.data(), d.size()));
    d = Batch(0, {});
    EXPECT_FALSE(ParseMasterListBatch(d.data(), 9)); // no room for the key
    EXPECT_FALSE(ParseMasterListBatch(d.data(), 0));
}

TEST(MasterListBatches, BuilderAndParserAgree)
{
    const std::vector<MasterEntry> entries = {{"127.0.0.1", 27015}, {"127.0.0.2", 65535}};
    const auto d = BuildMasterListBatch(-5, entries);
    const auto batch = ParseMasterListBatch(d.data(), d.size());
    ASSERT_TRUE(batch);
    EXPECT_EQ(batch->nextKey, -5);
    EXPECT_EQ(batch->entries, entries);
}

TEST(ServerDataReplies, OutOfDateInAnyLetterCase)
{
    std::vector<uint8_t> d = {0xFF, 0xFF, 0xFF, 0xFF, 'w', 0};
    const std::string text = "OUTOFDATE";
    d.insert(d.end(), text.begin(), text.end());
    const auto reply = ParseServerDataReply(d.data(), d.size());
    ASSERT_TRUE(reply);
    EXPECT_TRUE(reply->outOfDate);
    EXPECT_FALSE(ParseServerDataReply(d.data(), d.size() - 1)->outOfDate); // "OUTOFDAT" is not enough
}

TEST(ServerDataReplies, ThreeGroupsOfAddresses)
{
    ServerDataReply sent;
    sent.groups[0] = {{"127.0.0.5", 6002}};
    sent.groups[1] = {{"127.0.0.6", 6001}, {"127.0.0.7", 6003}};
    sent.groups[2] = {{"127.0.0.8", 27010}};
    const auto d = BuildServerDataReply(sent);
    const auto reply = ParseServerDataReply(d.data(), d.size());
    ASSERT_TRUE(reply);
    EXPECT_FALSE(reply->outOfDate);
    EXPECT_EQ(reply->groups, sent.groups);
}

TEST(ServerDataReplies, MissingSeparatorsStopAtTheEntryBudget)
{
    // Four entries and no separators: the budget (size - 18) / 6 takes two.
    std::vector<uint8_t> d = {0xFF, 0xFF, 0xFF, 0xFF, 'w', 0};
    for (int i = 0; i < 4; ++i)
        d.insert(d.end(), {127, 0, 0, uint8_t(i + 1), 0, 80});
    const auto reply = ParseServerDataReply(d.data(), d.size());
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->groups[0].size(), 2u); // (30 - 18) / 6
    EXPECT_TRUE(reply->groups[1].empty());
}

TEST(ServerDataReplies, ReadingStopsAfterTheThirdSeparator)
{
    ServerDataReply sent;
    sent.groups[2] = {{"127.0.0.8", 27010}};
    auto d = BuildServerDataReply(sent);
    d.insert(d.end(), {127, 0, 0, 9, 0, 1, 0xFF, 0xFF, 0xFF, 0xFF});
    const auto reply = ParseServerDataReply(d.data(), d.size());
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->groups[2], sent.groups[2]);
}

TEST(ServerDataReplies, DatagramShorterThanItsHeaderIsIgnored)
{
    const uint8_t d[] = {0xFF, 0xFF, 0xFF, 0xFF, 'w', 0};
    EXPECT_FALSE(ParseServerDataReply(d, 5));
    EXPECT_TRUE(ParseServerDataReply(d, 6));
}

TEST(MasterFilterText, PairsInOrderAndProxiesReplaceTheType)
{
    MasterFilterChoices c;
    c.dedicatedOnly = true;
    c.gameFilter = true;
    c.gameName = "vrel";
    c.mapFilter = true; // with an empty name: no pair
    c.hideEmpty = true;
    EXPECT_EQ(BuildMasterFilterText(c), "\\type\\d\\gamedir\\vrel\\empty\\1");
    c.proxyFilter = true;
    c.proxiesOnly = true;
    EXPECT_EQ(BuildMasterFilterText(c), "\\gamedir\\vrel\\empty\\1\\type\\p");
    EXPECT_EQ(BuildMasterFilterText(MasterFilterChoices{}), "");
}

TEST(MasterFilterText, UnsafeValuesAreRefused)
{
    std::string info;
    EXPECT_FALSE(SetInfoValueForKey(info, "map", "a\\b"));
    EXPECT_FALSE(SetInfoValueForKey(info, "map", "a\"b"));
    EXPECT_FALSE(SetInfoValueForKey(info, std::string(128, 'k'), "v"));
    EXPECT_TRUE(SetInfoValueForKey(info, std::string(127, 'k'), "v"));
    EXPECT_EQ(info, "\\" + std::string(127, 'k') + "\\v");
}

TEST(MasterFilterText, TextNeverReaches2048Characters)
{
    std::string info;
    int added = 0;
    for (int i = 0; i < 40; ++i)
        added += SetInfoValueForKey(info, "k" + std::to_string(i), std::string(100, 'v')) ? 1 : 0;
    EXPECT_LE(info.size(), kMaxInfoText);
    EXPECT_LT(added, 40);
    EXPECT_GT(added, 10);
}
