// config.cfg: loading, saving and single-value edits keep the player's own lines.
#include "PlayerConfigFixture.h"

#include "app/settings/CommandLine.h"
#include "support/CommaLocale.h"

#include <QDir>
#include <QFile>

namespace {

const char kHandWritten[] = "// my settings\r\n"
                            "bind \"W\" \"+forward\"\r\n"
                            "bind \"F13\" \"say thirteen\"\r\n"
                            "exec other.cfg\r\n"
                            "fps_max \"60\"\n"
                            "+klook\n"
                            "setinfo model \"robot\"\n"
                            "cl_showfps\n"
                            "bindings \"5\"\n"
                            "fps_max \"100\"\n"
                            "alias go \"+forward; wait; -forward\"\n";

size_t LineIndex(const std::string& text, const std::string& line)
{
    const size_t at = ("\n" + text).find("\n" + line + "\n");
    return at == std::string::npos ? std::string::npos : at;
}

} // namespace

TEST_F(PlayerConfigFixture, HandWrittenFileSurvivesASaveInOrder)
{
    WriteConfig(kHandWritten);
    ASSERT_TRUE(LoadPlayerConfig());
    PlayerConfig& config = *ThePlayerConfig();
    EXPECT_EQ(config.bindings[size_t('w')].command, "+forward");
    EXPECT_EQ(config.model, "robot");
    config.name = "Ann";
    ASSERT_TRUE(SavePlayerConfig());

    const std::string text = ConfigText();
    EXPECT_EQ(text.rfind("unbindall\n", 0), 0u) << text;
    const char* const ordered[] = {
        "// my settings",          "bind \"w\" \"+forward\"", "bind \"F13\" \"say thirteen\"",
        "exec \"other.cfg\"",      "fps_max \"60\"",          "+klook",
        "setinfo model \"robot\"", "cl_showfps",              "bindings \"5\"",
        "fps_max \"100\"",         "alias go \"+forward; wait; -forward\"",
    };
    size_t previous = 0;
    for (const char* line : ordered) {
        const size_t at = LineIndex(text, line);
        ASSERT_NE(at, std::string::npos) << line << "\n" << text;
        EXPECT_GE(at, previous) << line;
        previous = at;
    }
    EXPECT_NE(LineIndex(text, "name \"Ann\""), std::string::npos);
    EXPECT_EQ(text.find('\r'), std::string::npos);
    // The variable that counts stays last, and a second save changes nothing.
    EXPECT_EQ(GetConfigValue(kPlayerConfigFile, "fps_max"), "100");
    const QByteArray once = ConfigBytes();
    ASSERT_TRUE(SavePlayerConfig());
    EXPECT_EQ(ConfigBytes(), once);
}

TEST_F(PlayerConfigFixture, DuplicateVariableChangesOnlyTheLastOccurrence)
{
    WriteConfig("volume \"0.1\"\nname \"x\"\nvolume \"0.2\"\n");
    ASSERT_TRUE(LoadPlayerConfig());
    EXPECT_FLOAT_EQ(ThePlayerConfig()->volume, 0.2f);
    ThePlayerConfig()->volume = 0.5f;
    ASSERT_TRUE(SavePlayerConfig());
    const std::string text = ConfigText();
    EXPECT_LT(LineIndex(text, "volume \"0.1\""), LineIndex(text, "volume \"0.500000\""));
    EXPECT_EQ(LineIndex(text, "volume \"0.2\""), std::string::npos);
}

TEST_F(PlayerConfigFixture, UnboundKeysLeaveTheFileAndUnknownKeysStay)
{
    WriteConfig("bind \"e\" \"+use\"\nbind \"F13\" \"say hi\"\nbind \"NOSUCH\" \"kill\"\n");
    ASSERT_TRUE(LoadPlayerConfig());
    // An unknown key does not take slot 0.
    EXPECT_FALSE(ThePlayerConfig()->bindings[0].command);
    ThePlayerConfig()->bindings[size_t('e')].command.reset();
    ASSERT_TRUE(SavePlayerConfig());
    const std::string text = ConfigText();
    EXPECT_EQ(text.find("+use"), std::string::npos);
    EXPECT_NE(LineIndex(text, "bind \"F13\" \"say hi\""), std::string::npos);
    EXPECT_NE(LineIndex(text, "bind \"NOSUCH\" \"kill\""), std::string::npos);
}

