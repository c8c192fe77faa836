// The music folder as a CD: track files found by number, data tracks where a number
// is missing, and lengths read from WAVE and Ogg headers.
#include "config/cdaudio/TrackFileCdDevice.h"
#include "config/cdaudio/TrackHeader.h"
#include "support/TempTree.h"
#include "support/WavBuilder.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

QByteArray OggPage(uint64_t granule, uint32_t serial, const QByteArray& packet, uint8_t type = 0)
{
    QByteArray page("OggS");
    page.append('\0');
    page.append(char(type));
    for (int i = 0; i < 8; ++i)
        page.append(char(granule >> (8 * i)));
    for (int i = 0; i < 4; ++i)
        page.append(char(serial >> (8 * i)));
    page.append(QByteArray(8, '\0')); // sequence number and checksum
    page.append(char(1));
    page.append(char(packet.size()));
    return page + packet;
}

QByteArray VorbisId(uint32_t rate)
{
    QByteArray id("\x01vorbis", 7);
    id.append(QByteArray(4, '\0')); // version
    id.append(char(2));             // channels
    for (int i = 0; i < 4; ++i)
        id.append(char(rate >> (8 * i)));
    id.append(QByteArray(30 - id.size(), '\0'));
    return id;
}

QByteArray OpusHead(uint16_t preSkip)
{
    QByteArray id("OpusHead\x01\x02", 10);
    id.append(char(preSkip & 0xff));
    id.append(char(preSkip >> 8));
    id.append(QByteArray(7, '\0'));
    return id;
}

std::optional<double> Length(const QByteArray& file, uint64_t size = 0)
{
    TrackBytes bytes;
    bytes.head = reinterpret_cast<const uint8_t*>(file.constData());
    bytes.headSize = size_t(file.size());
    bytes.tail = bytes.head;
    bytes.tailSize = bytes.headSize;
    bytes.fileSize = size ? size : uint64_t(file.size());
    return ParseTrackLength(bytes);
}

class RecordingPlayback : public TrackPlayback
{
public:
    void Play(const std::string& path) override { calls.push_back("play " + path); }
    void Resume() override { calls.push_back("resume"); }
    void Pause() override { calls.push_back("pause"); }
    void Stop() override { calls.push_back("stop"); }
    std::vector<std::string> calls;
};

} // namespace

TEST(TrackHeader, WaveLengthIsItsDataOverItsByteRate)
{
    // 11025 samples a second, 16-bit mono: 22050 bytes a second.
    const QByteArray wave = PcmWave(1, 11025, 11025 * 3);
    EXPECT_DOUBLE_EQ(*Length(wave), 3.0);
    // A data chunk claiming more than the file holds ends with the file.
    QByteArray cut = wave.left(wave.size() - 22050);
    EXPECT_DOUBLE_EQ(*Length(cut), 2.0);
    EXPECT_FALSE(Length(wave.left(30)));
    QByteArray noRate = wave;
    std::memset(noRate.data() + 28, 0, 4);
    EXPECT_FALSE(Length(noRate));
    EXPECT_FALSE(Length(QByteArray("RIFF\xff\xff\xff\xffWAVEfmt \xff\xff\xff\xff", 20)));
}

TEST(TrackHeader, OggLengthIsTheLastGranuleOverTheRate)
{
    const QByteArray vorbis = OggPage(0, 7, VorbisId(44100), 2) + OggPage(44100, 7, QByteArray(10, 'x')) +
                              OggPage(uint64_t(-1), 7, QByteArray(5, 'y')) + OggPage(441000, 9, "other stream") +
                              OggPage(44100 * 5 / 2, 7, QByteArray(3, 'z'), 4) + QByteArray("junk OggS");
    EXPECT_DOUBLE_EQ(*Length(vorbis), 2.5);
    const QByteArray opus = OggPage(0, 3, OpusHead(312), 2) + OggPage(48000 * 4 + 312, 3, "audio", 4);
    EXPECT_DOUBLE_EQ(*Length(opus), 4.0);

    EXPECT_FALSE(Length(OggPage(0, 7, QByteArray("\x01speex", 6)) + OggPage(100, 7, "a")));
    EXPECT_FALSE(Length(OggPage(0, 7, VorbisId(0)) + OggPage(100, 7, "a")));
    EXPECT_FALSE(Length(vorbis.left(40)));
    EXPECT_FALSE(Length(QByteArray("MThd")));
}

TEST(TrackFileCdDevice, NumberedFilesAreTracksAndGapsAreDataTracks)
{
    TempTree game;
    TempTree base;
    game.Write("media/cdaudio/track02.wav", PcmWave(1, 11025, 11025 * 75));
    game.Write("media/cdaudio/TRACK05.OGG", OggPage(0, 1, VorbisId(8000), 2) + OggPage(8000 * 61, 1, "a", 4));
    game.Write("media/cdaudio/track03.wav", "not a wave file");
    game.Write("media/cdaudio/track7.wav", PcmWave(1, 11025, 11025));
    game.Write("media/cdaudio/notes.txt", "x");
    base.Write("media/cdaudio/track02.wav", PcmWave(1, 11025, 11025));
    base.Write("media/cdaudio/track04.wav", PcmWave(1, 11025, 11025 * 2));

    RecordingPlayback playback;
    TrackFileCdDevice device({game.PathStd() + "/media/cdaudio", base.PathStd() + "/media/cdaudio"}, playback);
    ASSERT_TRUE(device.Open());
    ASSERT_TRUE(device.Ready());
    EXPECT_EQ(device.TrackCount(), 5);
    EXPECT_EQ(device.TrackType(1), CdTrackType::Data);
    EXPECT_EQ(device.TrackType(2), CdTrackType::Audio);
    EXPECT_EQ(device.TrackType(3), CdTrackType::Data);
    EXPECT_EQ(device.TrackType(4), CdTrackType::Audio);
    EXPECT_EQ(device.TrackType(5), CdTrackType::Audio);
    EXPECT_EQ(device.TrackType(6), CdTrackType::Failed);

    int minutes = -1;
    int seconds = -1;
    ASSERT_TRUE(device.TrackLength(2, minutes, seconds)); // the game's copy wins
    EXPECT_EQ(minutes * 60 + seconds, 75);
    ASSERT_TRUE(device.TrackLength(5, minutes, seconds));
    EXPECT_EQ(minutes, 1);
    EXPECT_EQ(seconds, 1);
    EXPECT_FALSE(device.TrackLength(1, minutes, seconds));

    EXPECT_TRUE(device.PlayTrack(4));
    EXPECT_FALSE(device.PlayTrack(1));
    EXPECT_TRUE(device.Pause());
    EXPECT_TRUE(device.PlayToNextTrack(4));
    device.Close();
    EXPECT_EQ(playback.calls, (std::vector<std::string>{"play " + base.PathStd() + "/media/cdaudio/track04.wav",
                                                        "pause", "resume", "stop"}));

    TempTree empty;
    TrackFileCdDevice none({empty.PathStd() + "/media/cdaudio"}, playback);
    EXPECT_FALSE(none.Ready());
    EXPECT_EQ(none.TrackCount(), 0);
}
