// The create-server request's rules, the dedicated server's argument list, the listen
// server's console text and the game.cfg variables a server reports.
#include "config/server/CreateServerRequest.h"
#include "config/server/GameConfigRules.h"
#include "config/server/ServerCommandText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

CreateServerRequest Request(bool lan)
{
    return CreateServerRequest::FromTexts("Ann's \"100%\" server", "12", "fal\"con", "ashfall.bsp", true, lan);
}

TEST(CreateServerRequestRules, MaxPlayersIsClampedAndNeverOverflows)
{
    EXPECT_EQ(ParseMaxPlayers("1"), 2);
    EXPECT_EQ(ParseMaxPlayers("40"), 32);
    EXPECT_EQ(ParseMaxPlayers("abc"), 2);
    EXPECT_EQ(ParseMaxPlayers("99999999999"), 32);
    EXPECT_EQ(ParseMaxPlayers("-99999999999"), 2);
    EXPECT_EQ(ParseMaxPlayers(" 12x"), 12);
}

TEST(CreateServerRequestRules, MapEntryIsCutAtItsFirstDot)
{
    EXPECT_EQ(MapNameFromEntry("x.bsp"), "x");
    EXPECT_EQ(MapNameFromEntry("a.b.bsp"), "a");
    EXPECT_EQ(MapNameFromEntry(""), "unknown");
    EXPECT_EQ(MapNameFromEntry(std::string(40, 'm') + ".bsp"), std::string(31, 'm'));
}

TEST(CreateServerRequestRules, HostNameAndPasswordLoseQuotesAndControlCharacters)
{
    EXPECT_EQ(CleanServerText("a\"b\nc\td\x7F" "e;%"), "abcde;%");
    EXPECT_EQ(CleanServerText(std::string(80, 'h')).size(), 63u);
    const CreateServerRequest request = Request(true);
    EXPECT_EQ(request.hostName, "Ann's 100% server");
    EXPECT_EQ(request.password, "falcon");
    EXPECT_EQ(request.maxPlayers, 12);
    EXPECT_EQ(request.map, "ashfall");
}

TEST(DedicatedServerArguments, LanAndInternetWithAndWithoutACustomGame)
{
    EXPECT_EQ(DedicatedServerArguments(Request(true), ""),
              (std::vector<std::string>{"+sv_lan", "1", "+maxplayers", "12", "+sv_password", "falcon", "+hostname",
                                        "Ann's 100% server", "+map", "ashfall"}));
    EXPECT_EQ(DedicatedServerArguments(Request(false), "ctf"),
              (std::vector<std::string>{"+maxplayers", "12", "+sv_password", "falcon", "+hostname",
                                        "Ann's 100% server", "+map", "ashfall", "-game", "ctf"}));
}

TEST(ListenServerText, LanAndInternetQuoteTheCleanedTexts)
{
    EXPECT_EQ(ListenServerCommandText(Request(true)),
              "disconnect\nsv_lan 1\nsetmaster disable\nmaxplayers 12\nsv_password \"falcon\"\n"
              "hostname \"Ann's 100% server\"\nmap ashfall\n");
    EXPECT_EQ(ListenServerCommandText(Request(false)),
              "disconnect\nsv_lan 0\nsetmaster enable\nmaxplayers 12\nsv_password \"falcon\"\n"
              "hostname \"Ann's 100% server\"\nmap ashfall\n");
}

TEST(GameConfigRules, VariablesOfAGeneratedFileBecomeRules)
{
    const std::string cfg = "// Kestrel Server Configuration Settings\r\n"
                            "\"sv_gravity\"\t\t\"800\"\r\n"
                            "mp_fraglimit 30\r\n"
                            "\"hostname\"\t\t\"Big \\\"Room\"\r\n"
                            "lonely\r\n"
                            "\"SV_GRAVITY\"\t\t\"600\"\r\n";
    const std::vector<GameConfigRule> rules = ParseGameConfigRules(cfg.data(), cfg.size());
    ASSERT_EQ(rules.size(), 3u);
    EXPECT_EQ(rules[0], (GameConfigRule{"sv_gravity", "600"}));
    EXPECT_EQ(rules[1], (GameConfigRule{"mp_fraglimit", "30"}));
    EXPECT_EQ(rules[2].first, "hostname");
}

TEST(GameConfigRules, CountAndLengthsAreBounded)
{
    std::string cfg;
    for (int i = 0; i < 400; ++i)
        cfg += "v" + std::to_string(i) + " " + std::string(300, 'x') + "\n";
    const std::vector<GameConfigRule> rules = ParseGameConfigRules(cfg.data(), cfg.size());
    ASSERT_EQ(rules.size(), kMaxGameConfigRules);
    EXPECT_EQ(rules.back().second.size(), kMaxGameConfigText);
}

} // namespace
