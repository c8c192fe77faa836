// Spray logos: the listing, the checks every logo file passes before it is used, and
// the tinted preview.
#include "LogoFiles.h"
#include "config/player/LogoFile.h"
#include "support/SearchTree.h"

#include <gtest/gtest.h>

namespace {

std::optional<LogoBitmap> Parse(const QByteArray& bytes, LogoRefusal* why)
{
    return ParseLogo(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size()), why);
}

const LogoColour kOrange = LogoColourByName("Orange");

} // namespace

TEST(LogoFile, ReadsTheIndicesTopRowFirstAndThePaletteAsRedGreenBlue)
{
    LogoFileLayout layout;
    layout.width = 32;
    layout.height = 32;
    LogoRefusal why = LogoRefusal::TooLarge;
    const auto logo = Parse(BuildLogoFile(layout), &why);
    ASSERT_TRUE(logo);
    EXPECT_EQ(why, LogoRefusal::None);
    EXPECT_EQ(logo->width, 32);
    EXPECT_EQ(logo->height, 32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            ASSERT_EQ(logo->pixels[size_t(y * 32 + x)], LogoPixel(x, y)) << x << "," << y;
    EXPECT_EQ(logo->palette[200 * 3], 100);     // red
    EXPECT_EQ(logo->palette[200 * 3 + 1], 55);  // green
    EXPECT_EQ(logo->palette[200 * 3 + 2], 200); // blue
}

TEST(LogoFile, RefusesEveryFileThatIsNotAWholeEightBitBitmap)
{
    struct Case
    {
        const char* what;
        QByteArray bytes;
        LogoRefusal why;
    };
    LogoFileLayout good;
    QByteArray hundred = BuildLogoFile(good).left(100);
    QByteArray notBm = BuildLogoFile(good);
    notBm[0] = 'X';
    LogoFileLayout big;
    big.width = big.height = 64;
    LogoFileLayout rle = good;
    rle.compression = 1;
    LogoFileLayout core = good;
    core.infoHeaderBytes = 12;
    LogoFileLayout topDown = good;
    topDown.topDown = true;
    LogoFileLayout fourBit = good;
    fourBit.bitsPerPixel = 4;
    LogoFileLayout twoPlanes = good;
    twoPlanes.planes = 2;
    LogoFileLayout fewColours = good;
    fewColours.coloursUsed = 16;
    LogoFileLayout huge;
    huge.width = huge.height = 72;
    LogoFileLayout zero = good;
    zero.width = 0;

    const Case cases[] = {
        {"a 100-byte BM file", hundred, LogoRefusal::Short},
        {"no BM", notBm, LogoRefusal::NotBitmap},
        {"64 x 64 in 2,000 bytes", BuildLogoFile(big).left(2000), LogoRefusal::Short},
        {"RLE8", BuildLogoFile(rle), LogoRefusal::Compressed},
        {"12-byte header", BuildLogoFile(core), LogoRefusal::WrongHeader},
        {"top-down rows", BuildLogoFile(topDown), LogoRefusal::TopDown},
        {"4 bits per pixel", BuildLogoFile(fourBit), LogoRefusal::WrongFormat},
        {"two planes", BuildLogoFile(twoPlanes), LogoRefusal::WrongFormat},
        {"16 colours", BuildLogoFile(fewColours), LogoRefusal::WrongPalette},
        {"over 5192 bytes", BuildLogoFile(huge), LogoRefusal::TooLarge},
        {"zero width", BuildLogoFile(zero), LogoRefusal::WrongSize},
        {"two bytes", QByteArray("BM"), LogoRefusal::Short},
    };
    for (const Case& c : cases) {
        LogoRefusal why = LogoRefusal::None;
        EXPECT_FALSE(Parse(c.bytes, &why)) << c.what;
        EXPECT_EQ(why, c.why) << c.what;
    }
    // The pixels may not start inside the colour table.
    QByteArray early = BuildLogoFile(good);
    early[10] = char(0x10);
    early[11] = 0;
    EXPECT_FALSE(Parse(early, nullptr));
}

TEST(LogoFile, ListIsSortedAndTakesBmpInAnyCase)
{
    SearchTree tree;
    const QByteArray logo = BuildLogoFile({});
    for (const char* name : {"zebra.bmp", "Alpha.BMP", "mid.Bmp", "notes.txt", "pldecal.wad", "bmp"})
        tree.Tree().Write(QString("logos/") + name, logo);
    const std::vector<std::string> names = ListLogos();
    EXPECT_EQ(names, (std::vector<std::string>{"Alpha.BMP", "mid.Bmp", "zebra.bmp"}));
}

TEST(LogoFile, NoneWithTwoLogosSelectsTheFirst)
{
    const std::vector<std::string> logos = {"a.bmp", "b.bmp"};
    EXPECT_EQ(LogoAt(logos, CurrentLogoIndex(logos, "None")), "a.bmp");
    EXPECT_EQ(LogoAt(logos, CurrentLogoIndex(logos, "b.bmp")), "b.bmp");
    EXPECT_EQ(CurrentLogoIndex(logos, "gone.bmp"), 0);
    EXPECT_EQ(LogoAt(logos, 2), "None");
    EXPECT_EQ(LogoAt({}, CurrentLogoIndex({}, "None")), "None");
}

TEST(LogoFile, LoadsOnlyPlainFilesOfTheLogoFolder)
{
    SearchTree tree;
    tree.Tree().Write("logos/ok.bmp", BuildLogoFile({}));
    tree.Tree().Write("secret.bmp", BuildLogoFile({}));
    tree.Tree().Write("logos/big.bmp", BuildLogoFile({}) + QByteArray(5192, '\0'));
    EXPECT_TRUE(LoadLogo("ok.bmp", kOrange));
    EXPECT_FALSE(LoadLogo("../secret.bmp", kOrange));
    EXPECT_FALSE(LoadLogo("missing.bmp", kOrange));
    EXPECT_FALSE(LoadLogo("None", kOrange));
    LogoRefusal why = LogoRefusal::None;
    EXPECT_FALSE(LoadLogo("big.bmp", kOrange, &why));
    EXPECT_EQ(why, LogoRefusal::TooLarge);
}

TEST(LogoFile, PreviewIsTintedAndTheDecalPaletteIsNot)
{
    auto logo = Parse(BuildLogoFile({}), nullptr);
    ASSERT_TRUE(logo);
    const auto palette = logo->palette;
    TintLogoPreview(*logo, kOrange);
    EXPECT_EQ(logo->preview[0], 0xff000000u);
    EXPECT_EQ(logo->preview[128], 0xff000000u | 127u << 16 | 90u << 8 | 12u);
    EXPECT_EQ(logo->preview[255], 0xff000000u | 254u << 16 | 179u << 8 | 23u);
    EXPECT_EQ(logo->palette, palette);
}

TEST(LogoColorTable, NamesInOrderAndUnknownNamesAreBlack)
{
    std::vector<std::string> names;
    for (const LogoColour& c : LogoColorTable())
        names.push_back(c.name);
    EXPECT_EQ(names,
              (std::vector<std::string>{"Orange", "Blue", "Ltblue", "Green", "Red", "Brown", "Ltgray", "Dkgray"}));
    const LogoColour blue = LogoColourByName("LTBLUE");
    EXPECT_EQ(blue.red, 0);
    EXPECT_EQ(blue.green, 167);
    EXPECT_EQ(blue.blue, 255);
    const LogoColour none = LogoColourByName("Purple");
    EXPECT_EQ(none.red + none.green + none.blue, 0);
}
