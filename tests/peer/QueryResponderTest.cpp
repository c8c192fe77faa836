// The peer's query replies read back through the browser's own parsers, including
// every hostile kind, which must leave the record sane.
#include "peer/QueryResponder.h"
#include "browser/query/QueryReplies.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

GameServerConfig Config()
{
    GameServerConfig c;
    c.name = "Yard";
    c.map = "dm_mill";
    c.currentPlayers = 2;
    c.maxPlayers = 12;
    c.protocol = 44;
    c.type = 'l';
    c.os = 'w';
    c.password = "pw";
    c.rules = {{"mp_timelimit", "20"}, {"sv_gravity", "800"}};
    return c;
}

void Load(CMessageBuffer& msg, const std::vector<uint8_t>& bytes)
{
    msg.Clear();
    std::memcpy(msg.Data(), bytes.data(), std::min(bytes.size(), size_t(msg.Capacity())));
    msg.SetSize(int(bytes.size()));
}

// Runs all three replies through the parsers the way a query would.
struct Parsed
{
    ReplyParse info, players, rules;
};
Parsed Query(const GameServerState& state, CServerInfo& record)
{
    CMessageBuffer msg(8192);
    Load(msg, BuildInfoReply(state));
    Parsed p{};
    p.info = ParseInfoReply(msg, record, 1.0);
    record.AllocatePlayerSlots();
    Load(msg, BuildPlayersReply(state));
    p.players = ParsePlayersReply(msg, record, 1.0);
    Load(msg, BuildRulesReply(state));
    p.rules = ParseRulesReply(msg, record);
    return p;
}

void ExpectSane(const CServerInfo& r)
{
    EXPECT_LE(r.name.size(), kMaxInfoValue);
    EXPECT_LE(r.map.size(), kMaxInfoValue);
    ASSERT_TRUE(r.players);
    EXPECT_EQ(r.players->size(), size_t(r.fullmax));
    int rules = 0;
    for (const ServerRule& rule : r.rules) {
        ++rules;
        EXPECT_LE(rule.key.size(), kMaxRuleKey);
        EXPECT_LE(rule.value.size(), kMaxRuleValue);
    }
    EXPECT_LE(rules, kMaxRulesPerReply);
    for (const auto& player : *r.players)
        if (player) {
            EXPECT_LE(player->name.size(), size_t(CMessageBuffer::kMaxString));
        }
}

} // namespace

TEST(PeerQueryReplies, InfoPlayersAndRulesFillTheRecord)
{
    GameServerState state(Config());
    CServerInfo r("127.0.0.1", 27015);
    const Parsed p = Query(state, r);
    EXPECT_EQ(p.info, ReplyParse::Good);
    EXPECT_EQ(p.players, ReplyParse::Good);
    EXPECT_EQ(p.rules, ReplyParse::Good);
    EXPECT_EQ(r.name, "Yard");
    EXPECT_EQ(r.map, "dm_mill");
    EXPECT_EQ(r.dir, "vrel");
    EXPECT_EQ(r.currentplayers, 2);
    EXPECT_EQ(r.maxplayers, 12);
    EXPECT_EQ(r.protocol, 44);
    EXPECT_EQ(r.svtype, 'l');
    EXPECT_EQ(r.svos, 'w');
    EXPECT_TRUE(r.password);
    ASSERT_TRUE((*r.players)[1]);
    EXPECT_EQ((*r.players)[1]->name, "Player 2");
    EXPECT_EQ((*r.players)[1]->frags, 3);
    EXPECT_EQ((*r.players)[1]->time, 120);
    ASSERT_FALSE(r.rules.empty());
    EXPECT_EQ(r.rules.front().key, "sv_gravity"); // reverse order of the datagram
}

TEST(PeerQueryReplies, ConnectedPlayersAreListedToo)
{
    GameServerState state(Config());
    state.AddPlayer(PeerPlayer{"Ann", PeerAddress{0x7F000001, 5000}, 1});
    const auto players = QueryPlayers(state);
    ASSERT_EQ(players.size(), 3u);
    EXPECT_EQ(players[2].name, "Ann");
}

