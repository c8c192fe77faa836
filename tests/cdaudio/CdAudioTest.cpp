// The music service over the scripted device: remapping, enabling, the track's end,
// pauses, "bgmvolume", the display switches, notifications and the "cd" command.
#include "CdAudioFixture.h"

TEST_F(CdAudioTest, RemapNumbersChooseTheDiscTracks)
{
    Start();
    Cd("remap 5 4");
    EXPECT_EQ(audio->RemapEntry(1), 5);
    EXPECT_EQ(audio->RemapEntry(2), 4);
    EXPECT_EQ(audio->RemapEntry(3), 3);
    Cd("play 1");
    Cd("play 2");
    EXPECT_EQ(device.Played(), (std::vector<std::string>{"play 5", "play 4"}));

    // Values outside 0..99 and words that are no numbers leave their entries alone;
    // no words change nothing.
    Cd("remap 100 -1 x 7");
    EXPECT_EQ(audio->RemapEntry(1), 5);
    EXPECT_EQ(audio->RemapEntry(2), 4);
    EXPECT_EQ(audio->RemapEntry(3), 3);
    EXPECT_EQ(audio->RemapEntry(4), 7);
    Cd("remap");
    EXPECT_EQ(audio->RemapEntry(1), 5);
    // At most 99 entries are taken.
    std::string many = "remap";
    for (int i = 0; i < 120; ++i)
        many += " 9";
    Cd(many);
    EXPECT_EQ(audio->RemapEntry(99), 9);
    EXPECT_EQ(audio->RemapEntry(0), 0);

    Cd("reset");
    EXPECT_EQ(audio->RemapEntry(1), 1);
    EXPECT_EQ(audio->RemapEntry(99), 99);
}

TEST_F(CdAudioTest, TracksOutsideTheTableAndDataTracksAreIgnored)
{
    device.tracks[3].audio = false;
    Start();
    device.ClearCalls();
    Cd("play 3");
    Cd("play 100");
    Cd("play -1");
    Cd("play 0");
    Cd("play 9"); // beyond the disc's 8 tracks
    audio->Play(1000, false);
    Idle();
    EXPECT_EQ(device.Count("play"), 0);
    EXPECT_FALSE(audio->Playing());
    Cd("loop 2");
    EXPECT_EQ(device.Played(), (std::vector<std::string>{"play 2"}));
    EXPECT_TRUE(audio->Looping());
}

TEST_F(CdAudioTest, WithoutCdAudioNothingEverPlays)
{
    Start(true);
    for (const char* line : {"on", "reset", "play 2", "loop 2", "resume", "eject", "close", "info"})
        Cd(line);
    audio->Play(2, true);
    Frame();
    EXPECT_TRUE(device.Calls().empty());
    EXPECT_FALSE(audio->Enabled());
    EXPECT_FALSE(audio->Playing());
}

TEST_F(CdAudioTest, OnAndResetCannotEnableADeviceThatNeverOpened)
{
    device.openFails = true;
    Start();
    Cd("on");
    Cd("reset");
    EXPECT_FALSE(audio->Enabled());
    Cd("play 2");
    EXPECT_EQ(device.Count("play"), 0);
}

TEST_F(CdAudioTest, OffStopsAndOnComesBack)
{
    Start();
    Cd("play 2");
    Cd("off");
    EXPECT_FALSE(audio->Enabled());
    EXPECT_FALSE(audio->Playing());
    EXPECT_EQ(device.Last(), "stop");
    Cd("play 3");
    EXPECT_EQ(device.Count("play"), 1);
    Cd("on");
    Cd("play 3");
    EXPECT_EQ(device.Count("play"), 2);
}

TEST_F(CdAudioTest, ALoopingTrackRestartsTwoSecondsAfterItsLengthWithoutANotification)
{
    device.tracks[2].seconds = 90;
    Start();
    audio->Play(2, true);
    Idle();
    EXPECT_FLOAT_EQ(audio->TrackLength(), 90.0f);
    clock.Advance(91.9);
    Frame();
    EXPECT_EQ(device.Count("play"), 1);
    clock.Advance(0.2);
    Frame();
    EXPECT_EQ(device.Played(), (std::vector<std::string>{"play 2", "play 2"}));
    EXPECT_TRUE(audio->Playing());
    EXPECT_DOUBLE_EQ(audio->StartTime(), clock());

    // A track played once just ends.
    audio->Play(4, false);
    Idle();
    clock.Advance(64 + 2.1);
    Frame();
    EXPECT_FALSE(audio->Playing());
    EXPECT_EQ(device.Count("play"), 3);
}

