// The skin bitmaps, player previews and logos of the demo world.
#include "DemoTreeFixture.h"

#include "demo/ButtonPainter.h"
#include "demo/DialogPainter.h"
#include "demo/IconPainter.h"
#include "demo/PicturePainter.h"
#include "demo/SkinPainter.h"

#include <QDir>
#include <QImage>
#include <QtEndian>

namespace {

QSize BitmapSize(const QByteArray& bytes)
{
    QImage image;
    return image.loadFromData(bytes, "BMP") ? image.size() : QSize();
}

} // namespace

TEST_F(DemoTreeTest, EveryShellBitmapIsAWindowsBitmap)
{
    const QStringList files = QDir(Abs("vrel/gfx/shell")).entryList({"*.bmp"}, QDir::Files);
    EXPECT_EQ(files.size(), qsizetype(SkinPainter::ShellBitmaps().size()));
    for (const QString& file : files) {
        const QByteArray bytes = Read("vrel/gfx/shell/" + file);
        EXPECT_TRUE(bytes.startsWith("BM")) << file.toStdString();
        EXPECT_TRUE(BitmapSize(bytes).isValid()) << file.toStdString();
    }
}

TEST_F(DemoTreeTest, MenuBitmapsHaveTheSizesTheMenuLaysOut)
{
    EXPECT_EQ(BitmapSize(Read("vrel/gfx/shell/splash.bmp")), QSize(640, 480));
    const QSize strip = BitmapSize(Read("vrel/gfx/shell/btns_main.bmp"));
    EXPECT_EQ(strip.width(), ButtonPainter::kCellWidth);
    ASSERT_EQ(strip.height() % ButtonPainter::kCellHeight, 0);
    EXPECT_EQ(strip.height() / ButtonPainter::kCellHeight / 3, ButtonPainter::MainLabels().size());
    EXPECT_EQ(ButtonPainter::MainLabels().size(), 10);
    for (const char* name : {"min_n", "min_d", "min_f", "cls_n", "cls_d", "cls_f"})
        EXPECT_EQ(BitmapSize(Read(QStringLiteral("vrel/gfx/shell/%1.bmp").arg(name))), QSize(19, 19)) << name;
    for (const QString& icon : IconPainter::Names())
        EXPECT_EQ(BitmapSize(Read("vrel/gfx/shell/" + icon + ".bmp")), QSize(16, 16)) << icon.toStdString();
    for (const auto& [name, size] : DialogPainter::Backgrounds())
        EXPECT_EQ(BitmapSize(Read("vrel/gfx/shell/" + name + ".bmp")), size) << name.toStdString();
    EXPECT_TRUE(BitmapSize(Read("vrel/gfx/shell/gamma.bmp")).isValid());
}

TEST_F(DemoTreeTest, ButtonStatesDifferFromOneAnother)
{
    QImage strip;
    ASSERT_TRUE(strip.loadFromData(Read("vrel/gfx/shell/btns_main.bmp"), "BMP"));
    const int h = ButtonPainter::kCellHeight;
    for (int button = 0; button < strip.height() / h / 3; ++button) {
        const QImage normal = strip.copy(0, button * 3 * h, ButtonPainter::kCellWidth, h);
        const QImage highlighted = strip.copy(0, (button * 3 + 1) * h, ButtonPainter::kCellWidth, h);
        const QImage pressed = strip.copy(0, (button * 3 + 2) * h, ButtonPainter::kCellWidth, h);
        EXPECT_NE(normal, highlighted) << button;
        EXPECT_NE(highlighted, pressed) << button;
        if (button > 0) {
            EXPECT_NE(normal, strip.copy(0, (button - 1) * 3 * h, ButtonPainter::kCellWidth, h)) << button;
        }
    }
}

TEST_F(DemoTreeTest, DialogSurfaceIsTheDialogGrey)
{
    QImage dialog;
    ASSERT_TRUE(dialog.loadFromData(Read("vrel/gfx/shell/dialog.bmp"), "BMP"));
    // Where the controls sit, left of the watermark and below the title band.
    EXPECT_EQ(QColor(dialog.pixel(60, 120)), QColor(63, 63, 63));
    EXPECT_EQ(QColor(dialog.pixel(200, 200)), QColor(63, 63, 63));
}

TEST_F(DemoTreeTest, PlayerPreviewsInTheArchiveAreBitmaps)
{
    for (const DemoPlayerModel& model : PicturePainter::PlayerModels()) {
        const std::string name = "models/player/" + model.name.toStdString() + "/" + model.name.toStdString() + ".bmp";
        const QByteArray bytes = ReadArchived(name);
        EXPECT_TRUE(bytes.startsWith("BM")) << name;
        EXPECT_EQ(BitmapSize(bytes), QSize(PicturePainter::kPreviewWidth, PicturePainter::kPreviewHeight)) << name;
    }
}

TEST_F(DemoTreeTest, LogosAreSmallEightBitBitmaps)
{
    constexpr int kMaxLogoFile = 5192;
    for (const QString& name : PicturePainter::LogoNames()) {
        const QByteArray bytes = Read("logos/" + name + ".bmp");
        ASSERT_GE(bytes.size(), 54 + 1024) << name.toStdString();
        EXPECT_TRUE(bytes.startsWith("BM"));
        EXPECT_LE(bytes.size(), kMaxLogoFile) << name.toStdString();
        EXPECT_EQ(qFromLittleEndian<quint16>(bytes.constData() + 28), 8) << "bits per pixel";
        const quint32 colours = qFromLittleEndian<quint32>(bytes.constData() + 46);
        EXPECT_TRUE(colours == 0 || colours == 256) << colours;
        // Pixel data follows a full 256-entry colour table.
        EXPECT_EQ(qFromLittleEndian<quint32>(bytes.constData() + 10), 14u + 40u + 1024u);
    }
}