TEST(PeerQueryReplies, OnlyTheExactRequestsAreAnswered)
{
    GameServerState state(Config());
    const uint8_t info[] = "\xFF\xFF\xFF\xFFinfostring\n";
    EXPECT_TRUE(RespondToQuery(info, sizeof info, {}, state).reply);
    EXPECT_FALSE(RespondToQuery(info, sizeof info - 1, {}, state).handled); // no terminating zero
    const uint8_t other[] = "\xFF\xFF\xFF\xFFstatus";
    EXPECT_FALSE(RespondToQuery(other, sizeof other, {}, state).handled);
}

TEST(PeerQueryReplies, BackslashesInTheHostNameAddNoKeysOfTheirOwn)
{
    GameServerConfig c = Config();
    c.name = "evil\\map\\pwned\\password\\0";
    GameServerState state(c);
    CServerInfo r("127.0.0.1", 27015);
    EXPECT_EQ(Query(state, r).info, ReplyParse::Good);
    EXPECT_EQ(r.name, "evilmappwnedpassword0");
    EXPECT_EQ(r.map, "dm_mill");
    EXPECT_TRUE(r.password);
}

TEST(PeerQueryReplies, RulesAndPlayersBeyondOneReplyAreCutToWhatFits)
{
    GameServerConfig c = Config();
    c.currentPlayers = 0;
    c.maxPlayers = 32;
    c.rules.clear();
    for (int i = 0; i < 60; ++i)
        c.rules.emplace_back("rule" + std::to_string(i) + std::string(120, 'k'), std::string(127, 'v'));
    GameServerState state(c);
    for (uint16_t port = 1; port <= 32; ++port)
        state.AddPlayer(PeerPlayer{std::string(254, 'a') + char('A' + port % 26), PeerAddress{0x7F000001, port}, 1});
    CServerInfo r("127.0.0.1", 27015);
    const Parsed p = Query(state, r);
    EXPECT_LE(BuildRulesReply(state).size(), 8192u);
    EXPECT_LE(BuildPlayersReply(state).size(), 8192u);
    EXPECT_EQ(p.players, ReplyParse::Good);
    EXPECT_EQ(p.rules, ReplyParse::Good);
    EXPECT_GE(std::distance(r.rules.begin(), r.rules.end()), 25);
    EXPECT_GE(std::count_if(r.players->begin(), r.players->end(), [](const auto& slot) { return slot != nullptr; }),
              25);
}

class HostilePeer : public ::testing::TestWithParam<HostileReply>
{
};

TEST_P(HostilePeer, RecordStaysSane)
{
    GameServerConfig c = Config();
    c.hostile = GetParam();
    GameServerState state(c);
    CServerInfo r("127.0.0.1", 27015);
    const Parsed p = Query(state, r);
    ExpectSane(r);
    switch (GetParam()) {
    case HostileReply::WrongHeader:
        EXPECT_NE(p.info, ReplyParse::Good);
        EXPECT_EQ(r.name, "?");
        EXPECT_TRUE(r.rules.empty());
        break;
    case HostileReply::LongStrings:
        EXPECT_EQ(r.name.size(), kMaxInfoValue);
        break;
    case HostileReply::CountTooLarge:
        // The count promises more than the data holds: nothing beyond it is invented.
        EXPECT_LE(std::count_if(r.players->begin(), r.players->end(), [](const auto& slot) { return slot != nullptr; }),
                  2);
        break;
    case HostileReply::Negative:
        EXPECT_EQ(r.currentplayers, -5);
        EXPECT_TRUE(r.rules.empty()); // a negative rule count keeps the old rules
        break;
    default:
        break;
    }
}

INSTANTIATE_TEST_SUITE_P(EveryKind, HostilePeer,
                         ::testing::Values(HostileReply::WrongHeader, HostileReply::Truncated,
                                           HostileReply::CountTooLarge, HostileReply::LongStrings,
                                           HostileReply::Negative));
