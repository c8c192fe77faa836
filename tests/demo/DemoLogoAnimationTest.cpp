// The menu's logo strip of the demo world, read back with the launcher's own reader.
#include "DemoTreeFixture.h"
#include "app/files/SearchPath.h"
#include "app/menu/AviFrameIndex.h"
#include "app/menu/LogoAnimation.h"
#include "demo/LogoAnimationPainter.h"
#include "demo/SplashPainter.h"

#include <QImage>

namespace {

using DemoLogoAnimationTest = DemoTreeTest;

int Difference(const QImage& a, const QImage& b, int x, int y)
{
    const QColor ca = a.pixelColor(x, y);
    const QColor cb = b.pixelColor(x, y);
    return std::abs(ca.red() - cb.red()) + std::abs(ca.green() - cb.green()) + std::abs(ca.blue() - cb.blue());
}

TEST_F(DemoLogoAnimationTest, LogoIsFoundAndLoopsThroughStripSizedFrames)
{
    const std::string path = FindLooseFile(LogoAnimation::kFileName);
    ASSERT_FALSE(path.empty());
    LogoAnimation logo;
    ASSERT_TRUE(logo.Load(path));
    EXPECT_EQ(logo.FrameCount(), LogoAnimationPainter::kFrames);
    EXPECT_EQ(logo.FrameIntervalMs(), 1000 / LogoAnimationPainter::kFramesPerSecond);
    logo.SetFlying(false);
    logo.Start();
    EXPECT_EQ(logo.Frame().size(), QSize(640, LogoAnimation::kStripBottom - LogoAnimation::kStripTop));
}

TEST(LogoAnimationPainter, FramesMatchTheSplashAtTheirEdgesAndTheBirdMoves)
{
    const QImage backdrop = SplashPainter::Paint().copy(0, LogoAnimationPainter::kTop, LogoAnimationPainter::kWidth,
                                                        LogoAnimationPainter::kHeight);
    const QImage early = LogoAnimationPainter::Frame(backdrop, 0);
    const QImage late = LogoAnimationPainter::Frame(backdrop, 30);
    // The top and bottom rows join the backdrop without a seam.
    for (int x = 0; x < LogoAnimationPainter::kWidth; x += 16) {
        EXPECT_LE(Difference(early, backdrop, x, 0), 3) << x;
        EXPECT_LE(Difference(early, backdrop, x, LogoAnimationPainter::kHeight - 1), 3) << x;
    }
    // The bird hovers right of the title on the first frame (the still logo) and
    // moves; it never crosses the title letters (the top 62 rows left of x = 340).
    auto birdCentre = [&backdrop](const QImage& frame) {
        int count = 0;
        qreal sum = 0;
        for (int x = 340; x < LogoAnimationPainter::kWidth; ++x)
            for (int y = 0; y < LogoAnimationPainter::kHeight; ++y)
                if (Difference(frame, backdrop, x, y) > 60) {
                    ++count;
                    sum += x;
                }
        return count > 0 ? sum / count : -1.0;
    };
    EXPECT_GT(birdCentre(early), 400);
    EXPECT_GT(std::abs(birdCentre(late) - birdCentre(early)), 30);
    for (int f = 0; f < LogoAnimationPainter::kFrames; f += 6) {
        const QImage frame = LogoAnimationPainter::Frame(backdrop, f);
        int overTitle = 0;
        for (int x = 0; x < 340; x += 2)
            for (int y = 0; y < 62; y += 2)
                overTitle += Difference(frame, backdrop, x, y) > 20;
        EXPECT_EQ(overTitle, 0) << "frame " << f;
    }
}

} // namespace
