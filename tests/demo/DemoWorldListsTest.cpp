// The text lists of the demo world, read token by token as the launcher reads them.
#include "DemoTreeFixture.h"

#include "app/files/SearchPath.h"
#include "app/settings/ZorvanInf.h"
#include "config/player/PlayerConfig.h"
#include "config/player/PlayerConfigStore.h"
#include "demo/KeyListWriter.h"
#include "demo/ListWriter.h"

#include <QMap>
#include <QRegularExpression>
#include <QSet>

#include <cstdio>

TEST_F(DemoTreeTest, StringListIsPairsOfNumberAndText)
{
    const QStringList tokens = QuotedTokens(Read("vrel/gfx/shell/strings.lst"), true);
    ASSERT_FALSE(tokens.isEmpty());
    ASSERT_EQ(tokens.size() % 2, 0);
    QSet<int> numbers;
    for (qsizetype i = 0; i < tokens.size(); i += 2) {
        bool ok = false;
        numbers << tokens[i].toInt(&ok);
        EXPECT_TRUE(ok) << tokens[i].toStdString();
        EXPECT_FALSE(tokens[i + 1].isEmpty());
    }
    EXPECT_TRUE(numbers.contains(78));
    const qsizetype cell = tokens.indexOf("78");
    EXPECT_EQ(tokens[cell + 1], "156 26");
}

TEST_F(DemoTreeTest, ColourListIsGroupsOfNameAndThreeBytes)
{
    const QStringList tokens = QuotedTokens(Read("vrel/gfx/shell/colors.lst"), true);
    ASSERT_EQ(tokens.size() % 4, 0);
    QSet<QString> names;
    for (qsizetype i = 0; i < tokens.size(); i += 4) {
        names << tokens[i];
        EXPECT_LE(tokens[i].size(), 31);
        for (int c = 1; c <= 3; ++c) {
            bool ok = false;
            const int value = tokens[i + c].toInt(&ok);
            EXPECT_TRUE(ok && value >= 0 && value <= 255) << tokens[i + c].toStdString();
        }
    }
    for (const char* name : {"PROMPT_TEXT_COLOR", "PROMPT_BG_COLOR", "INPUT_TEXT_COLOR", "REFRESH_BG_COLOR"})
        EXPECT_TRUE(names.contains(name)) << name;
    const qsizetype prompt = tokens.indexOf("PROMPT_TEXT_COLOR");
    EXPECT_EQ(tokens.mid(prompt + 1, 3), QStringList({"255", "180", "24"}));
}

TEST_F(DemoTreeTest, ServiceAddressListPointsOnlyAtLoopback)
{
    const QByteArray text = Read("vrel/kavcomm.lst");
    const QStringList tokens = QuotedTokens(text, true);
    // Section name, "{", entries, "}".
    QSet<QString> sections;
    for (qsizetype i = 0; i < tokens.size();) {
        sections << tokens[i].toLower();
        ASSERT_LT(i + 1, tokens.size());
        EXPECT_EQ(tokens[i + 1], "{");
        i += 2;
        while (i < tokens.size() && tokens[i] != "}") {
            EXPECT_TRUE(tokens[i].startsWith("127.0.0.1:")) << tokens[i].toStdString();
            ++i;
        }
        ASSERT_LT(i, tokens.size()) << "section without its closing brace";
        ++i;
    }
    EXPECT_EQ(sections, QSet<QString>({"pylon", "auth", "master", "modserver"}));
    EXPECT_TRUE(text.contains("127.0.0.1:27010"));
    const QRegularExpression address("\\b(\\d+)\\.\\d+\\.\\d+\\.\\d+");
    for (const auto& match : address.globalMatch(QString::fromUtf8(text)))
        EXPECT_EQ(match.captured(1), "127");
}

