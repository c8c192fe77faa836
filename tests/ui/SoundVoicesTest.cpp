// The system sound player's decisions, without an audio device: every sound is heard
// whole, a second one beside the first, and a sink stops only once its audio has been
// played out.
#include "ui/SoundVoices.h"

#include <gtest/gtest.h>

namespace {

TEST(SoundVoices, SecondSoundRightAfterTheFirstIsPlayedToo)
{
    SoundVoices voices;
    const int hover = voices.Start(89, 1000);    // the click of a hover
    const int refusal = voices.Start(199, 1005); // a refusal 5 ms later
    ASSERT_GE(hover, 0);
    ASSERT_GE(refusal, 0);
    EXPECT_NE(hover, refusal);
    EXPECT_TRUE(voices.Busy(hover));
    EXPECT_TRUE(voices.Busy(refusal));
    EXPECT_EQ(voices.Playing(), 2);
}

TEST(SoundVoices, IdleAfterTheLastByteWasReadWaitsForTheAudioToPlayOut)
{
    SoundVoices voices;
    const int click = voices.Start(89, 1000);
    // The sink read the whole click into the device at once and reports idle 2 ms
    // later: the device still holds all of it.
    const int64_t stopAt = voices.StopTimeWhenIdle(click, true, 1002);
    EXPECT_GE(stopAt, 1000 + 89);
    EXPECT_LE(stopAt, 1000 + 89 + SoundVoices::kDrainMarginMs);
    // Idle because the source ran short, with bytes still unread: it goes on by itself.
    EXPECT_EQ(voices.StopTimeWhenIdle(click, false, 1002), -1);
    // Idle reported after the sound's end and the margin: stop at once.
    EXPECT_EQ(voices.StopTimeWhenIdle(click, true, 2000), 2000);
}

TEST(SoundVoices, FinishedVoiceIsFreeAndEveryVoiceBusySkipsTheSound)
{
    SoundVoices voices;
    for (int i = 0; i < SoundVoices::kMaxVoices; ++i)
        ASSERT_EQ(voices.Start(100, 0), i);
    EXPECT_EQ(voices.Start(100, 1), -1);
    voices.Finish(3);
    EXPECT_FALSE(voices.Busy(3));
    EXPECT_EQ(voices.StopTimeWhenIdle(3, true, 50), -1);
    EXPECT_EQ(voices.GiveUpTime(3), -1);
    EXPECT_EQ(voices.Start(100, 2), 3);
    EXPECT_EQ(voices.Playing(), SoundVoices::kMaxVoices);
}

TEST(SoundVoices, SilentDeviceReleasesTheVoiceOnlyLongAfterTheSoundsEnd)
{
    SoundVoices voices;
    const int voice = voices.Start(199, 1000);
    EXPECT_GT(voices.GiveUpTime(voice), voices.StopTimeWhenIdle(voice, true, 1000));
    EXPECT_EQ(voices.GiveUpTime(voice), 1000 + 199 + SoundVoices::kGiveUpMs);
}

} // namespace
