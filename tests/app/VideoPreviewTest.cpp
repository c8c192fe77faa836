// The gamma table and the screen-size rectangle of the video options preview.
#include "app/video/GammaTable.h"
#include "app/video/ScreenSizeRect.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

namespace {

TEST(GammaTableTest, NeutralBrightnessFollowsThePowerCurve)
{
    // With brightness 0 both branches reduce to (i / 255)^(2.5 / g) × 255.
    const auto linear = GammaTable(2.5, 0.0);
    for (int i = 0; i < 256; ++i)
        EXPECT_LE(std::abs(int(linear[size_t(i)]) - i), 1) << i;
    EXPECT_EQ(linear[0], 0);
    EXPECT_EQ(linear[255], 255);

    const auto steep = GammaTable(1.0, 0.0);
    EXPECT_EQ(steep[128], 45); // 0.50196^2.5 × 255 = 45.52
    EXPECT_EQ(steep[64], 8);   // 0.25098^2.5 × 255 = 8.05
    EXPECT_EQ(GammaTable(3.0, 0.0)[128], 143);
}

TEST(GammaTableTest, GammaIsClamped)
{
    EXPECT_EQ(GammaTable(0.2, 0.0), GammaTable(1.0, 0.0));
    EXPECT_EQ(GammaTable(9.0, 0.5), GammaTable(3.0, 0.5));
    EXPECT_EQ(GammaTable(NAN, NAN), GammaTable(1.0, 0.0));
}

TEST(GammaTableTest, MidBrightnessLowersTheThreshold)
{
    // t = 0.125 − 0.075 × 0.25 = 0.10625
    const auto table = GammaTable(2.5, 0.5);
    EXPECT_EQ(table[20], 23);   // below t: 0.07843 / t × 0.125 × 255 = 23.53
    EXPECT_EQ(table[100], 103); // above t: 103.25
}

TEST(GammaTableTest, HighBrightnessScalesAndClamps)
{
    const auto table = GammaTable(2.5, 2.0);
    EXPECT_EQ(table[0], 0);
    EXPECT_EQ(table[10], 38); // e = 0.0784, t = 0.05
    EXPECT_EQ(table[128], 255);
    EXPECT_EQ(table[255], 255);
    for (int i = 1; i < 256; ++i)
        EXPECT_GE(table[size_t(i)], table[size_t(i - 1)]);
}

void ExpectRect(const ScreenRect& r, int x, int y, int w, int h)
{
    EXPECT_EQ(r.x, x);
    EXPECT_EQ(r.y, y);
    EXPECT_EQ(r.width, w);
    EXPECT_EQ(r.height, h);
}

TEST(ScreenSizeRectTest, BelowMinimumCountsAsThirty)
{
    // bar 0.24 × 480 = 115.2; 0.3 × 640 = 192; 0.3 × 480 = 144; y = (480 − 115.2 − 144) / 2
    ExpectRect(ScreenSizeRect(20, 640, 480), 224, 110, 192, 144);
    const ScreenRect thirty = ScreenSizeRect(30, 640, 480);
    ExpectRect(thirty, 224, 110, 192, 144);
}

TEST(ScreenSizeRectTest, FullBarLimitsTheHeight)
{
    // 0.95 × 640 = 608; 0.95 × 480 = 456 is cut to 480 − 115.2, made even
    ExpectRect(ScreenSizeRect(95, 640, 480), 16, 0, 608, 364);
    // 0.95 × 320 = 304; 0.95 × 200 = 190 is cut to 200 − 48
    ExpectRect(ScreenSizeRect(95, 320, 200), 8, 0, 304, 152);
}

TEST(ScreenSizeRectTest, HalfBarFrom110)
{
    // bar 0.12 × 480 = 57.6, height cut to 422
    ExpectRect(ScreenSizeRect(110, 640, 480), 0, 0, 640, 422);
    ExpectRect(ScreenSizeRect(119, 640, 480), 0, 0, 640, 422);
}

TEST(ScreenSizeRectTest, NoBarFrom120)
{
    ExpectRect(ScreenSizeRect(120, 640, 480), 0, 0, 640, 480);
    ExpectRect(ScreenSizeRect(130, 640, 480), 0, 0, 640, 480);
}

TEST(ScreenSizeRectTest, NarrowPictureIsRaisedTo96)
{
    // 0.3 × 200 = 60 → 96 wide, height fraction 96 / 200 = 0.48 → 72; bar 36
    ExpectRect(ScreenSizeRect(30, 200, 150), 52, 21, 96, 72);
}

TEST(ScreenSizeRectTest, WidthIsAMultipleOfEight)
{
    const ScreenRect r = ScreenSizeRect(100, 333, 333);
    EXPECT_EQ(r.width, 328);
    EXPECT_EQ(r.height % 2, 0);
}

TEST(ScreenSizeRectTest, DegenerateAreas)
{
    ExpectRect(ScreenSizeRect(100, 0, 480), 0, 0, 0, 0);
    ExpectRect(ScreenSizeRect(100, 640, -1), 0, 0, 0, 0);
    const ScreenRect tiny = ScreenSizeRect(30, 50, 50);
    EXPECT_LE(tiny.x + tiny.width, 50);
    EXPECT_GE(tiny.x, 0);
}

} // namespace
