#include "config/scripts/CInfoDescription.h"
#include "config/scripts/CServerDescription.h"
#include "support/CommaLocale.h"
#include "support/RecordingPrompt.h"
#include "support/SearchTree.h"

#include <QFile>
#include <gtest/gtest.h>

#include <map>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char kScript[] = "// a comment before everything\r\n"
                       "VERSION 1.0\r\n"
                       "DESCRIPTION SERVER_OPTIONS\r\n"
                       "{\r\n"
                       "  \"hostname\" { \"Server // name\" { STRING } { \"My server\" } }\r\n"
                       "  \"maxplayers\" { \"Max players\" { NUMBER 1 32 } { \"8\" } }\r\n"
                       "  \"mp_teamplay\" // between braces\r\n"
                       "  { \"Teams\" { BOOL } { \"1\" } SetInfo }\r\n"
                       "  \"map\" { \"Map\" { LIST \"First\" \"0\" \"Second\" \"1\" \"Third\" \"2\" } { \"1\" } }\r\n"
                       "}\r\n";

std::tm Stamp(int hour, int minute)
{
    std::tm t{};
    t.tm_year = 126;
    t.tm_mon = 11;
    t.tm_mday = 8;
    t.tm_wday = 2;
    t.tm_hour = hour;
    t.tm_min = minute;
    return t;
}

CDescriptionOption NumberOption(float min, float max, float current)
{
    CDescriptionOption option;
    option.type = OptionType::Number;
    option.cvar = "n";
    option.prompt = "N";
    option.min = min;
    option.max = max;
    option.SetDefault("0");
    option.currentValue = current;
    return option;
}

std::string SettingsLine(CServerDescription& description)
{
    std::string out;
    description.WriteSettings(out, Stamp(1, 0));
    return out.substr(out.rfind("\r\n\r\n") + 4);
}

} // namespace

TEST(DescriptionParse, ReadsEveryOptionType)
{
    RecordingPrompt prompt;
    CServerDescription description;
    ASSERT_TRUE(description.ParseText(kScript));
    EXPECT_TRUE(prompt.Texts().empty());
    const auto& options = description.Options();
    ASSERT_EQ(options.size(), 4u);
    EXPECT_EQ(options[0].cvar, "hostname");
    EXPECT_EQ(options[0].prompt, "Server // name");
    EXPECT_EQ(options[0].type, OptionType::String);
    EXPECT_EQ(options[0].currentText, "My server");
    EXPECT_EQ(options[1].type, OptionType::Number);
    EXPECT_EQ(options[1].min, 1.0f);
    EXPECT_EQ(options[1].max, 32.0f);
    EXPECT_EQ(options[1].defaultValue, 8.0f);
    EXPECT_EQ(options[2].type, OptionType::Bool);
    EXPECT_TRUE(options[2].setInfo);
    EXPECT_FALSE(options[1].setInfo);
    ASSERT_EQ(options[3].list.size(), 3u);
    EXPECT_EQ(options[3].list[1].label, "Second");
    EXPECT_EQ(options[3].list[2].value, "2");
    EXPECT_EQ(options[3].currentValue, 1.0f);
}

TEST(DescriptionParse, PositionIsLeftAfterTheClosingBrace)
{
    CServerDescription description;
    const std::string text = "VERSION 1 DESCRIPTION SERVER_OPTIONS { } trailing";
    const char* position = text.c_str();
    ASSERT_TRUE(description.Parse(position));
    EXPECT_STREQ(position, " trailing");
}

TEST(DescriptionParse, KeywordsAndNameIgnoreCase)
{
    RecordingPrompt prompt;
    CServerDescription description;
    EXPECT_TRUE(description.ParseText("version 1.0 description server_options { }"));
    EXPECT_TRUE(description.Options().empty());
    EXPECT_TRUE(prompt.Texts().empty());
}

