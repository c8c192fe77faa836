// The video options' slider mapping and the gamma preview's pixel mapping.
#include "app/video/VideoOptions.h"
#include "app/video/GammaTable.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

TEST(VideoOptionsTest, SlidersScaleTheStoredValues)
{
    VideoOptions options;
    options.screenSize = 110;
    options.gamma = 2.2;
    options.brightness = 0.6;
    options.flag = 1.0;
    const VideoOptionSliders sliders = SlidersFor(options);
    EXPECT_EQ(sliders.screenSize, 11);
    EXPECT_EQ(sliders.gamma, 22);
    EXPECT_EQ(sliders.brightness, 6);
    EXPECT_TRUE(sliders.flag);
    const VideoOptions back = OptionsFor(sliders);
    EXPECT_DOUBLE_EQ(back.screenSize, 110);
    EXPECT_DOUBLE_EQ(back.gamma, 2.2);
    EXPECT_DOUBLE_EQ(back.brightness, 0.6);
    EXPECT_DOUBLE_EQ(back.flag, 1.0);
}

TEST(VideoOptionsTest, OutOfRangeValuesStayOnTheSliders)
{
    VideoOptions options;
    options.screenSize = 500;
    options.gamma = 0.5;
    options.brightness = std::numeric_limits<double>::quiet_NaN();
    const VideoOptionSliders sliders = SlidersFor(options);
    EXPECT_EQ(sliders.screenSize, kScreenSizeSlider.maximum);
    EXPECT_EQ(sliders.gamma, kGammaSlider.minimum);
    EXPECT_EQ(sliders.brightness, kBrightnessSlider.minimum);
}

TEST(VideoOptionsTest, GammaTableAppliesToEachChannel)
{
    QImage image(2, 1, QImage::Format_RGB32);
    image.setPixel(0, 0, qRgb(0, 128, 255));
    image.setPixel(1, 0, qRgb(64, 32, 16));
    const auto table = GammaTable(2.5, 0.5);
    const QImage result = ApplyGammaTable(image, table);
    EXPECT_EQ(result.pixel(0, 0), qRgb(table[0], table[128], table[255]));
    EXPECT_EQ(result.pixel(1, 0), qRgb(table[64], table[32], table[16]));
}

TEST(VideoOptionsTest, StorageHookReplacesTheRunValues)
{
    VideoOptions written;
    VideoOptionsStorage storage;
    storage.load = [] {
        VideoOptions options;
        options.gamma = 1.9;
        return options;
    };
    storage.save = [&](const VideoOptions& options) { written = options; };
    SetVideoOptionsStorage(storage);
    EXPECT_DOUBLE_EQ(LoadVideoOptions().gamma, 1.9);
    VideoOptions options;
    options.screenSize = 70;
    SaveVideoOptions(options);
    EXPECT_DOUBLE_EQ(written.screenSize, 70);
    SetVideoOptionsStorage({});
    SaveVideoOptions(options);
    EXPECT_DOUBLE_EQ(LoadVideoOptions().screenSize, 70);
}

} // namespace
