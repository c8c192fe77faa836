#include "ui/MenuSound.h"
#include "app/files/SearchPath.h"
#include "app/settings/CommandLine.h"
#include "app/settings/LauncherState.h"
#include "support/RecordingPrompt.h"
#include "support/TempTree.h"
#include "support/WavBuilder.h"
#include "ui/SoundOutput.h"

#include <gtest/gtest.h>

namespace {

class MenuSoundTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_savedBase = Launcher().baseDirectory;
        Launcher().baseDirectory = m_tree.PathStd();
        EffectiveCommandLine() = CommandLine("kestrel -game vrel");
        m_tree.Write("vrel/liblist.gam", "game \"Test\"\n");
        ResetSearchPath();
        SetSoundOutput(&m_output);
    }
    void TearDown() override
    {
        SetSoundOutput(nullptr);
        ResetSearchPath();
        Launcher().baseDirectory = m_savedBase;
    }

    TempTree m_tree;
    NullSoundOutput m_output;
    RecordingPrompt m_prompt;
    std::string m_savedBase;
};

TEST(MenuSoundNames, TableAndFallback)
{
    EXPECT_STREQ(MenuSoundBaseName(kSoundSelect1), "launch_select1");
    EXPECT_STREQ(MenuSoundBaseName(kSoundSelect2), "launch_select2");
    EXPECT_STREQ(MenuSoundBaseName(kSoundUpMenu), "launch_upmenu1");
    EXPECT_STREQ(MenuSoundBaseName(kSoundDownMenu), "launch_dnmenu1");
    EXPECT_STREQ(MenuSoundBaseName(kSoundGlow), "launch_glow1");
    EXPECT_STREQ(MenuSoundBaseName(kSoundDeny1), "launch_deny1");
    EXPECT_STREQ(MenuSoundBaseName(kSoundDeny2), "launch_deny2");
    EXPECT_STREQ(MenuSoundBaseName(7), "launch_deny1");
    EXPECT_STREQ(MenuSoundBaseName(-1), "launch_deny1");
}

TEST_F(MenuSoundTest, SoundFromTheGameDirectoryGoesToTheOutput)
{
    m_tree.Write("harrow/media/launch_glow1.wav", PcmWave(1, 11025, 50));
    m_tree.Write("vrel/media/launch_glow1.wav", PcmWave(1, 22050, 100));
    PlayMenuSound(kSoundGlow);
    ASSERT_EQ(m_output.History().size(), 1u);
    EXPECT_EQ(m_output.History()[0].wav.sampleRate, 22050); // the game directory's file
    EXPECT_EQ(m_output.History()[0].wav.sampleCount, 100);
}

TEST_F(MenuSoundTest, BaseDirectoryIsTheFallback)
{
    m_tree.Write("harrow/media/launch_deny1.wav", PcmWave(1, 11025, 50));
    PlayMenuSound(99);
    ASSERT_EQ(m_output.History().size(), 1u);
    EXPECT_EQ(m_output.History()[0].wav.sampleRate, 11025);
}

TEST_F(MenuSoundTest, MissingOrUnplayableSoundsAreSkippedSilently)
{
    PlayMenuSound(kSoundSelect1);
    m_tree.Write("vrel/media/launch_select2.wav", PcmWave(2, 11025, 50)); // not plain PCM
    PlayMenuSound(kSoundSelect2);
    m_tree.Write("vrel/media/launch_upmenu1.wav", "");
    PlayMenuSound(kSoundUpMenu);
    EXPECT_TRUE(m_output.History().empty());
    EXPECT_TRUE(m_prompt.Texts().empty());
}

TEST_F(MenuSoundTest, BusyOutputSkipsTheSound)
{
    m_tree.Write("vrel/media/launch_select1.wav", PcmWave(1, 11025, 50));
    m_output.SetBusy(true);
    EXPECT_FALSE(PlayNamedSound("launch_select1"));
    m_output.SetBusy(false);
    EXPECT_TRUE(PlayNamedSound("launch_select1"));
}

TEST_F(MenuSoundTest, EmptyNameShowsMessage70)
{
    EXPECT_FALSE(PlayNamedSound(""));
    ASSERT_EQ(m_prompt.Texts().size(), 1u);
    EXPECT_EQ(m_prompt.Texts()[0], "A menu sound has no file name.");
}

} // namespace
