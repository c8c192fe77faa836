// CMessageBuffer: composing datagrams, and reads that run past the valid bytes.
#include "online/buffers/CMessageBuffer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

void Load(CMessageBuffer& msg, const std::vector<uint8_t>& bytes)
{
    msg.Clear();
    std::memcpy(msg.Data(), bytes.data(), bytes.size());
    msg.SetSize(int(bytes.size()));
    msg.BeginReading();
}

std::vector<uint8_t> Bytes(const CMessageBuffer& msg)
{
    return std::vector<uint8_t>(msg.Data(), msg.Data() + msg.Size());
}

TEST(MessageBufferCompose, SmallCapacityIsRaisedTo256)
{
    CMessageBuffer msg(100);
    EXPECT_EQ(msg.Capacity(), 256);
    CMessageBuffer big(8192);
    EXPECT_EQ(big.Capacity(), 8192);
}

TEST(MessageBufferCompose, InfoRequestIsSixteenBytes)
{
    CMessageBuffer msg(8192);
    msg.Clear();
    msg.WriteLong(-1);
    msg.WriteString("infostring\n");
    const std::vector<uint8_t> expected = {0xff, 0xff, 0xff, 0xff, 'i', 'n', 'f',  'o',
                                           's',  't',  'r',  'i',  'n', 'g', '\n', 0};
    EXPECT_EQ(Bytes(msg), expected);
}

TEST(MessageBufferCompose, MissingStringWritesOneZeroByte)
{
    CMessageBuffer msg(256);
    msg.WriteString(static_cast<const char*>(nullptr));
    ASSERT_EQ(msg.Size(), 1);
    EXPECT_EQ(msg.Data()[0], 0);
}

TEST(MessageBufferCompose, LongIsLittleEndianAndByteKeepsLowBits)
{
    CMessageBuffer msg(256);
    msg.WriteLong(0x12345678);
    msg.WriteByte(0x1ff);
    const std::vector<uint8_t> expected = {0x78, 0x56, 0x34, 0x12, 0xff};
    EXPECT_EQ(Bytes(msg), expected);
}

TEST(MessageBufferCompose, OverflowEmptiesTheMessageAndKeepsTheLastWrite)
{
    CMessageBuffer msg(256);
    std::vector<uint8_t> filler(250, 'x');
    msg.WriteData(filler.data(), int(filler.size()));
    EXPECT_FALSE(msg.Overflowed());
    msg.WriteLong(0x01020304); // 254: still fits
    msg.WriteLong(0x0a0b0c0d); // 258: does not
    EXPECT_TRUE(msg.Overflowed());
    const std::vector<uint8_t> expected = {0x0d, 0x0c, 0x0b, 0x0a};
    EXPECT_EQ(Bytes(msg), expected);
    // The rest of the storage was zero-filled.
    EXPECT_EQ(msg.Data()[10], 0);
}

TEST(MessageBufferCompose, ClearZeroFillsButKeepsCursorAndFlag)
{
    CMessageBuffer msg(256);
    Load(msg, {1, 2});
    msg.ReadLong();
    ASSERT_TRUE(msg.BadRead());
    msg.ReadByte();
    msg.Clear();
    EXPECT_EQ(msg.Size(), 0);
    EXPECT_EQ(msg.Data()[0], 0);
    EXPECT_EQ(msg.ReadCount(), 1);
    EXPECT_TRUE(msg.BadRead());
}

TEST(MessageBufferRead, ValuesAreLittleEndianAndSigned)
{
    CMessageBuffer msg(256);
    Load(msg, {0x80, 0x80, 0xfe, 0xff, 0xfe, 0xff, 0xff, 0xff, 0x00, 0x00, 0xc0, 0x3f});
    EXPECT_EQ(msg.ReadChar(), -128);
    EXPECT_EQ(msg.ReadByte(), 0x80);
    EXPECT_EQ(msg.ReadShort(), -2);
    EXPECT_EQ(msg.ReadLong(), -2);
    EXPECT_FLOAT_EQ(msg.ReadFloat(), 1.5f);
    EXPECT_FALSE(msg.BadRead());
    EXPECT_EQ(msg.ReadCount(), msg.Size());
}

TEST(MessageBufferRead, ShortLongReadLeavesTheCursor)
{
    CMessageBuffer msg(256);
    Load(msg, {7, 8, 9});
    EXPECT_EQ(msg.ReadLong(), -1);
    EXPECT_TRUE(msg.BadRead());
    EXPECT_EQ(msg.ReadCount(), 0);
    EXPECT_EQ(msg.ReadByte(), 7);
}