TEST(DescriptionParse, VersionMustBeExactlyOne)
{
    for (const char* good : {"1", "1.0"}) {
        CServerDescription description;
        EXPECT_TRUE(
            description.ParseText((std::string("VERSION ") + good + " DESCRIPTION SERVER_OPTIONS { }").c_str()));
    }
    const std::map<std::string, std::string> bad = {
        {"1.00001", "Version mismatch, expecting 1.000000, got 1.000010"},
        {"2", "Version mismatch, expecting 1.000000, got 2.000000"},
    };
    for (const auto& [version, message] : bad) {
        RecordingPrompt prompt;
        CServerDescription description;
        EXPECT_FALSE(description.ParseText(("VERSION " + version + " DESCRIPTION SERVER_OPTIONS { }").c_str()));
        EXPECT_EQ(prompt.Texts(), std::vector<std::string>{message});
    }
}

TEST(DescriptionParse, HeaderErrorsNameTheTokenRead)
{
    const std::map<std::string, std::string> cases = {
        {"VERSIONS 1", "Expecting 'VERSION', got 'VERSIONS'"},
        {"VERSION", "Expecting version #"},
        {"VERSION 1 DESC", "Expecting 'DESCRIPTION', got 'DESC'"},
        {"VERSION 1 DESCRIPTION", "Expecting 'INFO_OPTIONS'"},
        {"VERSION 1 DESCRIPTION SERVER_OPTIONS {", "Expecting INFO_OPTIONS, got SERVER_OPTIONS"},
        {"VERSION 1 DESCRIPTION INFO_OPTIONS (", "Expecting '{', got '('"},
    };
    for (const auto& [text, message] : cases) {
        RecordingPrompt prompt;
        CInfoDescription description;
        EXPECT_FALSE(description.ParseText(text.c_str())) << text;
        EXPECT_EQ(prompt.Texts(), std::vector<std::string>{message}) << text;
    }
    for (const char* silent : {"", "// only a comment", "VERSION 1", "VERSION 1 DESCRIPTION INFO_OPTIONS",
                               "VERSION 1 DESCRIPTION INFO_OPTIONS { \"a\" { \"A\" { BOOL } { \"1\" } }"}) {
        RecordingPrompt prompt;
        CInfoDescription description;
        EXPECT_FALSE(description.ParseText(silent)) << silent;
        EXPECT_TRUE(prompt.Texts().empty()) << silent;
    }
}

TEST(DescriptionParse, UnknownTypeKeepsEarlierOptions)
{
    RecordingPrompt prompt;
    CServerDescription description;
    EXPECT_FALSE(description.ParseText("VERSION 1 DESCRIPTION SERVER_OPTIONS {"
                                       " a { A { bool } { 1 } }"
                                       " b { B { FLOAT } { 1 } } c { C { BOOL } { 0 } } }"));
    ASSERT_EQ(description.Options().size(), 1u);
    EXPECT_EQ(description.Options()[0].cvar, "a");
    EXPECT_EQ(prompt.Texts(), std::vector<std::string>{"Type 'FLOAT' unknown"});
}

TEST(DescriptionParse, BraceMismatchUsesTheOpeningBraceWords)
{
    RecordingPrompt prompt;
    CServerDescription description;
    EXPECT_FALSE(description.ParseText("VERSION 1 DESCRIPTION SERVER_OPTIONS { a { A { BOOL ] { 1 } } }"));
    EXPECT_EQ(prompt.Texts(), std::vector<std::string>{"Expecting '{', got ']'"});
}

TEST(DescriptionParse, ListLabelWithoutValueFailsSilently)
{
    RecordingPrompt prompt;
    CServerDescription description;
    EXPECT_FALSE(description.ParseText("VERSION 1 DESCRIPTION SERVER_OPTIONS { m { M { LIST \"One\" \"0\" \"Two\""));
    EXPECT_TRUE(description.Options().empty());
    EXPECT_TRUE(prompt.Texts().empty());
}

TEST(DescriptionParse, ExplicitEmptyValueIsKept)
{
    RecordingPrompt prompt;
    CServerDescription description;
    EXPECT_TRUE(description.ParseText("VERSION 1 DESCRIPTION SERVER_OPTIONS {"
                                      " sv_password { \"Password\" { STRING } { \"\" } }"
                                      " later { Later { BOOL } { \"1\" } } }"));
    ASSERT_EQ(description.Options().size(), 2u);
    EXPECT_EQ(description.Options()[0].currentText, "");
}