TEST_F(PlayerConfigFixture, StatementsEndAtTheirLineAndNulBytesDoNotCutTheFile)
{
    const char bytes[] = "cl_showfps\nvolume \"0.3\"\n\0\nname \"Bea\"\n";
    WriteConfig(QByteArray(bytes, sizeof bytes - 1));
    ASSERT_TRUE(LoadPlayerConfig());
    EXPECT_FLOAT_EQ(ThePlayerConfig()->volume, 0.3f);
    EXPECT_EQ(ThePlayerConfig()->name, "Bea");
    ASSERT_TRUE(SavePlayerConfig());
    EXPECT_NE(LineIndex(ConfigText(), "cl_showfps"), std::string::npos);
    EXPECT_EQ(ConfigBytes().indexOf('\0'), -1);
}

TEST_F(PlayerConfigFixture, LongTokensSurviveWholeAndOwnedTextsAreCut)
{
    const std::string word(2000, 'k');
    const std::string value(2000, 'v');
    WriteConfig(QByteArray::fromStdString(word + " \"" + value + "\"\nbind \"" + word + "\" \"" + word +
                                          "\"\nmotd \"" + value + "\"\nname \"" + std::string(2000, 'n') + "\"\n"));
    ASSERT_TRUE(LoadPlayerConfig());
    EXPECT_EQ(ThePlayerConfig()->name.size(), PlayerConfig::kMaxText);
    ASSERT_TRUE(SavePlayerConfig());
    // The player's own lines are written back whole, however long.
    EXPECT_EQ(GetConfigValue(kPlayerConfigFile, word), value);
    EXPECT_EQ(GetConfigValue(kPlayerConfigFile, "motd"), value);
    EXPECT_NE(LineIndex(ConfigText(), "bind \"" + word + "\" \"" + word + "\""), std::string::npos);
    EXPECT_EQ(GetConfigValue(kPlayerConfigFile, "name")->size(), PlayerConfig::kMaxText);
}

TEST_F(PlayerConfigFixture, CommentsAfterStatementsAndEmptyValuesOfThePlayerStay)
{
    WriteConfig("bind \"w\" \"+forward\" // walk\r\nfps_max \"60\" // smooth\n+klook //look\npassword \"\"\n"
                "volume \"0.3\" // quiet\n");
    ASSERT_TRUE(LoadPlayerConfig());
    ThePlayerConfig()->volume = 0.5f;
    ASSERT_TRUE(SavePlayerConfig());
    const std::string text = ConfigText();
    EXPECT_NE(LineIndex(text, "bind \"w\" \"+forward\" // walk"), std::string::npos) << text;
    EXPECT_NE(LineIndex(text, "fps_max \"60\" // smooth"), std::string::npos) << text;
    EXPECT_NE(LineIndex(text, "+klook //look"), std::string::npos) << text;
    EXPECT_NE(LineIndex(text, "password \"\""), std::string::npos) << text;
    EXPECT_NE(LineIndex(text, "volume \"0.500000\" // quiet"), std::string::npos) << text;
    EXPECT_EQ(ThePlayerConfig()->bindings[size_t('w')].command, "+forward");
    // A value the launcher empties is no longer written.
    ASSERT_TRUE(SetConfigValue(kPlayerConfigFile, "fps_max", "", false));
    EXPECT_EQ(ConfigText().find("fps_max"), std::string::npos);
}

TEST_F(PlayerConfigFixture, RateZeroLoadsAsTheDefaultAndNonNumbersResetToDefaults)
{
    WriteConfig("rate \"0\"\nvolume \"nan\"\nsensitivity \"inf\"\n");
    ASSERT_TRUE(LoadPlayerConfig());
    EXPECT_FLOAT_EQ(ThePlayerConfig()->rate, 2500.0f);
    EXPECT_FLOAT_EQ(ThePlayerConfig()->volume, 0.8f);
    EXPECT_FLOAT_EQ(ThePlayerConfig()->sensitivity, 3.0f);
}

