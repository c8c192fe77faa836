#include "app/text/SkinBitmap.h"
#include "app/text/ButtonStrip.h"
#include "app/text/SkinBitmapImage.h"
#include "app/text/StringList.h"
#include "support/RecordingPrompt.h"
#include "support/SearchTree.h"

#include <gtest/gtest.h>

namespace {

void PutU32(QByteArray& bytes, int offset, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[offset + i] = char((value >> (8 * i)) & 0xFF);
}

// A bitmap file of the given size with a 40-byte information header and no pixels.
QByteArray BitmapFile(int width, int height)
{
    QByteArray bytes(14 + 40, '\0');
    bytes[0] = 'B';
    bytes[1] = 'M';
    PutU32(bytes, 2, uint32_t(bytes.size()));
    PutU32(bytes, 10, 54);
    PutU32(bytes, 14, 40);
    PutU32(bytes, 18, uint32_t(width));
    PutU32(bytes, 22, uint32_t(height));
    bytes[26] = 1; // one plane
    bytes.append("PIXELS");
    return bytes;
}

class SkinFixture : public ::testing::Test
{
protected:
    void SetUp() override { LoadedStringList().Clear(); }
    void TearDown() override
    {
        LoadedStringList().Clear();
        MainButtonStrip().Free();
    }
    RecordingPrompt prompt;
    SearchTree tree;
};

} // namespace

TEST_F(SkinFixture, BitmapIsKeptWithoutItsFileHeader)
{
    const QByteArray file = BitmapFile(20, 10);
    tree.WriteGame("gfx/shell/panel.bmp", file);
    const std::optional<SkinBitmap> bitmap = LoadSkinBitmap("panel");
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(bitmap->data()), int(bitmap->size())), file.mid(14));
    const auto size = BitmapSize(*bitmap);
    ASSERT_TRUE(size);
    EXPECT_EQ(size->width, 20);
    EXPECT_EQ(size->height, 10);
    EXPECT_TRUE(prompt.Texts().empty());
}

TEST_F(SkinFixture, MissingFileShowsMessage59WithTheFileName)
{
    LoadedStringList().Parse("59 \"missing: %s\"");
    EXPECT_FALSE(LoadSkinBitmap("nothere"));
    ASSERT_EQ(prompt.Texts().size(), 1u);
    EXPECT_EQ(prompt.Texts()[0], "missing: gfx/shell/nothere.bmp");
}

TEST_F(SkinFixture, FileWithoutTheBitmapSignatureYieldsNothing)
{
    QByteArray file = BitmapFile(4, 4);
    file[0] = 'X';
    tree.WriteGame("gfx/shell/bad.bmp", file);
    EXPECT_FALSE(LoadSkinBitmap("bad"));
    tree.WriteGame("gfx/shell/short.bmp", "BM");
    EXPECT_FALSE(LoadSkinBitmap("short"));
    EXPECT_TRUE(prompt.Texts().empty());
}

TEST(SkinBitmapSize, TopDownAndCutHeaders)
{
    QByteArray file = BitmapFile(8, -30);
    auto bitmap = ParseSkinBitmap(reinterpret_cast<const uint8_t*>(file.constData()), size_t(file.size()));
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(BitmapSize(*bitmap)->height, 30);
    bitmap->resize(20);
    EXPECT_FALSE(BitmapSize(*bitmap));
}

TEST_F(SkinFixture, ButtonCountFromTheStripHeight)
{
    tree.WriteGame("gfx/shell/btns_main.bmp", BitmapFile(156, 26 * 3 * 5));
    LoadButtonStrip();
    EXPECT_EQ(MainButtonStrip().CellSize().width, 156);
    EXPECT_EQ(MainButtonStrip().CellSize().height, 26);
    EXPECT_EQ(MainButtonStrip().ButtonCount(), 5);
    EXPECT_TRUE(prompt.Texts().empty());
}

TEST_F(SkinFixture, CellSizeFromString78)
{
    LoadedStringList().Parse("78 \"100 20\" 25 uneven");
    tree.WriteGame("gfx/shell/btns_main.bmp", BitmapFile(100, 20 * 3 * 2 + 7));
    LoadButtonStrip();
    EXPECT_EQ(MainButtonStrip().CellSize().width, 100);
    EXPECT_EQ(MainButtonStrip().CellSize().height, 20);
    EXPECT_EQ(MainButtonStrip().ButtonCount(), 2);
    ASSERT_EQ(prompt.Texts().size(), 1u);
    EXPECT_EQ(prompt.Texts()[0], "uneven");
}

TEST_F(SkinFixture, OutOfRangeCellValuesKeepTheDefaults)
{
    LoadedStringList().Parse("78 \"4000 26\"");
    EXPECT_EQ(ButtonStrip::CellSizeFromStrings().width, 156);
    EXPECT_EQ(ButtonStrip::CellSizeFromStrings().height, 26);
    LoadedStringList().Parse("78 \"1 2047\"");
    EXPECT_EQ(ButtonStrip::CellSizeFromStrings().width, 156);
    EXPECT_EQ(ButtonStrip::CellSizeFromStrings().height, 2047);
    LoadedStringList().Parse("78 \"2 2048\"");
    EXPECT_EQ(ButtonStrip::CellSizeFromStrings().width, 2);
    EXPECT_EQ(ButtonStrip::CellSizeFromStrings().height, 26);
}

namespace {

// A 2 x 2 bitmap file of 24 bits per pixel, bottom row first: blue, green / red, white.
QByteArray TwoByTwo()
{
    QByteArray file = BitmapFile(2, 2);
    file.chop(6); // the filler pixels of BitmapFile
    file[28] = 24;
    const uint8_t rows[] = {0, 0, 255, 255, 255, 255, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0};
    file.append(reinterpret_cast<const char*>(rows), sizeof rows);
    return file;
}

} // namespace

TEST(SkinBitmapImage, PixelsSurviveTheRoundTrip)
{
    const QByteArray file = TwoByTwo();
    const auto bitmap = ParseSkinBitmap(reinterpret_cast<const uint8_t*>(file.constData()), size_t(file.size()));
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(PixelDataOffset(*bitmap), std::optional<size_t>(40));
    const QImage image = SkinBitmapImage(*bitmap);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(2, 2));
    EXPECT_EQ(QColor(image.pixel(0, 1)), QColor(Qt::red));
    EXPECT_EQ(QColor(image.pixel(1, 1)), QColor(Qt::white));
    EXPECT_EQ(QColor(image.pixel(0, 0)), QColor(Qt::blue));
    EXPECT_EQ(QColor(image.pixel(1, 0)), QColor(Qt::green));
}

TEST(SkinBitmapImage, ColourTableBeyondTheBytesIsRefused)
{
    QByteArray file = BitmapFile(1, 1);
    file[28] = 8; // 256 colours expected, none present
    const auto bitmap = ParseSkinBitmap(reinterpret_cast<const uint8_t*>(file.constData()), size_t(file.size()));
    ASSERT_TRUE(bitmap);
    EXPECT_FALSE(PixelDataOffset(*bitmap));
    EXPECT_TRUE(SkinBitmapImage(*bitmap).isNull());
}