TEST(DescriptionParse, OverlongListTextsAreCut)
{
    CServerDescription description;
    const std::string text = "VERSION 1 DESCRIPTION SERVER_OPTIONS { m { M { LIST \"" + std::string(300, 'l') +
                             "\" \"" + std::string(300, 'v') + "\" } { 0 } } }";
    ASSERT_TRUE(description.ParseText(text.c_str()));
    EXPECT_EQ(description.Options()[0].list[0].label.size(), CDescriptionListEntry::kMaxLabel);
    EXPECT_EQ(description.Options()[0].list[0].value.size(), CDescriptionListEntry::kMaxValue);
}

TEST(DescriptionValues, NumbersAreClampedOnlyInTheSettingsFile)
{
    EXPECT_EQ(NumberOption(1, 32, 40).ValueText(), "32.000000");
    EXPECT_EQ(NumberOption(1, 32, 0).ValueText(), "1.000000");
    EXPECT_EQ(NumberOption(-1, -1, 40).ValueText(), "40.000000");
    CDescriptionOption option = NumberOption(1, 32, 40);
    std::string layout;
    option.WriteLayout(layout);
    EXPECT_NE(layout.find("\t\t{ NUMBER 1.000000 32.000000 }\r\n\t\t{ \"40.000000\" }\r\n"), std::string::npos);
}

TEST(DescriptionValues, ListIndexOutsideTheListWritesZero)
{
    CServerDescription description;
    ASSERT_TRUE(description.ParseText(kScript));
    CDescriptionOption& map = description.Options()[3];
    map.currentValue = 5;
    EXPECT_EQ(map.ValueText(), "0.0");
    map.currentValue = 2.9f;
    EXPECT_EQ(map.ValueText(), "2");
    map.currentValue = -3;
    EXPECT_EQ(map.ValueText(), "0.0");
}

TEST(DescriptionValues, BoolsInLayoutAndSettings)
{
    CDescriptionOption option;
    option.cvar = "b";
    option.prompt = "B";
    option.currentValue = 0.5f;
    EXPECT_EQ(option.ValueText(), "1");
    std::string layout;
    option.WriteLayout(layout);
    EXPECT_NE(layout.find("{ \"0\" }"), std::string::npos);
}

TEST(DescriptionValues, ListChoiceStoresTheEntryIndex)
{
    CServerDescription description;
    ASSERT_TRUE(description.ParseText("VERSION 1 DESCRIPTION SERVER_OPTIONS { map { Map { LIST"
                                      " Crossfire crossfire Bounce bounce } { 1 } } }"));
    CDescriptionOption& map = description.Options()[0];
    map.SetCurrentListEntry(0);
    EXPECT_EQ(map.currentText, "crossfire");
    EXPECT_EQ(map.ValueText(), "crossfire");
    map.SetCurrentListEntry(-1);
    EXPECT_EQ(map.ValueText(), "bounce");
    map.SetCurrentListEntry(7);
    EXPECT_EQ(map.currentText, "1");
}

TEST(DescriptionWrite, QuotesAndPercentSignsAreDropped)
{
    RecordingPrompt prompt;
    CServerDescription description;
    ASSERT_TRUE(description.ParseText("VERSION 1 DESCRIPTION SERVER_OPTIONS {"
                                      " sv_msg { \"100% sure\" { STRING } { \"50%\" } }"
                                      " q { \"\"\" { BOOL } { 1 } } }"));
    ASSERT_EQ(description.Options().size(), 2u);
    EXPECT_EQ(description.Options()[1].prompt, "\"");
    description.Options()[0].cvar = "sv_\"msg%";
    std::string layout;
    description.WriteLayout(layout, Stamp(9, 0));
    EXPECT_NE(layout.find("\t\"sv_msg\"\r\n\t{\r\n\t\t\"100 sure\"\r\n\t\t{ STRING }\r\n\t\t{ \"50\" }"),
              std::string::npos);
    EXPECT_EQ(description.Options()[0].prompt, "100 sure");
    EXPECT_EQ(SettingsLine(description), "\"sv_msg\"\t\t\"50\"\r\n\"q\"\t\t\"1\"\r\n");

    // The emptied prompt is written as "" and still reads back.
    CServerDescription again;
    ASSERT_TRUE(again.ParseText(layout.c_str()));
    ASSERT_EQ(again.Options().size(), 2u);
    EXPECT_EQ(again.Options()[1].prompt, "");
    EXPECT_TRUE(prompt.Texts().empty());
}

