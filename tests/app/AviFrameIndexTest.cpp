#include "app/menu/AviFrameIndex.h"
#include "support/AviBuilder.h"

#include <gtest/gtest.h>

using namespace AviBuilder;

namespace {

bool Parse(const QByteArray& bytes, AviFrameIndex& index)
{
    return ParseAviFrames(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size()), index);
}

QByteArray At(const QByteArray& bytes, const AviFrame& frame)
{
    return bytes.mid(qsizetype(frame.offset), qsizetype(frame.size));
}

TEST(AviFrameIndex, FramesOfTheMoviListWithTheHeadersTimeAndSize)
{
    const QByteArray file = Riff(List("hdrl", MainHeader(83333, 2, 640, 100)) + Chunk("JUNK", "pad") +
                                 List("movi", Chunk("00dc", "first") + Chunk("01wb", "sound") + Chunk("00db", "second!")) +
                                 Chunk("idx1", QByteArray(32, '\0')));
    AviFrameIndex index;
    ASSERT_TRUE(Parse(file, index));
    EXPECT_EQ(index.microsecondsPerFrame, 83333u);
    EXPECT_EQ(index.width, 640u);
    EXPECT_EQ(index.height, 100u);
    ASSERT_EQ(index.frames.size(), 2u);
    EXPECT_EQ(At(file, index.frames[0]), "first");
    EXPECT_EQ(At(file, index.frames[1]), "second!"); // after an odd chunk's padding
}

TEST(AviFrameIndex, FramesInsideRecordListsAndNotOutsideMovi)
{
    const QByteArray file = Riff(List("hdrl", Chunk("00dc", "not a frame")) +
                                 List("movi", List("rec ", Chunk("00dc", "a") + Chunk("00dc", "b"))));
    AviFrameIndex index;
    ASSERT_TRUE(Parse(file, index));
    ASSERT_EQ(index.frames.size(), 2u);
    EXPECT_EQ(At(file, index.frames[1]), "b");
    EXPECT_EQ(index.microsecondsPerFrame, 0u);
}

TEST(AviFrameIndex, FileCutShortKeepsTheWholeFramesBeforeTheCut)
{
    QByteArray file = Riff(List("movi", Chunk("00dc", "whole") + Chunk("00dc", "cut off here")));
    file.chop(4);
    AviFrameIndex index;
    ASSERT_TRUE(Parse(file, index));
    ASSERT_EQ(index.frames.size(), 1u);
    EXPECT_EQ(At(file, index.frames[0]), "whole");
}

TEST(AviFrameIndex, OtherFilesAndFilesWithoutFramesAreRefused)
{
    AviFrameIndex index;
    EXPECT_FALSE(Parse(QByteArray("RIFF\x04\0\0\0WAVE", 12), index));
    EXPECT_FALSE(Parse(QByteArray("RIFX"), index));
    EXPECT_FALSE(Parse(Riff(List("hdrl", MainHeader(1000, 0, 1, 1))), index));
    EXPECT_FALSE(Parse(Riff(List("movi", Chunk("00dc", ""))), index));
    EXPECT_FALSE(ParseAviFrames(nullptr, 0, index));
    // A length that points far past the end.
    EXPECT_FALSE(Parse(Riff(QByteArray("LIST") + U32(0xFFFFFFF0u) + "movi00dc"), index));
}

TEST(AviFrameIndex, FrameCountIsBounded)
{
    QByteArray movi;
    for (size_t i = 0; i < kMaxAviFrames + 5; ++i)
        movi += Chunk("00dc", "xx");
    AviFrameIndex index;
    ASSERT_TRUE(Parse(Riff(List("movi", movi)), index));
    EXPECT_EQ(index.frames.size(), kMaxAviFrames);
}

} // namespace
