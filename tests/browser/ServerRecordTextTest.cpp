// The server record's text form: every field survives a write and a read, and
// damaged or hostile text never writes outside the record.
#include "RecordingPrompt.h"
#include "app/text/CToken.h"
#include "browser/record/CServerInfo.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>

#include <string>
#include <vector>

namespace {

std::string Written(const CServerInfo& r)
{
    std::string out;
    r.Write(out);
    return out;
}

// Reads one record from text that starts after its "server" word.
bool ReadRecord(const std::string& text, CServerInfo& r)
{
    CToken t(text.c_str());
    t.SetQuoted(true);
    t.SetSkipComments(true);
    return r.Read(t);
}

bool RoundTrip(const CServerInfo& in, CServerInfo& out)
{
    const std::string text = Written(in);
    const std::string word = "\tserver\r\n";
    EXPECT_EQ(text.substr(0, word.size()), word);
    return ReadRecord(text.substr(word.size()), out);
}

std::vector<std::pair<std::string, std::string>> Rules(const CServerInfo& r)
{
    std::vector<std::pair<std::string, std::string>> v;
    for (const auto& rule : r.rules)
        v.emplace_back(rule.key, rule.value);
    return v;
}

void FillEveryField(CServerInfo& r)
{
    r.address = "10.1.2.3";
    r.port = 27016;
    r.name = "Big \"quoted\" server";
    r.map = "ha_\"crossfire";
    r.game = "Deathmatch";
    r.dir = "vrel";
    r.url = "http://example.invalid/\"x";
    r.dl = "ftp://example.invalid/mod.zip";
    r.maxplayers = 24;
    r.currentplayers = 7;
    r.protocol = 45;
    r.favorite = true;
    r.ipx = true;
    r.mod = true;
    r.version = 3;
    r.size = 123456;
    r.svtype = 'd';
    r.svos = 'l';
    r.password = true;
    r.svside = false;
    r.cldll = true;
    r.lan = true;
    r.svping = 0.125;
    r.noresponse = true;
    r.packetloss = 12.5f;
    r.status = 6;
    r.filtered = true;
    r.fullmax = 32;
    r.ksversion = "1.2.3.4";
    r.proxy = true;
    r.proxytarget = true;
    SetProxyAddress(r, "192.168.0.9:27020");
    r.pingSamples[0] = 0.05;
    r.pingSamples[31] = 0.25;
    r.AddRule("mp_timelimit", "30");
    r.AddRule("sv_gravity", "800");
    r.AllocatePlayerSlots();
    auto p = std::make_unique<CPlayerInfo>("Ace");
    p->id = 4;
    p->colors = 77;
    p->frags = -3;
    p->time = 601;
    (*r.players)[5] = std::move(p);
}

TEST(ServerRecordText, EveryFieldRoundTrips)
{
    CServerInfo in("?", 1);
    FillEveryField(in);
    CServerInfo out("?", 27015);
    ASSERT_TRUE(RoundTrip(in, out));
    EXPECT_EQ(out.address, "10.1.2.3");
    EXPECT_EQ(out.port, 27016);
    EXPECT_EQ(out.name, "Big quoted server");
    EXPECT_EQ(out.map, "ha_crossfire");
    EXPECT_EQ(out.game, "Deathmatch");
    EXPECT_EQ(out.dir, "vrel");
    EXPECT_EQ(out.url, "http://example.invalid/x");
    EXPECT_EQ(out.dl, "ftp://example.invalid/mod.zip");
    EXPECT_EQ(out.maxplayers, 24);
    EXPECT_EQ(out.currentplayers, 7);
    EXPECT_EQ(out.protocol, 45);
    EXPECT_TRUE(out.favorite);
    EXPECT_TRUE(out.ipx);
    EXPECT_TRUE(out.mod);
    EXPECT_EQ(out.version, 3);
    EXPECT_EQ(out.size, 123456);
    EXPECT_EQ(out.svtype, 'd');
    EXPECT_EQ(out.svos, 'l');
    EXPECT_TRUE(out.password);
    EXPECT_FALSE(out.svside);
    EXPECT_TRUE(out.cldll);
    EXPECT_TRUE(out.lan);
    EXPECT_DOUBLE_EQ(out.svping, 0.125);
    EXPECT_TRUE(out.noresponse);
    EXPECT_FLOAT_EQ(out.packetloss, 12.5f);
    EXPECT_EQ(out.status, 6);
    EXPECT_TRUE(out.filtered);
    EXPECT_EQ(out.ksversion, "1.2.3.4");
    EXPECT_TRUE(out.proxy);
    EXPECT_TRUE(out.proxytarget);
    EXPECT_EQ(out.proxyaddress, "192.168.0.9:27020");
    EXPECT_EQ(out.proxyIp, inet_addr("192.168.0.9"));
    EXPECT_EQ(out.proxyPort, 27020);
    EXPECT_DOUBLE_EQ(out.pingSamples[0], 0.05);
    EXPECT_DOUBLE_EQ(out.pingSamples[31], 0.25);
    EXPECT_EQ(out.pingSamples[1], 0.0);
    // Rules come back in reverse order.
    const std::vector<std::pair<std::string, std::string>> reversed = {{"mp_timelimit", "30"}, {"sv_gravity", "800"}};
    EXPECT_EQ(Rules(out), reversed);
    ASSERT_TRUE(out.players);
    EXPECT_EQ(out.fullmax, 32);
    ASSERT_EQ(out.players->size(), 32u);
    ASSERT_TRUE((*out.players)[5]);
    EXPECT_FALSE((*out.players)[4]);
    const CPlayerInfo& p = *(*out.players)[5];
    EXPECT_EQ(p.name, "Ace");
    EXPECT_EQ(p.id, 4);
    EXPECT_EQ(p.colors, 77);
    EXPECT_EQ(p.frags, -3);
    EXPECT_EQ(p.time, 601);
}

TEST(ServerRecordText, LinesAreQuotedTabIndentedAndInOrder)
{
    CServerInfo r("1.2.3.4", 27015);
    r.svping = 0.125;
    const std::string text = Written(r);
    EXPECT_NE(text.find("\t{\r\n\t\t\"address\" \"1.2.3.4\"\r\n\t\t\"port\" \"27015\"\r\n"), std::string::npos);
    EXPECT_NE(text.find("\t\t\"svping\" \"0.125000\"\r\n"), std::string::npos);
    EXPECT_NE(text.find("\t\t\"packetloss\" \"100.000000\"\r\n"), std::string::npos);
    EXPECT_NE(text.find("\t\t\"svtype\" \"l\"\r\n"), std::string::npos);
    const char* order[] = {
        "address",    "port",           "name",     "map",      "game",      "dir",   "url",         "dl",
        "maxplayers", "currentplayers", "protocol", "favorite", "ipx",       "mod",   "version",     "size",
        "svtype",     "svos",           "password", "svside",   "cldll",     "lan",   "svping",      "noresponse",
        "packetloss", "status",         "filtered", "fullmax",  "ksversion", "proxy", "proxytarget", "proxyaddress"};
    size_t at = 0;
    for (const char* key : order) {
        const size_t found = text.find("\t\t\"" + std::string(key) + "\" ", at);
        ASSERT_NE(found, std::string::npos) << key;
        at = found + 1;
    }
    EXPECT_EQ(text.substr(text.size() - 4), "\t}\r\n");
}

TEST(ServerRecordText, BlocksAreWrittenOnlyWhenThereIsSomethingToHold)
{
    CServerInfo r("1.2.3.4", 27015);
    std::string text = Written(r);
    EXPECT_EQ(text.find("\t\trules\r\n"), std::string::npos);
    EXPECT_EQ(text.find("\t\tplayers "), std::string::npos);
    EXPECT_EQ(text.find("\"ping"), std::string::npos);
    r.AllocatePlayerSlots();
    text = Written(r);
    EXPECT_NE(text.find("\t\tplayers 64\r\n\t\t{\r\n\t\t}\r\n\t}\r\n"), std::string::npos);
}

TEST(ServerRecordText, FieldConversions)
{
    CServerInfo r("?", 27015);
    r.SetField("SVTYPE", "");
    EXPECT_EQ(r.svtype, '\0');
    r.SetField("favorite", "7");
    EXPECT_TRUE(r.favorite);
    r.SetField("port", "  -12abc");
    EXPECT_EQ(r.port, -12);
    r.SetField("maxplayers", "99999999999999");
    EXPECT_EQ(r.maxplayers, 2147483647);
    r.SetField("nosuchkey", "1");
    r.SetField("proxyaddress", "10.0.0.1");
    EXPECT_EQ(r.proxyPort, 27015);
    EXPECT_EQ(r.proxyIp, inet_addr("10.0.0.1"));
    r.SetField("proxyaddress", "relay.example.invalid:27099");
    EXPECT_EQ(r.proxyIp, 0xffffffffu);
    EXPECT_EQ(r.proxyPort, 27099);
    r.SetField("ksversion", std::string(100, 'v'));
    EXPECT_EQ(r.ksversion, std::string(31, 'v'));
}

TEST(ServerRecordText, PingKeysOutsideTheTableAreIgnored)
{
    CServerInfo r("?", 27015);
    r.SetField("ping07", "0.5");
    r.SetField("PING31", "0.25");
    r.SetField("ping32", "9");
    r.SetField("ping99", "9");
    r.SetField("ping-1", "9");
    r.SetField("ping7x", "9");
    r.SetField("ping 1", "9");
    r.SetField("ping1", "9");
    EXPECT_DOUBLE_EQ(r.pingSamples[7], 0.5);
    EXPECT_DOUBLE_EQ(r.pingSamples[31], 0.25);
    double others = 0;
    for (int i = 0; i < CServerInfo::kPingSamples; ++i)
        if (i != 7 && i != 31)
            others += r.pingSamples[size_t(i)];
    EXPECT_EQ(others, 0.0);
}

TEST(ServerRecordText, ZeroServerTypeDoesNotCutTheText)
{
    CServerInfo in("?", 27015);
    in.svtype = '\0';
    in.svos = '\0';
    in.proxytarget = true;
    CServerInfo out("?", 27015);
    ASSERT_TRUE(RoundTrip(in, out));
    EXPECT_EQ(out.svtype, '\0');
    EXPECT_EQ(out.svos, '\0');
    EXPECT_TRUE(out.proxytarget);
}

TEST(ServerRecordText, QuotesFromTheNetworkCannotShiftTheFields)
{
    CServerInfo in("?", 27015);
    SetProxyAddress(in, "1.2.3.4\":99");
    in.AddRule("a\"b", "c\"d");
    in.AddRule("\"", "only a quote for a key");
    in.AddRule("}", "closing brace for a key");
    in.AllocatePlayerSlots();
    (*in.players)[0] = std::make_unique<CPlayerInfo>("x\" \"frags\" \"99");
    in.maxplayers = 12;
    CServerInfo out("?", 27015);
    ASSERT_TRUE(RoundTrip(in, out));
    EXPECT_EQ(out.proxyaddress, "1.2.3.4:99");
    EXPECT_EQ(out.maxplayers, 12);
    const std::vector<std::pair<std::string, std::string>> rules = {{"ab", "cd"}};
    EXPECT_EQ(Rules(out), rules);
    ASSERT_TRUE(out.players && (*out.players)[0]);
    EXPECT_EQ((*out.players)[0]->frags, 0);

    CServerInfo onlyUnstorable("?", 27015);
    onlyUnstorable.AddRule("\"\"", "x");
    EXPECT_EQ(Written(onlyUnstorable).find("\t\trules\r\n"), std::string::npos);
}

TEST(ServerRecordTextRead, PlayerIndexMustFitTheSlots)
{
    const std::string head = "{ \"name\" \"x\" players 64 { player ";
    CServerInfo ok("?", 27015);
    EXPECT_TRUE(ReadRecord(head + "63 { \"name\" \"last\" } } }", ok));
    ASSERT_TRUE(ok.players && (*ok.players)[63]);
    EXPECT_EQ((*ok.players)[63]->name, "last");
    CServerInfo bad("?", 27015);
    EXPECT_FALSE(ReadRecord(head + "70 { \"name\" \"x\" } } }", bad));
    CServerInfo negative("?", 27015);
    EXPECT_FALSE(ReadRecord(head + "-1 { \"name\" \"x\" } } }", negative));
}

TEST(ServerRecordTextRead, InsaneSlotCountsFailTheRecord)
{
    for (const char* count : {"-5", "100000000", "2147483647"}) {
        CServerInfo r("?", 27015);
        EXPECT_FALSE(ReadRecord(std::string("{ players ") + count + " { } }", r)) << count;
        EXPECT_FALSE(r.players && r.players->size() > size_t(CServerInfo::kMaxPlayerSlots));
    }
    CServerInfo r("?", 27015);
    r.SetField("fullmax", "1000000000");
    r.AllocatePlayerSlots();
    EXPECT_LE(r.players->size(), size_t(CServerInfo::kMaxPlayerSlots));
}

TEST(ServerRecordTextRead, GrammarFailures)
{
    RecordingPrompt prompt;
    ScopedPrompt scoped(prompt);
    CServerInfo r("?", 27015);
    EXPECT_FALSE(ReadRecord("", r));
    EXPECT_TRUE(prompt.texts.empty());
    EXPECT_FALSE(ReadRecord("\"name\" \"x\" }", r));
    ASSERT_EQ(prompt.texts.size(), 1u);
    EXPECT_EQ(prompt.texts[0], "Expecting '{', got 'name'");
    EXPECT_FALSE(ReadRecord("{ \"name\" \"x\"", r));
    EXPECT_FALSE(ReadRecord("{ players 4 { junk } }", r));
    EXPECT_FALSE(ReadRecord("{ players 4 { player 1 \"name\" } }", r));
    EXPECT_FALSE(ReadRecord("{ \"name\" \"x\" server { } }", r));
}

TEST(ServerRecordTextRead, UnfinishedRulesBlockKeepsItsEntries)
{
    RecordingPrompt prompt;
    ScopedPrompt scoped(prompt);
    CServerInfo r("?", 27015);
    r.AddRule("old", "1");
    // A rules word without its block: the record goes on after the word.
    EXPECT_TRUE(ReadRecord("{ \"map\" \"a\" rules \"name\" \"b\" // note\r\n }", r));
    EXPECT_TRUE(r.rules.empty());
    EXPECT_EQ(r.map, "a");
    EXPECT_EQ(r.name, "b");
    EXPECT_EQ(prompt.texts.size(), 1u);
    CServerInfo full("?", 27015);
    EXPECT_TRUE(ReadRecord("{ rules { \"k1\" \"v1\" \"k2\" \"v2\" } \"map\" \"m\" }", full));
    const std::vector<std::pair<std::string, std::string>> reversed = {{"k2", "v2"}, {"k1", "v1"}};
    EXPECT_EQ(Rules(full), reversed);
    EXPECT_EQ(full.map, "m");
}

} // namespace