TEST(DescriptionWrite, WrittenScriptReadsBackWithCurrentValuesAsDefaults)
{
    CServerDescription first;
    ASSERT_TRUE(first.ParseText(kScript));
    first.Options()[0].SetCurrent("Other name");
    first.Options()[1].SetCurrent("12");
    first.Options()[2].SetCurrent("0");
    first.Options()[3].SetCurrentListEntry(2);
    std::string layout;
    first.WriteLayout(layout, Stamp(15, 45));

    RecordingPrompt prompt;
    CServerDescription second;
    ASSERT_TRUE(second.ParseText(layout.c_str()));
    EXPECT_TRUE(prompt.Texts().empty());
    ASSERT_EQ(second.Options().size(), first.Options().size());
    for (size_t i = 0; i < first.Options().size(); ++i) {
        const CDescriptionOption& a = first.Options()[i];
        const CDescriptionOption& b = second.Options()[i];
        EXPECT_EQ(a.cvar, b.cvar);
        EXPECT_EQ(a.prompt, b.prompt);
        EXPECT_EQ(a.type, b.type);
        EXPECT_EQ(a.min, b.min);
        EXPECT_EQ(a.max, b.max);
        EXPECT_EQ(a.setInfo, b.setInfo);
        EXPECT_EQ(a.currentValue, b.defaultValue) << a.cvar;
        ASSERT_EQ(a.list.size(), b.list.size());
        for (size_t k = 0; k < a.list.size(); ++k) {
            EXPECT_EQ(a.list[k].label, b.list[k].label);
            EXPECT_EQ(a.list[k].value, b.list[k].value);
        }
    }
    EXPECT_EQ(second.Options()[0].defaultText, "Other name");
}

// Scripts are the same text for every player: a comma locale neither reads "0.5" as 0
// nor writes "0,500000".
TEST(DescriptionWrite, CommaLocaleKeepsThePointInScriptsAndSettings)
{
    ScopedCommaLocale comma;
    if (!comma.Active())
        GTEST_SKIP() << ScopedCommaLocale::kMissing;
    RecordingPrompt prompt;
    CServerDescription description;
    ASSERT_TRUE(description.ParseText("VERSION 1.0 DESCRIPTION SERVER_OPTIONS {"
                                      " \"sv_gravity\" { \"Gravity\" { NUMBER 0.5 2.5 } { \"1.25\" } } }"));
    EXPECT_TRUE(prompt.Texts().empty());
    ASSERT_EQ(description.Options().size(), 1u);
    const CDescriptionOption& option = description.Options()[0];
    EXPECT_EQ(option.min, 0.5f);
    EXPECT_EQ(option.max, 2.5f);
    EXPECT_EQ(option.currentValue, 1.25f);
    EXPECT_EQ(option.ValueText(), "1.250000");
    std::string layout;
    description.WriteLayout(layout, Stamp(9, 5));
    EXPECT_NE(layout.find("VERSION 1.0\r\n"), std::string::npos) << layout;
    EXPECT_NE(layout.find("{ NUMBER 0.500000 2.500000 }"), std::string::npos) << layout;
    EXPECT_NE(layout.find("{ \"1.250000\" }"), std::string::npos) << layout;
}

