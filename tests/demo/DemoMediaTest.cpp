// The synthesised sounds: well-formed PCM wave files where the menu and engine look.
#include "DemoTreeFixture.h"

#include "app/files/SearchPath.h"
#include "demo/SoundSynth.h"

#include <QtEndian>

#include <cstdlib>

namespace {

struct WaveInfo
{
    bool ok = false;
    int format = 0, channels = 0, rate = 0, bits = 0;
    quint32 dataBytes = 0;
    int peak = 0;
};

WaveInfo Inspect(const QByteArray& wav)
{
    WaveInfo info;
    if (wav.size() < 44 || !wav.startsWith("RIFF") || wav.mid(8, 8) != "WAVEfmt ")
        return info;
    const char* d = wav.constData();
    info.format = qFromLittleEndian<quint16>(d + 20);
    info.channels = qFromLittleEndian<quint16>(d + 22);
    info.rate = int(qFromLittleEndian<quint32>(d + 24));
    info.bits = qFromLittleEndian<quint16>(d + 34);
    info.dataBytes = qFromLittleEndian<quint32>(d + 40);
    info.ok = wav.mid(36, 4) == "data" && qFromLittleEndian<quint32>(d + 4) == quint32(wav.size() - 8) &&
              info.dataBytes == quint32(wav.size() - 44);
    for (qsizetype i = 44; i + 1 < wav.size(); i += 2)
        info.peak = std::max(info.peak, std::abs(int(qFromLittleEndian<qint16>(d + i))));
    return info;
}

} // namespace

TEST(SoundSynth, WaveHeaderDescribesTheSamples)
{
    const QByteArray wav = SoundSynth::Wave({0, 1000, -1000, 32767}, 8000);
    const WaveInfo info = Inspect(wav);
    ASSERT_TRUE(info.ok);
    EXPECT_EQ(info.format, 1);
    EXPECT_EQ(info.channels, 1);
    EXPECT_EQ(info.rate, 8000);
    EXPECT_EQ(info.bits, 16);
    EXPECT_EQ(info.dataBytes, 8u);
    EXPECT_EQ(info.peak, 32767);
}

TEST(SoundSynth, MenuSoundsAreShortAudibleAndUnclipped)
{
    const auto sounds = SoundSynth::MenuSounds();
    EXPECT_EQ(sounds.size(), 7u);
    for (const DemoSound& sound : sounds) {
        const WaveInfo info = Inspect(sound.wav);
        ASSERT_TRUE(info.ok) << sound.name.toStdString();
        EXPECT_EQ(info.rate, SoundSynth::kSampleRate);
        EXPECT_LT(info.dataBytes, quint32(SoundSynth::kSampleRate)) << "under half a second";
        EXPECT_GT(info.peak, 4000) << sound.name.toStdString();
        EXPECT_LT(info.peak, 32000) << sound.name.toStdString();
    }
}

TEST_F(DemoTreeTest, MenuSoundsAreInTheMediaFolderAndTheArchive)
{
    for (const char* name : {"launch_select1", "launch_select2", "launch_upmenu1", "launch_dnmenu1", "launch_glow1",
                             "launch_deny1", "launch_deny2"}) {
        EXPECT_TRUE(Inspect(Read(QStringLiteral("vrel/media/%1.wav").arg(name))).ok) << name;
        int64_t length = 0;
        const auto bytes = LoadFile(std::string("sound/Common/") + name + ".wav", &length);
        ASSERT_TRUE(bytes) << name;
        EXPECT_TRUE(Inspect(QByteArray(bytes.get(), qsizetype(length))).ok) << name;
    }
    const WaveInfo music = Inspect(Read("vrel/media/cdaudio/track02.wav"));
    ASSERT_TRUE(music.ok);
    EXPECT_GT(music.dataBytes, quint32(music.rate) * 2 * 5) << "several seconds long";
}