TEST_F(DemoTreeTest, KeyListHasOneEntryPerKeyNumber)
{
    const QStringList tokens = QuotedTokens(Read("vrel/gfx/shell/kb_keys.lst"), false);
    int entries = 0;
    QSet<QString> names;
    for (qsizetype i = 0; i < tokens.size(); ++entries) {
        ASSERT_LE(i + 3, tokens.size() - 1) << "entry " << entries << " cut short";
        EXPECT_EQ(tokens[i], QString::number(entries));
        if (!tokens[i + 1].startsWith("<UNK", Qt::CaseInsensitive))
            names << tokens[i + 1].toUpper();
        const bool coloured = tokens[i + 3].startsWith("COLOR", Qt::CaseInsensitive);
        i += coloured ? 7 : 4;
    }
    EXPECT_EQ(entries, KeyListWriter::kKeyCount);
    for (const char* name : {"W", "MOUSE1", "F12", "KP_ENTER", "MWHEELUP", "AUX32", "PAUSE", "`"})
        EXPECT_TRUE(names.contains(name)) << name;

    // Every default binding names a known key and an action of the keyboard dialog.
    const QStringList defaults = QuotedTokens(Read("vrel/gfx/shell/kb_def.lst"), false);
    const QStringList actions = QuotedTokens(Read("vrel/gfx/shell/kb_act.lst"), false);
    ASSERT_EQ(defaults.size() % 2, 0);
    ASSERT_EQ(actions.size() % 2, 0);
    QSet<QString> commands;
    for (qsizetype i = 0; i < actions.size(); i += 2)
        commands << actions[i];
    for (qsizetype i = 0; i < defaults.size(); i += 2) {
        EXPECT_TRUE(names.contains(defaults[i].toUpper())) << defaults[i].toStdString();
        EXPECT_TRUE(commands.contains(defaults[i + 1])) << defaults[i + 1].toStdString();
    }
}

TEST_F(DemoTreeTest, GameDescriptionMarksAnInstalledGame)
{
    const QStringList tokens = QuotedTokens(Read("vrel/liblist.gam"), true);
    ASSERT_EQ(tokens.size() % 2, 0);
    QMap<QString, QString> keys;
    for (qsizetype i = 0; i < tokens.size(); i += 2)
        keys[tokens[i].toLower()] = tokens[i + 1];
    EXPECT_TRUE(keys.contains("gamedll"));
    EXPECT_EQ(keys.value("gamedir"), "vrel");
    EXPECT_EQ(keys.value("game"), ListWriter::kGameName);
    EXPECT_EQ(keys.value("mpentity"), "info_player_deathmatch");
    FILE* file = nullptr;
    EXPECT_GT(COM_FindFile("maps/" + keys.value("startmap").toStdString() + ".bsp", nullptr, &file), 0);
    if (file)
        std::fclose(file);
}

TEST_F(DemoTreeTest, BaseGameDescriptionIsFoundBehindTheGameDirectory)
{
    const QStringList tokens = QuotedTokens(Read("harrow/liblist.gam"), true);
    ASSERT_EQ(tokens.size() % 2, 0);
    EXPECT_TRUE(tokens.contains("gamedll"));
    EXPECT_EQ(tokens.value(tokens.indexOf("gamedir") + 1), "harrow");
    // The game directory's own description comes first in the search.
    const auto text = LoadFile("liblist.gam");
    ASSERT_TRUE(text);
    EXPECT_NE(std::string(text.get()).find(ListWriter::kGameName), std::string::npos);
}

TEST_F(DemoTreeTest, InstallationFileGivesPatchVersionAndTitle)
{
    const InstallIdent ident = ReadZorvanInf(Abs("zorvan.inf").toStdString());
    EXPECT_EQ(ident.patchVersion, ListWriter::kPatchVersion);
    EXPECT_EQ(ident.shortTitle, ListWriter::kShortTitle);
}

TEST_F(DemoTreeTest, TextFilesEndTheirLinesWithCrLf)
{
    for (const char* name : {"vrel/kavcomm.lst", "vrel/liblist.gam", "vrel/gfx/shell/strings.lst", "vrel/settings.scr"}) {
        const QByteArray text = Read(name);
        EXPECT_TRUE(text.endsWith("\r\n")) << name;
        EXPECT_EQ(text.count('\n'), text.count("\r\n")) << name;
    }
}

TEST_F(DemoTreeTest, PlayerConfigurationLoadsWithTheLinesTheLauncherKeeps)
{
    ASSERT_TRUE(LoadPlayerConfig());
    const PlayerConfig& config = *ThePlayerConfig();
    EXPECT_EQ(config.bindings[size_t(KeyNameSlot("w"))].command, "+forward");
    EXPECT_EQ(config.bindings[size_t(KeyNameSlot("MOUSE1"))].command, "+attack");
    EXPECT_EQ(config.name, "Demo Player");
    EXPECT_EQ(config.mlook, 1);
    EXPECT_EQ(GetConfigValue(kPlayerConfigFile, "exec"), "demo.cfg");
    EXPECT_EQ(GetConfigValue(kPlayerConfigFile, "model"), "pilgrim");
    SetPlayerConfig(std::nullopt);
}