TEST(DescriptionWrite, TimeStampUsesATwelveHourClock)
{
    EXPECT_EQ(CDescription::TimeStampLine(Stamp(12, 30)), "// File generated:  Tue Dec  8 12:30:00 PM\r\n");
    EXPECT_EQ(CDescription::TimeStampLine(Stamp(0, 30)), "// File generated:  Tue Dec  8 12:30:00 AM\r\n");
    EXPECT_EQ(CDescription::TimeStampLine(Stamp(13, 5)), "// File generated:  Tue Dec  8 01:05:00 PM\r\n");
    EXPECT_EQ(CDescription::TimeStampLine(Stamp(11, 59)), "// File generated:  Tue Dec  8 11:59:00 AM\r\n");
}

TEST(DescriptionWrite, LayoutHeaderOfEachDescription)
{
    CServerDescription server;
    CInfoDescription info;
    std::string serverText;
    std::string infoText;
    server.WriteLayout(serverText, Stamp(12, 0));
    info.WriteLayout(infoText, Stamp(12, 0));

    // 31 note lines, two empty lines, title, stamp, the cvar lines, version, name.
    size_t lines = 0;
    for (size_t pos = 0; (pos = server.Note().find("\r\n", pos)) != std::string::npos; pos += 2)
        ++lines;
    EXPECT_EQ(lines, 33u);
    EXPECT_EQ(server.Note().substr(server.Note().size() - 6), "\r\n\r\n\r\n");
    EXPECT_EQ(serverText.rfind("// NOTE:  THIS FILE IS AUTOMATICALLY REGENERATED, \r\n", 0), 0u);
    EXPECT_NE(serverText.find("DO\r\n// Multiplayer options script\r\n//\r\n"), std::string::npos);
    EXPECT_NE(infoText.find("DO\r\n// User options script\r\n//\r\n"), std::string::npos);
    EXPECT_NE(serverText.find("//  Options description followed by \r\n"), std::string::npos);
    EXPECT_NE(serverText.find("//  type = \r\n"), std::string::npos);
    const std::string serverTail =
        "\r\n\r\n// Kestrel Server Configuration Layout Script (stores last settings chosen, too)\r\n"
        "// File generated:  Tue Dec  8 12:00:00 PM\r\n//\r\n//\r\n// Cvar\t-\tSetting\r\n\r\n"
        "VERSION 1.0\r\n\r\nDESCRIPTION SERVER_OPTIONS\r\n{\r\n}\r\n";
    EXPECT_EQ(serverText.substr(serverText.size() - serverTail.size()), serverTail);
    EXPECT_NE(infoText.find("// Kestrel User Info Configuration Layout Script (stores last settings chosen, too)\r\n"),
              std::string::npos);
    EXPECT_NE(infoText.find("DESCRIPTION INFO_OPTIONS\r\n{\r\n}\r\n"), std::string::npos);
}

TEST(DescriptionWrite, GameConfigHoldsOneLinePerOption)
{
    CServerDescription description;
    ASSERT_TRUE(description.ParseText(kScript));
    description.Options()[1].currentValue = 40;
    std::string out;
    description.WriteSettings(out, Stamp(12, 30));
    EXPECT_EQ(out, "// Kestrel Server Configuration Settings\r\n"
                   "// DO NOT EDIT, GENERATED BY KESTREL\r\n"
                   "// File generated:  Tue Dec  8 12:30:00 PM\r\n"
                   "//\r\n//\r\n// Cvar\t-\tSetting\r\n\r\n"
                   "\"hostname\"\t\t\"My server\"\r\n"
                   "\"maxplayers\"\t\t\"32.000000\"\r\n"
                   "\"mp_teamplay\"\t\t\"1\"\r\n"
                   "\"map\"\t\t\"1\"\r\n");
    CInfoDescription info;
    std::string infoOut;
    info.WriteSettings(infoOut, Stamp(12, 30));
    EXPECT_EQ(infoOut.rfind("// Kestrel User Info Configuration Settings\r\n", 0), 0u);
}