// A number cut short ("5,5" read as 5) is no number at all: the option takes its
// default and its line stays as written until the option is changed.
TEST_F(PlayerConfigFixture, NumbersWithTrailingTextAreInvalidAndKeepTheirLines)
{
    ASSERT_TRUE(LoadPlayerConfig()); // writes a complete file
    std::string text = ConfigText();
    const auto replace = [&text](const std::string& from, const std::string& to) {
        const size_t at = text.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        text.replace(at, from.size(), to);
    };
    replace("sensitivity \"3.000000\"", "sensitivity \"5,5\"");
    replace("viewsize \"120.000000\"", "viewsize \"90 fov\"");
    replace("gamma \"2.500000\"", "gamma \" 1.8 \"");
    WriteConfig(QByteArray::fromStdString(text));
    ASSERT_TRUE(LoadPlayerConfig());
    EXPECT_FLOAT_EQ(ThePlayerConfig()->sensitivity, 3.0f);
    EXPECT_FLOAT_EQ(ThePlayerConfig()->viewsize, 120.0f);
    EXPECT_FLOAT_EQ(ThePlayerConfig()->gamma, 1.8f);
    ASSERT_TRUE(SavePlayerConfig());
    EXPECT_EQ(ConfigText(), text);
    ThePlayerConfig()->sensitivity = 4.0f;
    ASSERT_TRUE(SavePlayerConfig());
    EXPECT_NE(LineIndex(ConfigText(), "sensitivity \"4.000000\""), std::string::npos) << ConfigText();
}

TEST_F(PlayerConfigFixture, MouseLookFlagOwnsThePlusCommand)
{
    WriteConfig("+mlook\n+jlook\n+mlook\n+klook\n");
    ASSERT_TRUE(LoadPlayerConfig());
    EXPECT_EQ(ThePlayerConfig()->mlook, 1);
    ASSERT_TRUE(SavePlayerConfig());
    std::string text = ConfigText();
    EXPECT_EQ(text.find("+mlook"), text.rfind("+mlook")) << text;
    ThePlayerConfig()->mlook = 0;
    ASSERT_TRUE(SavePlayerConfig());
    text = ConfigText();
    EXPECT_EQ(text.find("+mlook"), std::string::npos);
    EXPECT_NE(text.find("+jlook"), std::string::npos);
    EXPECT_NE(text.find("+klook"), std::string::npos);
    ThePlayerConfig()->mlook = 1;
    ASSERT_TRUE(SavePlayerConfig());
    text = ConfigText();
    EXPECT_NE(text.find("+mlook"), std::string::npos);
    EXPECT_EQ(text.find("+mlook"), text.rfind("+mlook"));
}

TEST_F(PlayerConfigFixture, NumbersIgnoreACommaLocale)
{
    ScopedCommaLocale comma;
    if (!comma.Active())
        GTEST_SKIP() << ScopedCommaLocale::kMissing;
    WriteConfig("volume \"0.5\"\n");
    ASSERT_TRUE(LoadPlayerConfig());
    EXPECT_FLOAT_EQ(ThePlayerConfig()->volume, 0.5f);
    ThePlayerConfig()->sensitivity = 5.5f;
    ASSERT_TRUE(SavePlayerConfig());
    const std::string text = ConfigText();
    EXPECT_NE(LineIndex(text, "sensitivity \"5.500000\""), std::string::npos) << text;
    EXPECT_NE(LineIndex(text, "m_pitch \"0.022000\""), std::string::npos) << text;
}

TEST_F(PlayerConfigFixture, MissingFileGetsTheDefaultBindings)
{
    ASSERT_TRUE(LoadPlayerConfig());
    const std::string text = ConfigText();
    EXPECT_NE(LineIndex(text, "bind \"w\" \"+forward\""), std::string::npos) << text;
    EXPECT_NE(LineIndex(text, "bind \"MOUSE1\" \"+attack\""), std::string::npos);
    EXPECT_NE(LineIndex(text, "name \"Player\""), std::string::npos);
    EXPECT_NE(LineIndex(text, "+mlook"), std::string::npos);
    EXPECT_EQ(text.find("nothing"), std::string::npos);
}

TEST_F(PlayerConfigFixture, UnreadableFileIsNeverReplaced)
{
    // A folder where the file should be cannot be read (permissions do not stop root).
    ASSERT_TRUE(QDir().mkpath(tree.GameDirectory() + "/config.cfg"));
    ASSERT_TRUE(LoadPlayerConfig());
    EXPECT_EQ(ThePlayerConfig()->bindings[size_t('w')].command, "+forward");
    EXPECT_FALSE(SavePlayerConfig());
    EXPECT_FALSE(SetConfigValue(kPlayerConfigFile, "volume", "1", false));
    EXPECT_TRUE(QFileInfo(tree.GameDirectory() + "/config.cfg").isDir());
    ASSERT_EQ(prompt.Texts().size(), 2u);
    EXPECT_NE(prompt.Texts()[0].find("could not be written"), std::string::npos);
}

