// The demo world's spray logos and music as the player profile and the music service
// read them: decals for the 16, 32 and 64 pixel logos, a refusal for the 48 pixel one,
// and a "disc" whose track 1 is data and tracks 2 to 4 are music.
#include "DemoTreeFixture.h"
#include "config/cdaudio/LauncherCdAudio.h"
#include "config/cdaudio/TrackFileCdDevice.h"
#include "config/player/DecalWad.h"
#include "config/player/LogoFile.h"
#include "demo/PicturePainter.h"

#include <algorithm>

using DemoProfileMusicTest = DemoTreeTest;

TEST_F(DemoProfileMusicTest, EveryLogoLoadsAndOnlyTheSquareSizesMakeADecal)
{
    std::vector<std::string> expected;
    for (const QString& name : PicturePainter::LogoNames())
        expected.push_back(name.toStdString() + ".bmp");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(ListLogos(), expected);
    for (const std::string& name : expected) {
        const auto logo = LoadLogo(name, LogoColourByName("Orange"));
        ASSERT_TRUE(logo) << name;
        std::string bytes;
        const int size = PicturePainter::LogoSize(QString::fromStdString(name).chopped(4));
        EXPECT_EQ(logo->width, size) << name;
        EXPECT_EQ(BuildDecalWad(*logo, LogoColourByName("Orange"), bytes), size == 48 ? 443 : 0) << name;
    }
}

TEST_F(DemoProfileMusicTest, MusicFolderIsADiscOfDataAndThreeMusicTracks)
{
    class Silent : public TrackPlayback
    {
        void Play(const std::string&) override {}
        void Resume() override {}
        void Pause() override {}
        void Stop() override {}
    } silent;
    TrackFileCdDevice device(MusicFolders(), silent);
    ASSERT_TRUE(device.Ready());
    EXPECT_EQ(device.TrackCount(), 4);
    EXPECT_EQ(device.TrackType(1), CdTrackType::Data);
    for (int track = 2; track <= 4; ++track) {
        EXPECT_EQ(device.TrackType(track), CdTrackType::Audio) << track;
        int minutes = 0;
        int seconds = 0;
        ASSERT_TRUE(device.TrackLength(track, minutes, seconds));
        EXPECT_EQ(minutes * 60 + seconds, 12 + 4 * (track - 2)) << track;
    }
}
