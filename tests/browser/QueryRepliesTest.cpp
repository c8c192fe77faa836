// Info, players and rules reply parsers: well-formed replies fill the record,
// hostile ones leave it sane.
#include "browser/query/QueryReplies.h"
#include "ReplyBuilder.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>

#include <cmath>
#include <limits>

namespace {

constexpr double kNow = 42.5;

const char* kFullInfo = "\\protocol\\45\\address\\1.2.3.4:27015\\players\\5\\proxytarget\\1\\lan\\0\\max\\16"
                        "\\gamedir\\vrel\\description\\Team Play\\hostname\\Friday Frag\\map\\ha_mill"
                        "\\type\\d\\password\\1\\os\\l\\modversion\\7\\proxyaddress\\10.0.0.2:27020";

ReplyParse ParseInfo(const ReplyBuilder& b, CServerInfo& r, size_t keep = size_t(-1))
{
    CMessageBuffer msg(8192);
    b.LoadInto(msg, keep);
    return ParseInfoReply(msg, r, kNow);
}

ReplyParse ParsePlayers(const ReplyBuilder& b, CServerInfo& r, size_t keep = size_t(-1))
{
    CMessageBuffer msg(8192);
    b.LoadInto(msg, keep);
    return ParsePlayersReply(msg, r, kNow);
}

ReplyParse ParseRules(const ReplyBuilder& b, CServerInfo& r, size_t keep = size_t(-1))
{
    CMessageBuffer msg(8192);
    b.LoadInto(msg, keep);
    return ParseRulesReply(msg, r);
}

std::vector<std::pair<std::string, std::string>> Rules(const CServerInfo& r)
{
    std::vector<std::pair<std::string, std::string>> v;
    for (const auto& rule : r.rules)
        v.emplace_back(rule.key, rule.value);
    return v;
}

void Waiting(CServerInfo& r, int status, int current = 0)
{
    r.status = status;
    r.retries = 2;
    r.currentplayers = current;
}

TEST(InfoReply, FillsTheRecord)
{
    CServerInfo r("127.0.0.1", 27015);
    Waiting(r, CServerInfo::InfoSent);
    r.url = "u";
    r.dl = "d";
    r.mod = true;
    r.size = 9;
    r.cldll = true;
    ASSERT_EQ(ParseInfo(ReplyBuilder::Info(kFullInfo), r), ReplyParse::Good);
    EXPECT_EQ(r.name, "Friday Frag");
    EXPECT_EQ(r.map, "ha_mill");
    EXPECT_EQ(r.dir, "vrel");
    EXPECT_EQ(r.game, "Team Play");
    EXPECT_EQ(r.currentplayers, 5);
    EXPECT_EQ(r.maxplayers, 16);
    EXPECT_EQ(r.protocol, 45);
    EXPECT_EQ(r.svtype, 'd');
    EXPECT_EQ(r.svos, 'l');
    EXPECT_TRUE(r.password);
    EXPECT_FALSE(r.proxy);
    EXPECT_TRUE(r.proxytarget);
    EXPECT_EQ(r.proxyaddress, "10.0.0.2:27020");
    EXPECT_EQ(r.proxyIp, inet_addr("10.0.0.2"));
    EXPECT_EQ(r.proxyPort, 27020);
    EXPECT_EQ(r.version, 7);
    EXPECT_EQ(r.url, "");
    EXPECT_EQ(r.dl, "");
    EXPECT_EQ(r.ksversion, "");
    EXPECT_FALSE(r.mod);
    EXPECT_EQ(r.size, 0);
    EXPECT_FALSE(r.svside);
    EXPECT_FALSE(r.cldll);
    EXPECT_EQ(r.status, CServerInfo::InfoReceived);
    EXPECT_EQ(r.retries, 0);
    EXPECT_EQ(r.InfoTime(), kNow);
}

TEST(InfoReply, TypeIsCaseInsensitiveAndMissingKeysReadEmpty)
{
    CServerInfo r("127.0.0.1", 27015);
    Waiting(r, CServerInfo::InfoSent);
    ReplyBuilder b;
    b.Long(-1).String("INFOSTRINGRESPONSE").String("hostname\\x\\type\\p\\Max\\9");
    ASSERT_EQ(ParseInfo(b, r), ReplyParse::Good);
    EXPECT_EQ(r.name, "x");     // the leading backslash is optional
    EXPECT_EQ(r.maxplayers, 0); // keys match exactly: "Max" is not "max"
    EXPECT_EQ(r.map, "");
    EXPECT_TRUE(r.proxy);
    EXPECT_EQ(r.svos, '\0');
    EXPECT_EQ(r.proxyPort, 27015);
}

TEST(InfoReply, ForeignAndMalformedDatagramsChangeNothing)
{
    const std::vector<std::pair<const char*, ReplyBuilder>> cases = [] {
        std::vector<std::pair<const char*, ReplyBuilder>> v;
        v.emplace_back("wrong header", ReplyBuilder());
        v.back().second.Long(-2).String("infostringresponse").String("\\hostname\\evil");
        v.emplace_back("wrong type", ReplyBuilder());
        v.back().second.Long(-1).String("infostring").String("\\hostname\\evil");
        v.emplace_back("empty type", ReplyBuilder());
        v.back().second.Long(-1).String("").String("\\hostname\\evil");
        v.emplace_back("empty info", ReplyBuilder());
        v.back().second.Long(-1).String("infostringresponse").String("");
        v.emplace_back("players reply", ReplyBuilder::Players({{"p", 1}}));
        return v;
    }();
    for (const auto& [what, reply] : cases) {
        CServerInfo r("127.0.0.1", 27015);
        Waiting(r, CServerInfo::InfoSent);
        EXPECT_NE(ParseInfo(reply, r), ReplyParse::Good) << what;
        EXPECT_EQ(r.status, CServerInfo::InfoSent) << what;
        EXPECT_EQ(r.name, "?") << what;
        EXPECT_EQ(r.retries, 2) << what;
    }
    const ReplyBuilder full = ReplyBuilder::Info(kFullInfo);
    for (size_t keep : {size_t(0), size_t(2), size_t(4), size_t(10), size_t(23)}) {
        CServerInfo r("127.0.0.1", 27015);
        Waiting(r, CServerInfo::InfoSent);
        EXPECT_NE(ParseInfo(full, r, keep), ReplyParse::Good) << keep;
        EXPECT_EQ(r.status, CServerInfo::InfoSent);
    }
}

TEST(InfoReply, TruncatedInfoTextUsesWhatArrived)
{
    CServerInfo r("127.0.0.1", 27015);
    Waiting(r, CServerInfo::InfoSent);
    const std::string text = "\\hostname\\cut\\map\\ha_mi";
    const ReplyBuilder b = ReplyBuilder::Info(text);
    ASSERT_EQ(ParseInfo(b, r, b.Bytes().size() - 1), ReplyParse::Good);
    EXPECT_EQ(r.name, "cut");
    EXPECT_EQ(r.map, "ha_mi");
}

TEST(InfoReply, LongValuesAreCutAt511AndTextAt2047)
{
    CServerInfo r("127.0.0.1", 27015);
    Waiting(r, CServerInfo::InfoSent);
    const std::string longName(900, 'n');
    std::string text = "\\hostname\\" + longName + "\\map\\early";
    text += "\\pad\\" + std::string(2047 - text.size() - 11, 'p');
    text += "\\max\\16"; // starts inside the first 2047 characters but ends past them
    text += "\\protocol\\45";
    ASSERT_EQ(ParseInfo(ReplyBuilder::Info(text), r), ReplyParse::Good);
    EXPECT_EQ(r.name, longName.substr(0, 511));
    EXPECT_EQ(r.map, "early");
    EXPECT_EQ(r.protocol, 0);
    EXPECT_EQ(r.maxplayers, 1);
}

TEST(InfoReply, HostileNumbersSaturate)
{
    CServerInfo r("127.0.0.1", 27015);
    Waiting(r, CServerInfo::InfoSent);
    ASSERT_EQ(ParseInfo(ReplyBuilder::Info("\\players\\-7\\max\\99999999999999999\\protocol\\-99999999999"), r),
              ReplyParse::Good);
    EXPECT_EQ(r.currentplayers, -7);
    EXPECT_EQ(r.maxplayers, std::numeric_limits<int32_t>::max());
    EXPECT_EQ(r.protocol, std::numeric_limits<int32_t>::min());
}

TEST(InfoValueLookup, FirstMatchWinsAndKeysNeedValues)
{
    EXPECT_EQ(InfoValueForKey("\\a\\1\\a\\2", "a"), "1");
    EXPECT_EQ(InfoValueForKey("a\\1\\b", "b"), "");
    EXPECT_EQ(InfoValueForKey("\\a\\\\b\\2", "b"), "2");
    EXPECT_EQ(InfoValueForKey("", "a"), "");
    EXPECT_EQ(InfoValueForKey("\\k\\" + std::string(600, 'v'), "k").size(), 511u);
}

TEST(PlayersReply, FillsTheSlots)
{
    CServerInfo r("127.0.0.1", 27015);
    Waiting(r, CServerInfo::PlayersSent, 2);
    r.AllocatePlayerSlots();
    (*r.players)[1] = std::make_unique<CPlayerInfo>("old");
    (*r.players)[1]->colors = 5;
    ASSERT_EQ(ParsePlayers(ReplyBuilder::Players({{"Ace", 10}, {"Bo", -2}}, 12.9f), r), ReplyParse::Good);
    ASSERT_TRUE((*r.players)[0] && (*r.players)[1]);
    const CPlayerInfo& a = *(*r.players)[0];
    EXPECT_EQ(a.name, "Ace");
    EXPECT_EQ(a.id, 1);
    EXPECT_EQ(a.frags, 10);
    EXPECT_EQ(a.time, 12);
    EXPECT_EQ(a.replyTime, kNow);
    const CPlayerInfo& b = *(*r.players)[1];
    EXPECT_EQ(b.name, "Bo");
    EXPECT_EQ(b.id, 2);
    EXPECT_EQ(b.frags, -2);
    EXPECT_EQ(b.colors, 0);
    EXPECT_FALSE((*r.players)[2]);
    EXPECT_EQ(r.status, CServerInfo::PlayersReceived);
    EXPECT_EQ(r.retries, 0);
}

TEST(PlayersReply, CountsOutsideOneToCurrentLeaveTheSlots)
{
    for (int current : {0, 2}) {
        CServerInfo r("127.0.0.1", 27015);
        Waiting(r, CServerInfo::PlayersSent, current);
        r.AllocatePlayerSlots();
        // Zero players announced, or three while the info said two.
        const ReplyBuilder reply =
            current == 0 ? ReplyBuilder::Players({}) : ReplyBuilder::Players({{"a", 1}, {"b", 2}, {"c", 3}});
        ASSERT_EQ(ParsePlayers(reply, r), ReplyParse::Good);
        for (const auto& slot : *r.players)
            EXPECT_FALSE(slot);
        EXPECT_EQ(r.status, CServerInfo::PlayersReceived);
    }
}

TEST(PlayersReply, MorePlayersThanSlotsAreNotStored)
{
    CServerInfo r("127.0.0.1", 27015);
    Waiting(r, CServerInfo::PlayersSent, 100);
    r.fullmax = 4;
    r.AllocatePlayerSlots();
    std::vector<std::pair<std::string, int>> many;
    for (int i = 0; i < 10; ++i)
        many.emplace_back("p" + std::to_string(i), i);
    ASSERT_EQ(ParsePlayers(ReplyBuilder::Players(many), r), ReplyParse::Good);
    ASSERT_EQ(r.players->size(), 4u);
    EXPECT_EQ((*r.players)[3]->name, "p3");

    CServerInfo none("127.0.0.1", 27015);
    Waiting(none, CServerInfo::PlayersSent, 5);
    ASSERT_EQ(ParsePlayers(ReplyBuilder::Players(many), none), ReplyParse::Good);
    EXPECT_FALSE(none.players);
    EXPECT_EQ(none.status, CServerInfo::PlayersReceived);
}

TEST(PlayersReply, EntryWhoseTimeIsCutShortKeepsIdNameAndFrags)
{
    CServerInfo r("127.0.0.1", 27015);
    Waiting(r, CServerInfo::PlayersSent, 2);
    r.AllocatePlayerSlots();
    const ReplyBuilder b = ReplyBuilder::Players({{"Ace", 10}, {"Bo", 3}}, 42.0f);
    ASSERT_EQ(ParsePlayers(b, r, b.Bytes().size() - 2), ReplyParse::Good);
    ASSERT_TRUE((*r.players)[0]);
    EXPECT_EQ((*r.players)[0]->time, 42);
    ASSERT_TRUE((*r.players)[1]);
    EXPECT_EQ((*r.players)[1]->id, 2);
    EXPECT_EQ((*r.players)[1]->name, "Bo");
    EXPECT_EQ((*r.players)[1]->frags, 3);
    EXPECT_EQ((*r.players)[1]->time, 0);
    EXPECT_EQ(r.status, CServerInfo::PlayersReceived);
}

TEST(PlayersReply, EntryWhoseFragsAreCutShortIsNotStored)
{
    CServerInfo r("127.0.0.1", 27015);
    Waiting(r, CServerInfo::PlayersSent, 2);
    r.AllocatePlayerSlots();
    const ReplyBuilder b = ReplyBuilder::Players({{"Ace", 10}, {"Bo", 3}});
    ASSERT_EQ(ParsePlayers(b, r, b.Bytes().size() - 6), ReplyParse::Good);
    ASSERT_TRUE((*r.players)[0]);
    EXPECT_EQ((*r.players)[0]->name, "Ace");
    EXPECT_FALSE((*r.players)[1]);
}

TEST(PlayersReply, HostileTimesAndNamesStaySane)
{
    CServerInfo r("127.0.0.1", 27015);
    Waiting(r, CServerInfo::PlayersSent, 3);
    r.AllocatePlayerSlots();
    ReplyBuilder b;
    b.Long(-1).Byte('D').Byte(3);
    b.Byte(1).String(std::string(3000, 'x')).Long(7).Float(std::numeric_limits<float>::quiet_NaN());
    b.Byte(2).String("b").Long(-1).Float(1e30f);
    b.Byte(3).String("c").Long(0).Float(-3.7f);
    ASSERT_EQ(ParsePlayers(b, r), ReplyParse::Good);
    EXPECT_EQ((*r.players)[0]->name.size(), 2047u);
    EXPECT_EQ((*r.players)[0]->frags, 7);
    EXPECT_EQ((*r.players)[0]->time, 0);
    EXPECT_EQ((*r.players)[1]->name, "b");
    EXPECT_EQ((*r.players)[1]->time, std::numeric_limits<int32_t>::max());
    EXPECT_EQ((*r.players)[2]->time, -3);
}

TEST(PlayersReply, OtherTypesAreIgnored)
{
    CServerInfo r("127.0.0.1", 27015);
    Waiting(r, CServerInfo::PlayersSent, 2);
    r.AllocatePlayerSlots();
    EXPECT_EQ(ParsePlayers(ReplyBuilder::Info(kFullInfo), r), ReplyParse::Wait);
    EXPECT_EQ(ParsePlayers(ReplyBuilder::Rules({{"a", "b"}}), r), ReplyParse::Wait);
    ReplyBuilder shortHeader;
    shortHeader.Byte(0xff).Byte(0xff);
    EXPECT_EQ(ParsePlayers(shortHeader, r), ReplyParse::Wait);
    EXPECT_EQ(r.status, CServerInfo::PlayersSent);
    EXPECT_EQ(r.retries, 2);
}

TEST(RulesReply, ReplacesTheRulesInReverseOrder)
{
    CServerInfo r("127.0.0.1", 27015);
    Waiting(r, CServerInfo::RulesSent);
    r.AddRule("old", "1");
    ASSERT_EQ(ParseRules(ReplyBuilder::Rules({{"mp_friendlyfire", "0"}, {"sv_gravity", "800"}}), r), ReplyParse::Good);
    const std::vector<std::pair<std::string, std::string>> expected = {{"sv_gravity", "800"}, {"mp_friendlyfire", "0"}};
    EXPECT_EQ(Rules(r), expected);
    EXPECT_EQ(r.status, CServerInfo::RulesReceived);
    EXPECT_EQ(r.retries, 0);
}

TEST(RulesReply, CountLimits)
{
    std::vector<std::pair<std::string, std::string>> many;
    for (int i = 0; i < 257; ++i)
        many.emplace_back("k" + std::to_string(i), "v");
    CServerInfo tooMany("127.0.0.1", 27015);
    Waiting(tooMany, CServerInfo::RulesSent);
    tooMany.AddRule("old", "1");
    ASSERT_EQ(ParseRules(ReplyBuilder::Rules(many), tooMany), ReplyParse::Good);
    EXPECT_EQ(Rules(tooMany).size(), 1u);
    EXPECT_EQ(tooMany.status, CServerInfo::RulesReceived);

    many.pop_back();
    CServerInfo limit("127.0.0.1", 27015);
    Waiting(limit, CServerInfo::RulesSent);
    limit.AddRule("old", "1");
    ASSERT_EQ(ParseRules(ReplyBuilder::Rules(many), limit), ReplyParse::Good);
    EXPECT_EQ(Rules(limit).size(), 256u);

    CServerInfo negative("127.0.0.1", 27015);
    Waiting(negative, CServerInfo::RulesSent);
    negative.AddRule("old", "1");
    ReplyBuilder b;
    b.Long(-1).Byte('E').Short(-3).String("a").String("b");
    ASSERT_EQ(ParseRules(b, negative), ReplyParse::Good);
    EXPECT_EQ(Rules(negative).front().first, "old");
}

TEST(RulesReply, LongKeysAndValuesAreCutAndTheRestStaysAligned)
{
    CServerInfo r("127.0.0.1", 27015);
    Waiting(r, CServerInfo::RulesSent);
    ASSERT_EQ(ParseRules(ReplyBuilder::Rules({{std::string(3000, 'k'), std::string(300, 'v')}, {"next", "1"}}), r),
              ReplyParse::Good);
    const auto rules = Rules(r);
    ASSERT_EQ(rules.size(), 2u);
    EXPECT_EQ(rules[0], (std::pair<std::string, std::string>{"next", "1"}));
    EXPECT_EQ(rules[1].first, std::string(63, 'k'));
    EXPECT_EQ(rules[1].second, std::string(255, 'v'));
}

TEST(RulesReply, CountLargerThanTheDataKeepsTheCompletePairs)
{
    CServerInfo r("127.0.0.1", 27015);
    Waiting(r, CServerInfo::RulesSent);
    ReplyBuilder b;
    b.Long(-1).Byte('E').Short(200).String("a").String("1").String("b");
    ASSERT_EQ(ParseRules(b, r), ReplyParse::Good);
    const std::vector<std::pair<std::string, std::string>> expected = {{"a", "1"}};
    EXPECT_EQ(Rules(r), expected);
    ReplyBuilder other;
    other.Long(-1).Byte('D').Short(1);
    CServerInfo waiting("127.0.0.1", 27015);
    Waiting(waiting, CServerInfo::RulesSent);
    EXPECT_EQ(ParseRules(other, waiting), ReplyParse::Wait);
    EXPECT_EQ(waiting.status, CServerInfo::RulesSent);
}

} // namespace
