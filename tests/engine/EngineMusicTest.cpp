// The launcher's music service as the stand-in engine uses it: the "cd" command it
// registers when it starts, "bgmvolume" followed every frame, and the map's music.
#include "EngineFixture.h"
#include "cdaudio/FakeCdDevice.h"
#include "config/cdaudio/CdAudio.h"
#include "config/cdaudio/CdAudioServices.h"
#include "config/cdaudio/EngineCdConsole.h"

class EngineMusicTest : public EngineFixture
{
protected:
    void SetUp() override
    {
        EngineFixture::SetUp();
        audio.Start();
        ASSERT_TRUE(audio.WaitUntilIdle());
        InstallCdAudioServices(&audio, &console);
        SetCdAudioServiceEntries();
        ASSERT_EQ(host.StartEngine(false), 1);
    }

    void TearDown() override
    {
        EngineFixture::TearDown();
        InstallCdAudioServices(nullptr, nullptr);
        FillLauncherServiceTable();
        audio.Shutdown();
    }

    void Frame()
    {
        host.EngineFrame(true);
        ASSERT_TRUE(audio.WaitUntilIdle());
    }

    FakeCdDevice device;
    ManualClock clock;
    CdAudio audio{device, [this] { return clock(); }};
    EngineCdConsole console{host.Table()};
};

TEST_F(EngineMusicTest, CdCommandRunsThroughTheEngineConsole)
{
    EXPECT_EQ(host.ConsoleVariable("sys_services_missing").find("14"), std::string::npos);
    host.AddCommandText("cd remap 6\ncd loop 1\n");
    Frame();
    EXPECT_EQ(device.Played(), (std::vector<std::string>{"play 6"}));
    EXPECT_TRUE(audio.Looping());
    host.AddCommandText("CD PAUSE\n");
    Frame();
    EXPECT_TRUE(audio.WasPlaying());
    host.AddCommandText("cd off\ncd resume\n");
    Frame();
    EXPECT_FALSE(audio.Playing());
    EXPECT_FALSE(audio.Enabled());
}

TEST_F(EngineMusicTest, BgmvolumeIsAnOnOffSwitchEveryFrame)
{
    host.SetConsoleVariable("bgmvolume", "1");
    host.AddCommandText("cd play 2\n");
    Frame();
    ASSERT_TRUE(audio.Playing());
    host.SetConsoleVariable("bgmvolume", "0.5");
    Frame();
    EXPECT_EQ(host.ConsoleVariable("bgmvolume"), "0");
    EXPECT_FALSE(audio.Playing());
    host.SetConsoleVariable("bgmvolume", "0.5");
    Frame();
    EXPECT_EQ(host.ConsoleVariable("bgmvolume"), "1");
    EXPECT_TRUE(audio.Playing());
}

TEST_F(EngineMusicTest, AMapStartsItsMusicAndTheMenuSwitchPausesIt)
{
    host.SetConsoleVariable("bgmvolume", "1");
    host.AddCommandText("map dm_yard\n");
    Frame();
    EXPECT_EQ(device.Played(), (std::vector<std::string>{"play 2"}));
    EXPECT_TRUE(audio.Looping());
    // Leaving the game pauses the music.
    host.AddCommandText("disconnect\n");
    Frame();
    EXPECT_EQ(device.Last(), "pause");
}