TEST(MessageBufferRead, EveryWidthFailsAtTheEnd)
{
    CMessageBuffer msg(256);
    Load(msg, {1});
    EXPECT_EQ(msg.ReadShort(), -1);
    EXPECT_TRUE(msg.BadRead());
    EXPECT_EQ(msg.ReadByte(), 1);
    EXPECT_EQ(msg.ReadByte(), -1);
    EXPECT_EQ(msg.ReadChar(), -1);
    EXPECT_EQ(msg.ReadCount(), 1);
}

TEST(MessageBufferRead, ShortFloatAdvancesByFourWithoutTheBadReadFlag)
{
    CMessageBuffer msg(256);
    // The bytes beyond the valid three would make 1.5 (00 00 C0 3F): they are not read.
    Load(msg, {0x00, 0x00, 0xc0, 0x3f});
    msg.SetSize(3);
    EXPECT_EQ(msg.ReadFloat(), CMessageBuffer::kShortFloat);
    EXPECT_FALSE(msg.BadRead());
    EXPECT_EQ(msg.ReadCount(), 4);
    // Past the end now, the next fixed-size read fails as usual.
    EXPECT_EQ(msg.ReadByte(), -1);
    EXPECT_TRUE(msg.BadRead());
    EXPECT_EQ(msg.ReadCount(), 4);
    EXPECT_EQ(msg.ReadFloat(), CMessageBuffer::kShortFloat);
    EXPECT_EQ(msg.ReadCount(), 8);
}

TEST(MessageBufferComposeDeathTest, WriteLargerThanTheBufferEndsTheProgramWithStatusOne)
{
    CMessageBuffer msg(256);
    const std::vector<uint8_t> large(300, 'x');
    EXPECT_EXIT(msg.WriteData(large.data(), int(large.size())), ::testing::ExitedWithCode(1),
                "too large for its buffer");
}

TEST(MessageBufferComposeDeathTest, OverflowWhereItIsNotAllowedEndsTheProgramWithStatusOne)
{
    CMessageBuffer msg(256);
    msg.SetAllowOverflow(false);
    const std::vector<uint8_t> filler(250, 'x');
    msg.WriteData(filler.data(), int(filler.size()));
    EXPECT_EXIT(msg.WriteData(filler.data(), 10), ::testing::ExitedWithCode(1), "grew past the end");
}

TEST(MessageBufferRead, BeginReadingResetsCursorAndFlag)
{
    CMessageBuffer msg(256);
    Load(msg, {5});
    msg.ReadLong();
    msg.ReadByte();
    msg.BeginReading();
    EXPECT_FALSE(msg.BadRead());
    EXPECT_EQ(msg.ReadCount(), 0);
}

TEST(MessageBufferRead, SizeCannotExceedTheStorage)
{
    CMessageBuffer msg(256);
    msg.SetSize(100000);
    EXPECT_EQ(msg.Size(), 256);
    msg.SetSize(-5);
    EXPECT_EQ(msg.Size(), 0);
}

TEST(MessageBufferString, StopsAtByte255AndConsumesIt)
{
    CMessageBuffer msg(256);
    Load(msg, {0x61, 0x62, 0xff, 0x63, 0x00});
    EXPECT_EQ(msg.ReadString(), "ab");
    EXPECT_EQ(msg.ReadCount(), 3);
    EXPECT_FALSE(msg.BadRead());
    EXPECT_EQ(msg.ReadString(), "c");
}

TEST(MessageBufferString, AtTheEndIsEmptyAndBad)
{
    CMessageBuffer msg(256);
    Load(msg, {'a', 0});
    EXPECT_EQ(msg.ReadString(), "a");
    EXPECT_FALSE(msg.BadRead());
    EXPECT_EQ(msg.ReadString(), "");
    EXPECT_TRUE(msg.BadRead());
}

TEST(MessageBufferString, UnterminatedStringEndsAtTheData)
{
    CMessageBuffer msg(256);
    Load(msg, {'a', 'b', 'c'});
    EXPECT_EQ(msg.ReadString(), "abc");
    EXPECT_TRUE(msg.BadRead());
    EXPECT_EQ(msg.ReadCount(), 3);
}

TEST(MessageBufferString, LongStringIsReadIn2047CharacterPieces)
{
    CMessageBuffer msg(8192);
    std::string text(3000, 'q');
    text[0] = 'A';
    text[2047] = 'B';
    msg.WriteString(text);
    msg.BeginReading();
    const std::string first = msg.ReadString();
    ASSERT_EQ(first.size(), 2047u);
    EXPECT_EQ(first, text.substr(0, 2047));
    const std::string rest = msg.ReadString();
    ASSERT_EQ(rest.size(), 953u);
    EXPECT_EQ(rest[0], 'B');
    EXPECT_FALSE(msg.BadRead());
}

} // namespace
