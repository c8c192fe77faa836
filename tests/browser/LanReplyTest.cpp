// The LAN list's record store and what one broadcast answer does to it.
#include "browser/lan/LanReply.h"
#include "ReplyBuilder.h"
#include "browser/list/ServerRecordList.h"
#include "browser/record/CServerInfo.h"

#include <gtest/gtest.h>

namespace {

const char* kVrelInfo = "\\hostname\\Basement\\map\\ha_mill\\gamedir\\vrel\\players\\3\\max\\10\\protocol\\45";

CServerInfo* Take(ServerRecordList& list, const ReplyBuilder& reply, const std::string& address = "127.0.0.1",
                  int port = 27017)
{
    CMessageBuffer msg(8192);
    reply.LoadInto(msg);
    return TakeLanReply(list, msg, address, port, false, 12.5);
}

} // namespace

TEST(ServerRecordList, AddServerReusesTheSameAddressAndPort)
{
    ServerRecordList list;
    CServerInfo* a = list.AddServer("Host.Example", 27015);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->name, "Host.Example");
    EXPECT_EQ(a->game, "KESTREL");
    EXPECT_EQ(list.AddServer("host.example", 27015), a);
    CServerInfo* b = list.AddServer("host.example", 27016);
    EXPECT_NE(b, a);
    EXPECT_EQ(list.Head(), b); // new records go to the head
    EXPECT_NE(list.AddServer("host.example", 27015, true), a);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.AddServer("other", 0)->port, 26000);
}

TEST(ServerRecordList, RemoveDeleteAndCounts)
{
    ServerRecordList list;
    CServerInfo* a = list.AddServer("a", 1);
    CServerInfo* b = list.AddServer("b", 1);
    CServerInfo* c = list.AddServer("c", 1);
    a->currentplayers = 3;
    b->currentplayers = 5;
    c->currentplayers = 7;
    b->SetFiltered(true);
    EXPECT_EQ(list.CountShown(), 2);
    EXPECT_EQ(list.PlayersShown(), 10);

    EXPECT_TRUE(list.RemoveServer(b));
    EXPECT_FALSE(list.RemoveServer(b));
    EXPECT_EQ(list.Count(), 2);

    a->favorite = true;
    list.DeleteAll(true);
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Head(), a);
    list.DeleteAll();
    EXPECT_EQ(list.Head(), nullptr);
}

TEST(LanReply, VrelAnswerBecomesARecordWithTheSendersPort)
{
    ServerRecordList list;
    CServerInfo* r = Take(list, ReplyBuilder::Info(kVrelInfo), "192.0.2.4", 27017);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(r->address, "192.0.2.4");
    EXPECT_EQ(r->port, 27017);
    EXPECT_EQ(r->name, "Basement");
    EXPECT_EQ(r->maxplayers, 10);
    EXPECT_DOUBLE_EQ(r->InfoTime(), 12.5);
    // The broadcast answer is not a query step: the record stays Idle.
    EXPECT_EQ(r->status, CServerInfo::Idle);
    EXPECT_FALSE(r->ipx);
}

TEST(LanReply, SameServerTwiceGivesOneRecord)
{
    ServerRecordList list;
    CServerInfo* first = Take(list, ReplyBuilder::Info(kVrelInfo));
    first->status = CServerInfo::InfoSent;
    first->retries = 2;
    CServerInfo* second = Take(list, ReplyBuilder::Info(kVrelInfo));
    EXPECT_EQ(first, second);
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(second->status, CServerInfo::InfoSent);
    EXPECT_EQ(second->retries, 2);
    Take(list, ReplyBuilder::Info(kVrelInfo), "127.0.0.1", 27018);
    EXPECT_EQ(list.Count(), 2);
}

TEST(LanReply, OtherGameDirectoriesAreDiscarded)
{
    ServerRecordList list;
    EXPECT_EQ(Take(list, ReplyBuilder::Info("\\hostname\\Loud\\gamedir\\VREL")), nullptr);
    EXPECT_EQ(Take(list, ReplyBuilder::Info("\\hostname\\Base\\gamedir\\harrow")), nullptr);
    EXPECT_EQ(Take(list, ReplyBuilder::Info("\\hostname\\Nothing")), nullptr);
    // An empty info text leaves the new record's default directory, so it goes too.
    EXPECT_EQ(Take(list, ReplyBuilder::Info("")), nullptr);
    EXPECT_EQ(list.Count(), 0);

    // A listed server that now runs another game leaves the list.
    ASSERT_NE(Take(list, ReplyBuilder::Info(kVrelInfo)), nullptr);
    EXPECT_EQ(Take(list, ReplyBuilder::Info("\\gamedir\\harrow")), nullptr);
    EXPECT_EQ(list.Count(), 0);
}

TEST(LanReply, ForeignDatagramsAreIgnored)
{
    ServerRecordList list;
    ReplyBuilder wrongLong;
    wrongLong.Long(-2).String("infostringresponse").String(kVrelInfo);
    ReplyBuilder wrongType;
    wrongType.Long(-1).String("infostring").String(kVrelInfo);
    ReplyBuilder players = ReplyBuilder::Players({{"Ace", 1}});
    ReplyBuilder shortOne;
    shortOne.Byte(0xff).Byte(0xff);
    for (const ReplyBuilder* b : {&wrongLong, &wrongType, &players, &shortOne})
        EXPECT_EQ(Take(list, *b), nullptr);
    EXPECT_EQ(list.Count(), 0);

    ReplyBuilder upperType;
    upperType.Long(-1).String("InfoStringResponse").String(kVrelInfo);
    EXPECT_NE(Take(list, upperType), nullptr);
}
