#include "ui/WavFile.h"
#include "support/WavBuilder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

WavDescription Parse(const std::vector<uint8_t>& file)
{
    return ParseWav(file.data(), file.size());
}

TEST(WavFile, PlainPcmGivesFormatCountAndOffset)
{
    const auto file = WavBuilder().Format(1, 1, 22050, 16).Data(1000).File();
    const WavDescription wav = Parse(file);
    EXPECT_EQ(wav.sampleRate, 22050);
    EXPECT_EQ(wav.bytesPerSample, 2);
    EXPECT_EQ(wav.channels, 1);
    EXPECT_EQ(wav.loopStart, -1);
    EXPECT_EQ(wav.sampleCount, 500);
    EXPECT_EQ(wav.dataOffset, 12 + 8 + 16 + 8); // RIFF header, fmt chunk, data header
    EXPECT_TRUE(wav.Playable());
}

TEST(WavFile, FormatTagOtherThanPcmIsAllZero)
{
    const auto file = WavBuilder().Format(3, 1, 44100, 32).Data(400).File();
    EXPECT_EQ(Parse(file), WavDescription{});
    EXPECT_FALSE(Parse(file).Playable());
}

TEST(WavFile, NotARiffWaveIsAllZero)
{
    EXPECT_EQ(Parse(WavBuilder().Format(1, 1, 8000, 8).Data(10).File("AVI ")), WavDescription{});
    const std::vector<uint8_t> text = {'h', 'e', 'l', 'l', 'o'};
    EXPECT_EQ(Parse(text), WavDescription{});
    EXPECT_EQ(ParseWav(nullptr, 0), WavDescription{});
}

TEST(WavFile, MissingFormatOrDataIsAllZero)
{
    EXPECT_EQ(Parse(WavBuilder().Data(100).File()), WavDescription{});
    EXPECT_EQ(Parse(WavBuilder().Format(1, 1, 8000, 8).File()), WavDescription{});
    // A format chunk too short to hold the bits per sample.
    EXPECT_EQ(Parse(WavBuilder().Chunk("fmt ", {1, 0, 1, 0, 0x40, 0x1F, 0, 0}).Data(10).File()), WavDescription{});
    // Zero bits per sample would divide by zero.
    EXPECT_EQ(Parse(WavBuilder().Format(1, 1, 8000, 0).Data(10).File()), WavDescription{});
}

TEST(WavFile, CueGivesLoopStartAndMarkedRegionTheLoopEnd)
{
    const auto cueOnly = WavBuilder().Format(1, 1, 11025, 8).Cue(40).Data(200).File();
    EXPECT_EQ(Parse(cueOnly).loopStart, 40);
    EXPECT_EQ(Parse(cueOnly).sampleCount, 200);

    const auto looped = WavBuilder().Format(1, 1, 11025, 8).Cue(40).Mark(100).Data(200).File();
    const WavDescription wav = Parse(looped);
    EXPECT_EQ(wav.loopStart, 40);
    EXPECT_EQ(wav.sampleCount, 140); // loop end
}

TEST(WavFile, ListWithoutMarkLeavesTheCount)
{
    const auto file = WavBuilder().Format(1, 1, 11025, 8).Cue(10).Mark(50, "note").Data(200).File();
    EXPECT_EQ(Parse(file).sampleCount, 200);
    EXPECT_EQ(Parse(file).loopStart, 10);
}

TEST(WavFile, LoopEndBeyondTheSamplesIsRefused)
{
    const auto file = WavBuilder().Format(1, 1, 11025, 8).Cue(150).Mark(100).Data(200).File();
    EXPECT_EQ(Parse(file), WavDescription{});
    const auto exact = WavBuilder().Format(1, 1, 11025, 8).Cue(100).Mark(100).Data(200).File();
    EXPECT_EQ(Parse(exact).sampleCount, 200);
    const auto startPast = WavBuilder().Format(1, 1, 11025, 8).Cue(500).Data(200).File();
    EXPECT_EQ(Parse(startPast), WavDescription{});
}

TEST(WavFile, ChunksAfterOddLengthsAreFoundThroughPadding)
{
    const auto file = WavBuilder().Chunk("junk", {1, 2, 3}).Format(1, 2, 8000, 16).Data(12).File();
    const WavDescription wav = Parse(file);
    EXPECT_EQ(wav.channels, 2);
    EXPECT_EQ(wav.sampleCount, 6);
}

TEST(WavFile, DataLengthPastTheFileIsCutToTheBytes)
{
    auto file = WavBuilder().Format(1, 1, 8000, 16).Data(100).File();
    file.resize(file.size() - 40); // cut short: 60 bytes of samples remain
    const WavDescription wav = Parse(file);
    EXPECT_EQ(wav.sampleCount, 30);
    EXPECT_LE(wav.dataOffset + wav.sampleCount * wav.bytesPerSample, int64_t(file.size()));
}

TEST(WavFile, HugeChunkLengthsDoNotWrap)
{
    auto file = WavBuilder().Chunk("junk", {0, 0}).Format(1, 1, 8000, 8).Data(10).File();
    // junk's length becomes 0xFFFFFFFF: the walk must stop, not wrap around.
    file[16] = file[17] = file[18] = file[19] = 0xFF;
    EXPECT_EQ(Parse(file), WavDescription{});
}

} // namespace