TEST_F(CdAudioTest, ATenSecondPauseMovesTheEndByTenSeconds)
{
    device.tracks[2].seconds = 30;
    Start();
    audio->Play(2, true);
    Idle();
    clock.Advance(5);
    audio->Pause();
    Idle();
    clock.Advance(10);
    audio->Resume();
    Idle();
    EXPECT_EQ(device.Played("resume"), (std::vector<std::string>{"resume 2"}));
    clock.Advance(26.9); // 5 + 26.9 played: past 30 + 2 without the pause
    Frame();
    EXPECT_EQ(device.Count("play"), 1);
    clock.Advance(0.2);
    Frame();
    EXPECT_EQ(device.Count("play"), 2);

    // Resuming music that plays does not move its end.
    const double start = audio->StartTime();
    clock.Advance(3);
    audio->Resume();
    Idle();
    EXPECT_DOUBLE_EQ(audio->StartTime(), start);
    EXPECT_EQ(device.Count("resume"), 1);
}

TEST_F(CdAudioTest, BgmvolumeTurnsTheMusicOffAndOn)
{
    Start();
    console.variables["bgmvolume"] = "1";
    audio->Play(2, false);
    Frame();
    console.variables["bgmvolume"] = "0.5";
    Frame();
    EXPECT_EQ(console.variables["bgmvolume"], "0");
    EXPECT_FLOAT_EQ(audio->MusicVolume(), 0.0f);
    EXPECT_FALSE(audio->Playing());
    EXPECT_EQ(device.Last(), "pause");

    console.variables["bgmvolume"] = "0.5";
    Frame();
    EXPECT_EQ(console.variables["bgmvolume"], "1");
    EXPECT_TRUE(audio->Playing());
    EXPECT_EQ(device.Last(), "resume");

    // Unchanged or unreadable values leave the music alone.
    console.variables["bgmvolume"] = "";
    Frame();
    EXPECT_TRUE(audio->Playing());

    // Music started while the volume is off is paused at once.
    console.variables["bgmvolume"] = "0";
    Frame();
    audio->Play(5, false);
    Idle();
    EXPECT_EQ(device.Last(), "pause");
    EXPECT_TRUE(audio->WasPlaying());
}

TEST_F(CdAudioTest, DisplaySwitchPausesAndResumesUnlessCancelled)
{
    Start();
    audio->Play(2, false);
    Idle();
    audio->BeforeDisplaySwitch();
    Idle();
    EXPECT_TRUE(audio->ResumeAfterSwitch());
    EXPECT_FALSE(audio->Playing());
    audio->AfterDisplaySwitch();
    Idle();
    EXPECT_TRUE(audio->Playing());
    EXPECT_FALSE(audio->ResumeAfterSwitch());

    audio->BeforeDisplaySwitch();
    Idle();
    audio->CancelResume();
    audio->AfterDisplaySwitch();
    Idle();
    EXPECT_FALSE(audio->Playing());
    EXPECT_EQ(device.Count("resume"), 1);
}

TEST_F(CdAudioTest, NotificationsEndReplayOrInvalidateThePlay)
{
    Start();
    audio->Play(2, true);
    Idle();
    audio->Notify(CdNotifyResult::Superseded);
    audio->Notify(CdNotifyResult::Aborted);
    Idle();
    EXPECT_EQ(device.Count("play"), 1);
    audio->Notify(CdNotifyResult::Successful);
    Idle();
    EXPECT_EQ(device.Count("play"), 2);
    EXPECT_TRUE(audio->Playing());

    audio->Notify(CdNotifyResult::Failure);
    Idle();
    EXPECT_FALSE(audio->Playing());
    EXPECT_FALSE(audio->DiscValid());
    EXPECT_EQ(device.Last(), "stop");
    // Without a valid disc, a command reads the disc again instead.
    device.ClearCalls();
    Cd("play 2");
    EXPECT_EQ(device.Count("play"), 0);
    EXPECT_EQ(device.Count("ready"), 1);
    EXPECT_TRUE(audio->DiscValid());
    Cd("play 2");
    EXPECT_EQ(device.Count("play"), 1);
}

TEST_F(CdAudioTest, InfoEjectAndClose)
{
    Start();
    Cd("info");
    EXPECT_EQ(console.printed, "8 tracks\nVolume is 1.000000\n");
    Cd("loop 3");
    console.printed.clear();
    Cd("INFO");
    EXPECT_EQ(console.printed, "8 tracks\nCurrently looping track 3\nVolume is 1.000000\n");
    Cd("pause");
    console.printed.clear();
    Cd("info");
    EXPECT_EQ(console.printed, "8 tracks\nPaused looping track 3\nVolume is 1.000000\n");

    Cd("eject");
    EXPECT_FALSE(audio->DiscValid());
    EXPECT_EQ(device.Last(), "eject");
    Cd("close");
    EXPECT_EQ(device.Last(), "closedoor");
    console.printed.clear();
    Cd("info"); // reads the disc instead
    EXPECT_EQ(console.printed, "");
    EXPECT_TRUE(audio->DiscValid());
    Cd("");
    Cd("unknown");
    EXPECT_EQ(console.printed, "");
}
