// pldecal.wad: the file for each logo size read back by a WAD reader of the test's
// own, the logo colour as the last palette entry, refused sizes and failed writes
// that leave the old decal in place.
#include "LogoFiles.h"
#include "app/text/StringList.h"
#include "config/player/DecalWad.h"
#include "config/player/LogoFile.h"
#include "support/RecordingPrompt.h"
#include "support/SearchTree.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <cstring>

namespace {

uint32_t Word(const QByteArray& b, int at)
{
    return uint32_t(uint8_t(b[at])) | uint32_t(uint8_t(b[at + 1])) << 8 | uint32_t(uint8_t(b[at + 2])) << 16 |
           uint32_t(uint8_t(b[at + 3])) << 24;
}

// What a WAD3 reader finds in the file; fails the test on anything malformed.
struct DecalContents
{
    QByteArray lump;
    uint32_t width = 0;
    uint32_t height = 0;
    std::vector<QByteArray> levels;
    QByteArray palette; // 768 bytes
};

void ReadWad(const QByteArray& file, DecalContents& out)
{
    ASSERT_GE(file.size(), 12);
    ASSERT_EQ(file.left(4), QByteArray("WAD3"));
    ASSERT_EQ(Word(file, 4), 1u);
    const uint32_t directory = Word(file, 8);
    ASSERT_EQ(qsizetype(directory) + 32, file.size());
    const uint32_t position = Word(file, int(directory));
    const uint32_t diskSize = Word(file, int(directory) + 4);
    const uint32_t size = Word(file, int(directory) + 8);
    EXPECT_EQ(uint8_t(file[directory + 12]), 0x40);
    EXPECT_EQ(file[directory + 13], '\0');
    EXPECT_EQ(file.mid(directory + 14, 2), QByteArray(2, '\0'));
    EXPECT_EQ(file.mid(directory + 16, 16), QByteArray("LOGO") + QByteArray(12, '\0'));
    ASSERT_EQ(position, 12u);
    ASSERT_EQ(diskSize, size);
    ASSERT_EQ(position + size, directory);
    ASSERT_EQ(size % 4, 0u);
    out.lump = file.mid(position, size);

    const QByteArray& lump = out.lump;
    EXPECT_EQ(lump.left(5), QByteArray("LOGO", 5));
    out.width = Word(lump, 16);
    out.height = Word(lump, 20);
    uint32_t expected = 40;
    for (int level = 0; level < 4; ++level) {
        const uint32_t offset = Word(lump, 24 + level * 4);
        ASSERT_EQ(offset, expected) << "level " << level;
        const uint32_t bytes = (out.width >> level) * (out.height >> level);
        out.levels.push_back(lump.mid(offset, bytes));
        expected += bytes;
    }
    ASSERT_EQ(uint8_t(lump[expected]) | uint8_t(lump[expected + 1]) << 8, 256);
    out.palette = lump.mid(expected + 2, 768);
    ASSERT_EQ(out.palette.size(), 768);
    // Whatever follows the palette is padding.
    for (qsizetype i = expected + 2 + 768; i < lump.size(); ++i)
        EXPECT_EQ(uint8_t(lump[i]), 0xEA);
}

class DecalWadTest : public ::testing::Test
{
protected:
    QByteArray Decal() const { return tree.Tree().Read("logos/pldecal.wad"); }
    QByteArray GameDecal() const { return tree.Tree().Read("vrel/pldecal.wad"); }

    std::optional<LogoBitmap> WriteLogo(const char* name, const LogoFileLayout& layout)
    {
        tree.Tree().Write(QString("logos/") + name, BuildLogoFile(layout));
        return LoadLogo(name, LogoColourByName("Orange"));
    }

    SearchTree tree;
    RecordingPrompt prompt;
};

} // namespace

TEST_F(DecalWadTest, EachSizeReadsBackWithItsMipLevelsAndPalette)
{
    struct Size
    {
        int n;
        uint32_t lumpSize;
    };
    for (const Size size : {Size{16, 1152}, Size{32, 2172}, Size{64, 6252}}) {
        SCOPED_TRACE(size.n);
        LogoFileLayout layout;
        layout.width = layout.height = size.n;
        const auto logo = WriteLogo("logo.bmp", layout);
        ASSERT_TRUE(logo);
        ASSERT_EQ(WriteDecalWad(&*logo, LogoColourByName("Blue")), 0);
        EXPECT_TRUE(prompt.Texts().empty());

        const QByteArray file = Decal();
        EXPECT_EQ(file, GameDecal());
        EXPECT_EQ(file.size(), qsizetype(12 + size.lumpSize + 32));
        EXPECT_EQ(Word(file, 8), 12 + size.lumpSize);
        DecalContents wad;
        ReadWad(file, wad);
        EXPECT_EQ(wad.lump.size(), qsizetype(size.lumpSize));
        EXPECT_EQ(wad.width, uint32_t(size.n));
        EXPECT_EQ(wad.height, uint32_t(size.n));
        // The unwritten rest of the name field.
        EXPECT_EQ(wad.lump.mid(5, 11), QByteArray(11, char(0xEA)));
        for (int level = 0; level < 4; ++level) {
            const int n = size.n >> level;
            ASSERT_EQ(wad.levels[size_t(level)].size(), n * n);
            for (int y = 0; y < n; ++y)
                for (int x = 0; x < n; ++x)
                    ASSERT_EQ(uint8_t(wad.levels[size_t(level)][y * n + x]), LogoPixel(x << level, y << level))
                        << "level " << level << " at " << x << "," << y;
        }
        for (int i = 0; i < 255; ++i) {
            ASSERT_EQ(uint8_t(wad.palette[i * 3]), i / 2) << i;
            ASSERT_EQ(uint8_t(wad.palette[i * 3 + 1]), 255 - i) << i;
            ASSERT_EQ(uint8_t(wad.palette[i * 3 + 2]), i) << i;
        }
        EXPECT_EQ(wad.palette.right(3), QByteArray("\x00\x3c\xff", 3));
    }
}