TEST(DescriptionConfig, ValuesComeFromAndGoToTheConfigurationFile)
{
    CInfoDescription description;
    ASSERT_TRUE(description.ParseText("VERSION 1 DESCRIPTION INFO_OPTIONS {"
                                      " model { Model { STRING } { pilgrim } SetInfo }"
                                      " rate { Rate { NUMBER 1000 -1 } { 2500 } } }"));
    description.LoadFromConfig([](const std::string& cvar) -> std::optional<std::string> {
        if (cvar == "rate")
            return std::string("9999");
        return std::nullopt;
    });
    EXPECT_EQ(description.Options()[0].defaultText, "pilgrim");
    EXPECT_EQ(description.Options()[1].defaultText, "9999");
    EXPECT_EQ(description.Options()[1].currentValue, 9999.0f);

    std::vector<std::string> written;
    description.ApplyToConfig([&](const std::string& cvar, const std::string& value, bool setInfo) {
        written.push_back(cvar + "=" + value + (setInfo ? " setinfo" : ""));
    });
    EXPECT_EQ(written, (std::vector<std::string>{"model=pilgrim setinfo", "rate=9999.000000"}));
}

TEST(DescriptionFiles, ReadThroughTheGameFileSearch)
{
    RecordingPrompt prompt;
    SearchTree tree;
    CServerDescription missing;
    EXPECT_FALSE(missing.ReadFromFile("settings.scr"));
    tree.WriteBase("settings.scr", kScript);
    CServerDescription found;
    EXPECT_TRUE(found.ReadFromFile("settings.scr"));
    EXPECT_EQ(found.Options().size(), 4u);
    tree.WriteGame("settings.scr", "VERSION 2");
    CServerDescription broken;
    EXPECT_TRUE(broken.ReadFromFile("settings.scr"));
    EXPECT_EQ(prompt.Texts().size(), 1u);
}

TEST(DescriptionFiles, SaveWritesGameConfigAndScriptEvenOverReadOnlyFiles)
{
    SearchTree tree;
    tree.WriteGame("settings.scr", "old");
    const std::string script = tree.GameDirectory().toStdString() + "/settings.scr";
    ASSERT_EQ(::chmod(script.c_str(), 0444), 0);

    CServerDescription description;
    ASSERT_TRUE(description.ParseText(kScript));
    ASSERT_TRUE(description.Save(tree.GameDirectory().toStdString()));
    const QByteArray config = tree.Tree().Read("vrel/game.cfg");
    const QByteArray regenerated = tree.Tree().Read("vrel/settings.scr");
    EXPECT_TRUE(config.contains("\"maxplayers\"\t\t\"8.000000\"\r\n"));
    EXPECT_TRUE(regenerated.startsWith("// NOTE:"));
    EXPECT_FALSE(regenerated.contains("\n\n")); // every line ends in CR LF
    struct stat st = {};
    ASSERT_EQ(::stat(script.c_str(), &st), 0);
    EXPECT_TRUE(st.st_mode & S_IWUSR);

    CServerDescription again;
    EXPECT_TRUE(again.ReadFromFile("settings.scr"));
    EXPECT_EQ(again.Options().size(), 4u);

    CInfoDescription info;
    EXPECT_TRUE(info.Save(tree.GameDirectory().toStdString()));
    EXPECT_TRUE(tree.Tree().Read("vrel/user.scr").contains("DESCRIPTION INFO_OPTIONS\r\n{\r\n}\r\n"));
}

TEST(DescriptionFiles, FailedWriteLeavesTheOldFile)
{
    SearchTree tree;
    CServerDescription description;
    // A folder that does not exist cannot receive the file.
    EXPECT_FALSE(description.SaveSettings(tree.Tree().PathStd() + "/none/game.cfg"));
    EXPECT_FALSE(tree.Tree().Exists("none/game.cfg"));

    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not stop the superuser";
    tree.WriteGame("game.cfg", "old contents");
    const std::string folder = tree.GameDirectory().toStdString();
    ASSERT_EQ(::chmod(folder.c_str(), 0555), 0);
    EXPECT_FALSE(description.Save(folder));
    ::chmod(folder.c_str(), 0755);
    EXPECT_EQ(tree.Tree().Read("vrel/game.cfg"), QByteArray("old contents"));
}