TEST_F(PlayerConfigFixture, FailedWriteIsReportedAndKeepsTheOldFile)
{
    WriteConfig("volume \"0.3\"\n");
    ASSERT_TRUE(LoadPlayerConfig());
    // A read-only file is replaced; a game folder without room for the temporary
    // file is not: the old file stays whole.
    QFile::setPermissions(tree.GameDirectory() + "/config.cfg", QFileDevice::ReadOwner);
    ThePlayerConfig()->volume = 0.4f;
    ASSERT_TRUE(SavePlayerConfig());
    EXPECT_EQ(GetConfigValue(kPlayerConfigFile, "volume"), "0.400000");
    Launcher().gameDirectory = "gone";
    EXPECT_FALSE(SavePlayerConfig());
    EXPECT_EQ(prompt.Texts().size(), 1u);
    Launcher().gameDirectory = tree.GameDirectory().toStdString();
    EXPECT_EQ(GetConfigValue(kPlayerConfigFile, "volume"), "0.400000");
}

TEST_F(PlayerConfigFixture, GameDirectoryIsSpelledAsOnDisk)
{
    Launcher().gameDirectory = "VREL";
    ASSERT_TRUE(LoadPlayerConfig());
    EXPECT_TRUE(tree.Tree().Exists("vrel/config.cfg"));
    EXPECT_FALSE(tree.Tree().Exists("VREL"));
}

TEST_F(PlayerConfigFixture, SingleValuesKeepTheSetInfoFormAndQuotesLeaveValues)
{
    WriteConfig("setinfo model \"robot\"\nname \"Old\"\n");
    ASSERT_TRUE(LoadPlayerConfig());
    ThePlayerConfig()->model = "pilgrim";
    ThePlayerConfig()->name = "a\"b\r\nc";
    ASSERT_TRUE(SavePlayerConfig());
    const std::string text = ConfigText();
    EXPECT_NE(LineIndex(text, "setinfo model \"pilgrim\""), std::string::npos) << text;
    EXPECT_NE(LineIndex(text, "name \"abc\""), std::string::npos) << text;

    ASSERT_TRUE(SetConfigValue(kPlayerConfigFile, "name", "Cy", true));
    EXPECT_NE(LineIndex(ConfigText(), "setinfo name \"Cy\""), std::string::npos);
    EXPECT_EQ(GetConfigValue(kPlayerConfigFile, "NAME"), "Cy");
    EXPECT_FALSE(GetConfigValue(kPlayerConfigFile, "nosuch"));
    // The configuration takes the variables back, so a later save keeps them.
    ASSERT_TRUE(ReloadPlayerVariables());
    ASSERT_TRUE(SavePlayerConfig());
    EXPECT_EQ(GetConfigValue(kPlayerConfigFile, "name"), "Cy");
}

TEST_F(PlayerConfigFixture, KeyListIsNeededAtStartOnlyAndUnknownNamesLeaveSlotsEmpty)
{
    ASSERT_TRUE(LoadPlayerConfig());
    EXPECT_TRUE(KeyNameTable()[0].empty()); // "<UNKNOWN KEYNUM>"
    EXPECT_EQ(KeyNameTable()[146], "F12");
    QFile::remove(tree.Tree().Abs("harrow/gfx/shell/kb_keys.lst"));
    ThePlayerConfig()->bindings[size_t('x')].command = "+duck";
    ASSERT_TRUE(SavePlayerConfig());
    EXPECT_NE(LineIndex(ConfigText(), "bind \"x\" \"+duck\""), std::string::npos);
    EXPECT_FALSE(LoadPlayerConfig());
}

TEST_F(PlayerConfigFixture, ConsoleDefaultFollowsTheCommandLine)
{
    EffectiveCommandLine() = CommandLine("kestrel -game vrel -dev");
    ASSERT_TRUE(LoadPlayerConfig());
    EXPECT_EQ(ThePlayerConfig()->console, 1);
}

TEST_F(PlayerConfigFixture, ChosenConnectionRateIsSavedOnlyWhenItChanges)
{
    ASSERT_TRUE(LoadPlayerConfig());
    EXPECT_FALSE(SavePlayerRate(2500));
    ASSERT_TRUE(SavePlayerRate(7500));
    EXPECT_EQ(GetConfigValue(kPlayerConfigFile, "rate"), "7500.000000");
}
