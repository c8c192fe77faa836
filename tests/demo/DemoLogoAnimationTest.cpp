// The menu's logo strip of the demo world, read back with the launcher's own reader.
#include "DemoTreeFixture.h"
#include "app/AviFrameIndex.h"
#include "app/LogoAnimation.h"
#include "app/SearchPath.h"
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
    const QImage late = LogoAnimationPainter::Frame(backdrop, 60);
    // The top and bottom rows join the backdrop without a seam.
    for (int x = 0; x < LogoAnimationPainter::kWidth; x += 16) {
        EXPECT_LE(Difference(early, backdrop, x, 0), 3) << x;
        EXPECT_LE(Difference(early, backdrop, x, LogoAnimationPainter::kHeight - 1), 3) << x;
    }
    // The bird is on the right on the first frame (the still logo) and on the left
    // late in the loop.
    auto changedColumns = [&backdrop](const QImage& frame, int from, int to) {
        int changed = 0;
        for (int x = from; x < to; ++x)
            for (int y = 0; y < LogoAnimationPainter::kHeight; ++y)
                if (Difference(frame, backdrop, x, y) > 60) {
                    ++changed;
                    break;
                }
        return changed;
    };
    EXPECT_GT(changedColumns(early, 480, 640), 10);
    EXPECT_GT(changedColumns(late, 0, 200), 10);
    EXPECT_EQ(changedColumns(late, 480, 640), 0);
}

} // namespace
