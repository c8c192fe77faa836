// The launcher service table the engine is given: its values, the launcher's own
// entries and the video services over the real mode list and engine surface.
#include "app/engine/LauncherServiceTable.h"
#include "app/engine/VideoServices.h"
#include "app/settings/LauncherState.h"
#include "app/text/StringList.h"
#include "app/video/EngineSurface.h"
#include "app/video/SurfaceCache.h"
#include "app/video/VideoState.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

template <typename Fn> Fn Service(int entry)
{
    return reinterpret_cast<Fn>(LauncherServices().entries[entry]);
}

VideoMode Mode(int kind, int width, int height, bool is555 = false, bool halfSize = false)
{
    VideoMode mode;
    mode.kind = kind;
    mode.width = width;
    mode.height = height;
    mode.is555 = is555;
    mode.halfSize = halfSize;
    mode.text = std::to_string(width) + " x " + std::to_string(height);
    return mode;
}

// Keeps the process-wide video state and surface as they were.
class LauncherServiceTableTest : public ::testing::Test
{
protected:
    void SetUp() override { m_saved = Video(); }
    void TearDown() override
    {
        TheEngineSurface().Release();
        Video() = m_saved;
    }

private:
    VideoState m_saved;
};

} // namespace

TEST_F(LauncherServiceTableTest, HoldsTheValuesAndEntriesOfTheLauncher)
{
    Launcher().mmx = 1;
    Launcher().cpuMhz = 450;
    FillLauncherServiceTable();
    const LauncherServiceTable& table = LauncherServices();
    EXPECT_EQ(table.entries[kServiceMmx], 1u);
    EXPECT_EQ(table.entries[kServiceCpuMhz], 450u);
    EXPECT_NE(table.entries[kServiceNothing11], 0u);
    EXPECT_NE(table.entries[kServiceNothing12], 0u);
    EXPECT_NE(table.entries[kServiceNothing21], 0u);
    EXPECT_NE(table.entries[kServiceFatalError], 0u);
    for (int entry = kServiceVideoSettings; entry <= kServiceReleaseSurface; ++entry)
        EXPECT_NE(table.entries[entry], 0u) << "entry " << entry;
    EXPECT_NE(table.entries[kServiceD3DActivation], 0u);
    EXPECT_NE(table.entries[kServiceSurfaceCache], 0u);

    const auto text = Service<LauncherStringFn>(kServiceLocalisedString);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(std::string(text(137)), GetString(137));

    // A later fill follows the values: nothing of the earlier one stays.
    Launcher().mmx = 0;
    Launcher().cpuMhz = 1200;
    FillLauncherServiceTable();
    EXPECT_EQ(table.entries[kServiceMmx], 0u);
    EXPECT_EQ(table.entries[kServiceCpuMhz], 1200u);
}

TEST_F(LauncherServiceTableTest, VideoServicesDescribeTheModesAndTheSettings)
{
    Video().modes = {Mode(kModeWindowed, 640, 480), Mode(kModeFullScreenDib, 800, 600),
                     Mode(kModeFullScreen, 1024, 768)};
    Video().currentMode = 1;
    Video().record.width = 800;
    Video().record.height = 600;
    FillLauncherServiceTable();

    EXPECT_EQ(Service<LauncherIntFn>(kServiceModeCount)(), 3);
    EXPECT_EQ(Service<LauncherIntFn>(kServiceCurrentMode)(), 1);
    const auto describe = Service<LauncherModeTextFn>(kServiceModeDescription);
    EXPECT_STREQ(describe(0), "640 x 480 windowed");
    EXPECT_STREQ(describe(1), "800 x 600 fullscreen DIB");
    EXPECT_STREQ(describe(2), "1024 x 768");
    EXPECT_STREQ(describe(3), "");
    EXPECT_STREQ(describe(-1), "");
    const auto* record = static_cast<const VideoSettingsRecord*>(Service<LauncherRecordFn>(kServiceVideoSettings)());
    ASSERT_EQ(record, &Video().record);
    EXPECT_EQ(record->width, 800);

    const auto cache = Service<LauncherSurfaceCacheFn>(kServiceSurfaceCache);
    EXPECT_EQ(cache(800, 600), SurfaceCacheSize(800, 600));
    EXPECT_EQ(cache(800, 600), 800 * 600 * 6 + 2953728);
    EXPECT_EQ(cache(160, 100), 3145728);

    Service<LauncherIntArgFn>(kServiceD3DActivation)(0);
    EXPECT_FALSE(Direct3DActive());
    Service<LauncherIntArgFn>(kServiceD3DActivation)(1);
    EXPECT_TRUE(Direct3DActive());
}

TEST_F(LauncherServiceTableTest, SurfaceLocksNestAndItsDescriptionFollowsTheMode)
{
    Video().modes = {Mode(kModeWindowed, 640, 480, true, true)};
    FillLauncherServiceTable();
    const auto lock = Service<LauncherLockSurfaceFn>(kServiceLockSurface);
    const auto unlock = Service<LauncherVoidFn>(kServiceUnlockSurface);
    const auto describe = Service<LauncherDescribeSurfaceFn>(kServiceSurfaceDescription);

    int pitch = -1;
    EngineSurfaceDescription description{};
    EXPECT_EQ(lock(&pitch), nullptr); // no surface yet
    EXPECT_EQ(describe(&description), 0);
    EXPECT_EQ(Service<LauncherSetUpSurfaceFn>(kServiceSetUpSurface)(5), 0);

    ASSERT_EQ(Service<LauncherSetUpSurfaceFn>(kServiceSetUpSurface)(0), 1);
    auto* pixels = static_cast<uint8_t*>(lock(&pitch));
    ASSERT_NE(pixels, nullptr);
    EXPECT_EQ(pitch, 320 * 2); // half of 640, two bytes a pixel
    EXPECT_EQ(pixels[0], 0);
    pixels[239 * pitch + pitch - 1] = 0x7f; // the last byte of the last row is ours
    EXPECT_EQ(lock(nullptr), pixels);

    ASSERT_EQ(describe(&description), 1);
    EXPECT_EQ(description.size, 80u);
    EXPECT_EQ(description.width, 320);
    EXPECT_EQ(description.height, 240);
    EXPECT_EQ(description.pitch, 640);
    EXPECT_EQ(description.bitsPerPixel, 16);
    EXPECT_EQ(description.greenMask, 0x03e0u);
    EXPECT_EQ(description.redMask, 0x7c00u);
    EXPECT_EQ(description.halfSize, 1);
    EXPECT_FLOAT_EQ(description.aspect, 1.0f);
    EXPECT_EQ(description.virtualWidth, 320);
    EXPECT_EQ(description.virtualHeight, 200);
    EXPECT_EQ(description.lockCount, 2);

    unlock();
    unlock();
    unlock(); // one more than locked changes nothing
    ASSERT_EQ(describe(&description), 1);
    EXPECT_EQ(description.lockCount, 0);

    Service<LauncherVoidFn>(kServiceReleaseSurface)();
    EXPECT_EQ(lock(&pitch), nullptr);
    EXPECT_EQ(describe(&description), 0);
}

TEST(LauncherServiceTableDeathTest, FatalErrorShowsTheMessageAndEndsTheProcess)
{
    FillLauncherServiceTable();
    const auto fatal = reinterpret_cast<LauncherFatalErrorFn>(LauncherServices().entries[kServiceFatalError]);
    EXPECT_EXIT(fatal("Engine error: out of memory"), ::testing::ExitedWithCode(3), "Engine error: out of memory");
}