TEST_F(DecalWadTest, SixteenPixelLevelsHoldTheirBytes)
{
    LogoFileLayout layout;
    const auto logo = WriteLogo("small.bmp", layout);
    ASSERT_TRUE(logo);
    std::string bytes;
    ASSERT_EQ(BuildDecalWad(*logo, LogoColourByName("Red"), bytes), 0);
    DecalContents wad;
    ReadWad(QByteArray(bytes.data(), qsizetype(bytes.size())), wad);
    std::vector<qsizetype> sizes;
    for (const QByteArray& level : wad.levels)
        sizes.push_back(level.size());
    EXPECT_EQ(sizes, (std::vector<qsizetype>{256, 64, 16, 4}));
}

TEST_F(DecalWadTest, DkgrayIsPaletteEntry255)
{
    LogoFileLayout layout;
    layout.width = layout.height = 32;
    const auto logo = WriteLogo("grey.bmp", layout);
    ASSERT_TRUE(logo);
    ASSERT_EQ(WriteDecalWad(&*logo, LogoColourByName("Dkgray")), 0);
    DecalContents wad;
    ReadWad(Decal(), wad);
    EXPECT_EQ(wad.palette.right(3), QByteArray("\x24\x24\x24", 3));
}

TEST_F(DecalWadTest, RefusedLogosShowTheirMessageAndLeaveTheOldDecal)
{
    tree.Tree().Write("logos/pldecal.wad", "old decal");
    tree.Tree().Write("vrel/pldecal.wad", "old game decal");

    LogoFileLayout wide;
    wide.width = 64;
    wide.height = 32;
    LogoFileLayout odd;
    odd.width = odd.height = 48;
    for (const auto& [layout, message] : {std::pair{wide, 441}, std::pair{odd, 443}}) {
        const auto logo = WriteLogo("refused.bmp", layout);
        ASSERT_TRUE(logo) << message;
        prompt.Clear();
        EXPECT_EQ(WriteDecalWad(&*logo, LogoColourByName("Green")), message);
        ASSERT_EQ(prompt.Texts().size(), 1u);
        EXPECT_EQ(prompt.Texts()[0], GetString(message));
    }
    // Wider than 64 cannot come from a file of at most 5192 bytes.
    LogoBitmap wider;
    wider.width = wider.height = 80;
    wider.pixels.resize(80 * 80);
    EXPECT_EQ(WriteDecalWad(&wider, LogoColourByName("Green")), 442);

    // Files that are no logo are never loaded, so nothing is written.
    LogoFileLayout rle;
    rle.compression = 1;
    EXPECT_FALSE(WriteLogo("rle.bmp", rle));
    tree.Tree().Write("logos/short.bmp", BuildLogoFile({}).left(100));
    EXPECT_FALSE(LoadLogo("short.bmp", LogoColourByName("Green")));
    prompt.Clear();
    EXPECT_EQ(WriteDecalWad(nullptr, LogoColourByName("Green")), 0);
    EXPECT_TRUE(prompt.Texts().empty());

    EXPECT_EQ(Decal(), QByteArray("old decal"));
    EXPECT_EQ(GameDecal(), QByteArray("old game decal"));
}

TEST_F(DecalWadTest, AFailedWriteIsReportedAndBothOldDecalsStay)
{
    tree.Tree().Write("logos/pldecal.wad", "old decal");
    // The game directory's copy cannot be replaced: a folder stands in its place.
    ASSERT_TRUE(QDir().mkpath(tree.Tree().Abs("vrel/pldecal.wad")));
    const auto logo = WriteLogo("logo.bmp", {});
    ASSERT_TRUE(logo);
    EXPECT_EQ(WriteDecalWad(&*logo, LogoColourByName("Orange")), 652);
    ASSERT_EQ(prompt.Texts().size(), 1u);
    EXPECT_NE(prompt.Texts()[0].find("pldecal.wad"), std::string::npos);
    EXPECT_EQ(Decal(), QByteArray("old decal"));

    // A read-only decal is replaced, as every generated file is.
    ASSERT_TRUE(QDir(tree.Tree().Abs("vrel")).rmdir("pldecal.wad"));
    QFile::setPermissions(tree.Tree().Abs("logos/pldecal.wad"), QFileDevice::ReadOwner);
    prompt.Clear();
    EXPECT_EQ(WriteDecalWad(&*logo, LogoColourByName("Orange")), 0);
    EXPECT_EQ(Decal().left(4), QByteArray("WAD3"));
    EXPECT_EQ(Decal(), GameDecal());
}
