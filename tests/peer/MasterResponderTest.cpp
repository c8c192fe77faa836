// The peer master's answers: batches with keys over the listed servers, filters and
// the server-data reply.
#include "peer/MasterResponder.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

std::vector<uint8_t> ListRequest(int32_t key, const std::string& filter = "")
{
    CMessageBuffer msg(kMasterBufferSize);
    msg.Clear();
    WriteMasterListRequest(msg, key, filter);
    return std::vector<uint8_t>(msg.Data(), msg.Data() + msg.Size());
}

MasterListBatch Ask(const std::vector<MasterListing>& servers, const MasterServerConfig& config, int32_t key,
                    const std::string& filter = "")
{
    const auto request = ListRequest(key, filter);
    const auto reply = RespondToMaster(request.data(), request.size(), servers, config);
    EXPECT_TRUE(reply);
    const auto batch = ParseMasterListBatch(reply->data(), reply->size());
    EXPECT_TRUE(batch);
    return batch.value_or(MasterListBatch{});
}

} // namespace

TEST(PeerMaster, BatchesFollowTheKeysToTheEnd)
{
    std::vector<MasterListing> servers;
    for (int i = 0; i < 7; ++i)
        servers.push_back({MasterEntry{"127.0.0.1", 30000 + i}, nullptr});
    MasterServerConfig config;
    config.batchSize = 3;
    std::vector<MasterEntry> all;
    int32_t key = 0;
    int batches = 0;
    do {
        const MasterListBatch batch = Ask(servers, config, key);
        all.insert(all.end(), batch.entries.begin(), batch.entries.end());
        key = batch.nextKey;
        ++batches;
    } while (key != 0 && batches < 10);
    EXPECT_EQ(batches, 3);
    ASSERT_EQ(all.size(), 7u);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(all[size_t(i)].port, 30000 + i);
}

TEST(PeerMaster, FilterLeavesOutWhatItHides)
{
    GameServerConfig emptyOne;
    emptyOne.map = "dm_a";
    GameServerConfig busy;
    busy.map = "dm_b";
    busy.currentPlayers = 3;
    GameServerConfig full;
    full.map = "dm_b";
    full.currentPlayers = 4;
    full.maxPlayers = 4;
    full.os = 'w';
    const GameServerState a(emptyOne), b(busy), c(full);
    const std::vector<MasterListing> servers = {{{"127.0.0.1", 1}, &a}, {{"127.0.0.1", 2}, &b}, {{"127.0.0.1", 3}, &c}};
    MasterServerConfig config;
    EXPECT_EQ(Ask(servers, config, 0, "\\empty\\1").entries.size(), 2u);
    EXPECT_EQ(Ask(servers, config, 0, "\\empty\\1\\full\\1").entries, (std::vector<MasterEntry>{{"127.0.0.1", 2}}));
    EXPECT_EQ(Ask(servers, config, 0, "\\map\\DM_B\\linux\\1").entries.size(), 1u);
    EXPECT_EQ(Ask(servers, config, 0, "\\type\\p").entries.size(), 0u);
    EXPECT_EQ(Ask(servers, config, 0, "\\gamedir\\vrel").entries.size(), 3u);
}

TEST(PeerMaster, ServerDataReplyOrOutOfDate)
{
    MasterServerConfig config;
    config.serverData.groups[2] = {{"127.0.0.1", 27010}};
    CMessageBuffer msg(kMasterBufferSize);
    msg.Clear();
    WriteServerDataRequest(msg, "1.0.1.4", "KESTREL");
    auto reply = RespondToMaster(msg.Data(), size_t(msg.Size()), {}, config);
    ASSERT_TRUE(reply);
    auto parsed = ParseServerDataReply(reply->data(), reply->size());
    ASSERT_TRUE(parsed);
    EXPECT_FALSE(parsed->outOfDate);
    EXPECT_EQ(parsed->groups[2], config.serverData.groups[2]);

    config.currentVersion = "2.0";
    reply = RespondToMaster(msg.Data(), size_t(msg.Size()), {}, config);
    parsed = ParseServerDataReply(reply->data(), reply->size());
    ASSERT_TRUE(parsed);
    EXPECT_TRUE(parsed->outOfDate);
}

TEST(PeerMaster, OtherDatagramsGetNoAnswer)
{
    const uint8_t junk[] = {0xFF, 0xFF, 0xFF, 0xFF, 'f'};
    EXPECT_FALSE(RespondToMaster(junk, sizeof junk, {}, MasterServerConfig{}));
    const auto negative = ListRequest(-4);
    EXPECT_FALSE(RespondToMaster(negative.data(), negative.size(), {}, MasterServerConfig{}));
}

TEST(PeerMaster, HostileModesKeepTheListGoing)
{
    const std::vector<MasterListing> servers = {{{"127.0.0.1", 1}, nullptr}, {{"127.0.0.1", 2}, nullptr}};
    MasterServerConfig config;
    config.batchSize = 3;
    auto replies = [&](int32_t key) {
        const auto request = ListRequest(key);
        return MasterReplies(request.data(), request.size(), servers, config);
    };

    config.hostile = HostileMaster::Endless;
    std::vector<MasterEntry> seen;
    int32_t key = 0;
    for (int i = 0; i < 4; ++i) {
        const auto sent = replies(key);
        ASSERT_EQ(sent.size(), 1u);
        const auto batch = ParseMasterListBatch(sent[0].data(), sent[0].size());
        ASSERT_TRUE(batch);
        EXPECT_NE(batch->nextKey, 0);
        EXPECT_EQ(batch->entries.size(), 3u);
        for (const MasterEntry& entry : batch->entries) {
            EXPECT_EQ(std::find(seen.begin(), seen.end(), entry), seen.end()) << entry.address;
            seen.push_back(entry);
        }
        key = batch->nextKey;
    }

    config.hostile = HostileMaster::SameKey;
    for (const int32_t asked : {0, -1}) {
        const auto sent = replies(asked);
        ASSERT_EQ(sent.size(), 1u);
        const auto batch = ParseMasterListBatch(sent[0].data(), sent[0].size());
        ASSERT_TRUE(batch);
        EXPECT_EQ(batch->nextKey, -1);
        EXPECT_EQ(batch->entries.size(), 2u);
    }

    config.hostile = HostileMaster::Junk;
    const auto sent = replies(0);
    ASSERT_EQ(sent.size(), 3u);
    for (const auto& datagram : sent) {
        const std::optional<int> type = MasterReplyType(datagram.data(), datagram.size());
        EXPECT_TRUE(!type || (*type != kMasterListReply && *type != kServerDataReply));
    }

    EXPECT_EQ(ParseHostileMaster("same-key"), HostileMaster::SameKey);
    EXPECT_FALSE(ParseHostileMaster("friendly"));
}
