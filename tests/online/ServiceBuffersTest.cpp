// WriteBuffer growth and patching, ReadBuffer reads that must not run past the data.
#include "online/buffers/ReadBuffer.h"
#include "online/buffers/WriteBuffer.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<uint8_t> Bytes(const WriteBuffer& w)
{
    return std::vector<uint8_t>(w.Data(), w.Data() + w.Size());
}

TEST(WriteBufferGrowth, ReachingTheCapacityGrows)
{
    WriteBuffer w(256);
    std::vector<uint8_t> filler(250, 1);
    w.Append(filler.data(), 250);
    EXPECT_EQ(w.Capacity(), 256u);
    const uint8_t six[6] = {9, 9, 9, 9, 9, 9};
    w.Append(six, 6);
    EXPECT_EQ(w.Capacity(), 524u);
    EXPECT_EQ(w.Size(), 256u);
    EXPECT_EQ(w.Data()[249], 1);
    EXPECT_EQ(w.Data()[255], 9);
}

TEST(WriteBufferGrowth, WriteAtBeyondTheCapacityGrowsWithoutChangingSize)
{
    WriteBuffer w(256);
    w.AppendLong(1);
    w.WriteLongAt(300, 0xaabbccdd);
    EXPECT_EQ(w.Capacity(), 608u);
    EXPECT_EQ(w.Size(), 4u);
    EXPECT_EQ(w.Data()[300], 0xdd);
    EXPECT_EQ(w.Data()[0], 1);
}

TEST(WriteBufferEncoding, LengthPatchedAfterComposing)
{
    WriteBuffer w(256);
    for (int i = 0; i < 10; ++i)
        w.AppendLong(0);
    w.WriteLongAt(0, w.Size());
    w.WriteShortAt(4, 0x0102);
    EXPECT_EQ(w.Size(), 40u);
    EXPECT_EQ(w.Data()[0], 40);
    EXPECT_EQ(w.Data()[1], 0);
    EXPECT_EQ(w.Data()[4], 0x02);
    EXPECT_EQ(w.Data()[5], 0x01);
}

TEST(WriteBufferEncoding, StringsCarryLengthsAndNoTerminator)
{
    WriteBuffer w(256);
    w.AppendString("ab");
    w.AppendWString(u"\u00e9Z");
    w.AppendWString(u"");
    w.AppendByte(0x7f);
    w.AppendShort(0xbeef);
    const std::vector<uint8_t> expected = {2, 0, 'a', 'b', 2, 0, 0xe9, 0x00, 'Z', 0, 0, 0, 0x7f, 0xef, 0xbe};
    EXPECT_EQ(Bytes(w), expected);
    w.Clear();
    EXPECT_EQ(w.Size(), 0u);
    EXPECT_EQ(w.Capacity(), 256u);
}

TEST(ReadBufferReads, DefaultHasNothingToRead)
{
    ReadBuffer r;
    uint8_t b = 42;
    EXPECT_FALSE(r.ReadByte(b));
    EXPECT_EQ(b, 42);
    EXPECT_EQ(r.Remaining(), 0u);
    uint32_t n = 7;
    r.ReadRest(n);
    EXPECT_EQ(n, 0u);
}

TEST(ReadBufferReads, ShortReadChangesNothing)
{
    const uint8_t data[] = {0x01, 0x02, 0x03};
    ReadBuffer r(data, 3);
    uint32_t v = 5;
    EXPECT_FALSE(r.ReadLong(v));
    EXPECT_EQ(v, 5u);
    EXPECT_EQ(r.Offset(), 0u);
    uint16_t s = 0;
    ASSERT_TRUE(r.ReadShort(s));
    EXPECT_EQ(s, 0x0201);
    EXPECT_FALSE(r.Skip(2));
    EXPECT_TRUE(r.Skip(1));
    EXPECT_EQ(r.Remaining(), 0u);
}

TEST(ReadBufferReads, WideStringWithMissingCharactersConsumesTheCount)
{
    const uint8_t data[] = {3, 0, 'a', 0, 'b', 0};
    ReadBuffer r(data, sizeof data);
    std::u16string w = u"keep";
    EXPECT_FALSE(r.ReadWString(w));
    EXPECT_EQ(w, u"keep");
    EXPECT_EQ(r.Offset(), 2u);
}

TEST(ReadBufferReads, WideStringHoldsExactlyItsCharacters)
{
    const uint8_t data[] = {2, 0, 'h', 0, 0xe9, 0, 0, 0, 0xff};
    ReadBuffer r(data, sizeof data);
    std::u16string w = u"previous text";
    ASSERT_TRUE(r.ReadWString(w));
    EXPECT_EQ(w, u"h\u00e9");
    ASSERT_TRUE(r.ReadWString(w));
    EXPECT_EQ(w, u"");
    uint32_t n = 0;
    const uint8_t* rest = r.ReadRest(n);
    ASSERT_EQ(n, 1u);
    EXPECT_EQ(rest[0], 0xff);
    EXPECT_EQ(r.Remaining(), 0u);
}

} // namespace
