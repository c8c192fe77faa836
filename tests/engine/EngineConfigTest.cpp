// The engine executes the player's config.cfg when it starts: what the launcher saved
// is what the game sees.
#include "EngineFixture.h"

#include "app/files/SearchPath.h"
#include "config/PlayerConfigFixture.h"

namespace {

class EngineConfig : public EngineFixture
{
protected:
    void SetUp() override
    {
        EngineFixture::SetUp();
        m_savedBase = Launcher().baseDirectory;
        m_savedGame = Launcher().gameDirectory;
        Launcher().baseDirectory = tree.PathStd();
        ResetSearchPath();
        InitSearchPath();
        tree.Write("harrow/gfx/shell/kb_keys.lst", TestKeyList());
        tree.Write("harrow/gfx/shell/kb_def.lst", "\"w\" \"+forward\"\n\"MOUSE1\" \"+attack\"\n");
        tree.Write("vrel/other.cfg", "// the player's own script\nfps_max 72\nbind \"z\" \"say zed\"\n");
    }

    void TearDown() override
    {
        EngineFixture::TearDown();
        SetPlayerConfig(std::nullopt);
        ResetSearchPath();
        Launcher().baseDirectory = m_savedBase;
        Launcher().gameDirectory = m_savedGame;
    }

    std::string Variable(const char* name) { return host.ConsoleVariable(name); }

private:
    std::string m_savedBase;
    std::string m_savedGame;
};

} // namespace

TEST_F(EngineConfig, EngineSeesWhatTheLauncherSaved)
{
    tree.Write("vrel/config.cfg", "bind \"W\" \"+back\"\nexec other.cfg\nsetinfo model \"robot\"\n+klook\n");
    ASSERT_TRUE(LoadPlayerConfig());
    PlayerConfig& config = *ThePlayerConfig();
    config.name = "Ann Lee";
    config.volume = 0.35f;
    config.bindings[size_t('e')].command = "impulse 100";
    config.mlook = 1;
    ASSERT_TRUE(SavePlayerConfig());

    ASSERT_EQ(host.StartEngine(true), 1);
    ASSERT_TRUE(RunUntil([this] { return Variable("name") == "Ann Lee"; })) << Variable("sys_exec");
    EXPECT_EQ(Variable("sys_exec"), "config.cfg other.cfg");
    EXPECT_EQ(Variable("sys_bind_w"), "+back");
    EXPECT_EQ(Variable("sys_bind_e"), "impulse 100");
    EXPECT_EQ(Variable("sys_bind_z"), "say zed");
    EXPECT_EQ(Variable("sys_bind_mouse1"), "");
    EXPECT_EQ(Variable("fps_max"), "72");
    EXPECT_EQ(Variable("volume"), "0.350000");
    EXPECT_EQ(Variable("model"), "robot");
    EXPECT_EQ(Variable("sys_userinfo"), "\\model\\robot");
    EXPECT_EQ(Variable("sys_plus"), "+klook +mlook");
}

TEST_F(EngineConfig, ScriptsThatExecThemselvesEnd)
{
    // Six execs of itself per level would run millions of scripts without a bound.
    std::string text = "fps_max 1\n";
    for (int i = 0; i < 6; ++i)
        text += "exec config.cfg\n";
    tree.Write("vrel/config.cfg", QByteArray::fromStdString(text));
    ASSERT_EQ(host.StartEngine(true), 1);
    host.AddCommandText("after_config 1\n");
    EXPECT_TRUE(RunUntil([this] { return Variable("after_config") == "1"; }));
    EXPECT_EQ(Variable("fps_max"), "1");
    // A later exec runs again.
    tree.Write("vrel/other.cfg", "fps_max 2\n");
    host.AddCommandText("exec other.cfg\n");
    EXPECT_TRUE(RunUntil([this] { return Variable("fps_max") == "2"; }));
}
