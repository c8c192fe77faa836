// The mode list: memory fit, display mode filters, order and the choice of a mode.
#include "app/video/VideoModeList.h"
#include "app/settings/CommandLine.h"
#include "app/settings/LauncherState.h"
#include "app/text/Prompt.h"
#include "app/video/DirectDrawErrors.h"
#include "app/video/RendererType.h"
#include "app/video/SurfaceCache.h"
#include "app/video/VideoDisplay.h"
#include "app/video/VideoState.h"
#include "platform/DisplayLayer.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

constexpr uint64_t kMegabyte = 1048576;
constexpr uint64_t kLargeHeap = 40 * kMegabyte;

class FakeDisplayLayer : public DisplayLayer
{
public:
    uint32_t Acquire(bool) override
    {
        ++acquireCalls;
        if (result == kOk)
            acquired = true;
        return result;
    }
    void Release() override { acquired = false; }
    bool Acquired() const override { return acquired; }
    std::vector<DisplayMode> Modes() override { return modes; }

    uint32_t result = kOk;
    bool acquired = false;
    int acquireCalls = 0;
    std::vector<DisplayMode> modes;
};

class RecordingPrompt : public Prompt
{
public:
    int Show(const std::string& text, PromptButtons) override
    {
        texts.push_back(text);
        return kPromptFirst;
    }
    std::vector<std::string> texts;
};

bool Contains(const std::vector<VideoMode>& modes, int kind, int width, int height)
{
    return std::any_of(modes.begin(), modes.end(),
                       [&](const VideoMode& m) { return m.kind == kind && m.width == width && m.height == height; });
}

ModeListInputs Inputs(uint64_t heap, std::vector<DisplayMode> display)
{
    ModeListInputs inputs;
    inputs.heapSize = heap;
    inputs.displayModes = std::move(display);
    return inputs;
}

TEST(SurfaceCacheTest, SizesFollowTheModeArea)
{
    EXPECT_EQ(SurfaceCacheSize(160, 200, 0), kSmallSurfaceCache); // 64,000 bytes is not above the limit
    EXPECT_EQ(SurfaceCacheSize(161, 200, 0), 161 * 200 * 6 + kSurfaceCacheBase);
    EXPECT_EQ(SurfaceCacheSize(640, 480, 0), 640 * 480 * 6 + 2953728);
    EXPECT_EQ(SurfaceCacheSize(640, 480, 512), 512 * 1024);
}

TEST(SurfaceCacheTest, OptionComesFromTheCommandLine)
{
    EffectiveCommandLine() = CommandLine("kestrel -surfcachesize 2048");
    EXPECT_EQ(SurfaceCacheSize(640, 480), 2048 * 1024);
    EffectiveCommandLine() = CommandLine("kestrel -surfcachesize -5");
    EXPECT_EQ(SurfaceCacheSize(640, 480), 640 * 480 * 6 + kSurfaceCacheBase);
    EffectiveCommandLine() = CommandLine();
}

TEST(SurfaceCacheTest, FitInMemoryNeedsMoreThanEightMegabytesSpare)
{
    const int64_t used = SurfaceCacheSize(640, 480, 0) + 640 * 480 * 4;
    EXPECT_FALSE(ModeFitsInMemory(640, 480, uint64_t(used + kMinimumSpareHeap), 0));
    EXPECT_TRUE(ModeFitsInMemory(640, 480, uint64_t(used + kMinimumSpareHeap + 1), 0));
}

TEST(SurfaceCacheTest, SixteenMegabyteHeapCannotHold1280x960)
{
    // 32 MB of memory gives a 16 MB heap.
    EXPECT_FALSE(ModeFitsInMemory(1280, 960, 16 * kMegabyte, 0));
    const std::vector<VideoMode> modes = BuildVideoModes(Inputs(16 * kMegabyte, {{1280, 960, 16, 60, false}}));
    EXPECT_FALSE(Contains(modes, kModeWindowed, 1280, 960));
    EXPECT_FALSE(Contains(modes, kModeFullScreen, 1280, 960));
    EXPECT_TRUE(Contains(modes, kModeWindowed, 800, 600));
}

TEST(VideoModeListTest, LargeHeapOffersEveryWindowedSize)
{
    const std::vector<VideoMode> modes = BuildVideoModes(Inputs(kLargeHeap, {}));
    ASSERT_EQ(modes.size(), 7u);
    EXPECT_EQ(modes.front().width, 400);
    EXPECT_EQ(modes.back().width, 1280);
    EXPECT_EQ(modes.back().height, 960);
    EXPECT_EQ(modes.back().text, "1280 x 960");
    for (const VideoMode& mode : modes)
        EXPECT_EQ(mode.kind, kModeWindowed);
}

TEST(VideoModeListTest, DisplayModeFilters)
{
    const std::vector<VideoMode> modes = BuildVideoModes(Inputs(kLargeHeap, {
                                                                                {1280, 1024, 16, 60, false},
                                                                                {320, 240, 16, 60, false},
                                                                                {1600, 1200, 16, 60, false},
                                                                                {1024, 768, 32, 60, false},
                                                                                {800, 600, 15, 60, false},
                                                                                {640, 480, 16, 75, false},
                                                                            }));
    EXPECT_FALSE(Contains(modes, kModeFullScreen, 1280, 1024)) << "ratio is not 0.75";
    EXPECT_FALSE(Contains(modes, kModeFullScreen, 320, 240)) << "narrower than 400";
    EXPECT_FALSE(Contains(modes, kModeFullScreen, 1600, 1200)) << "taller than 1024";
    EXPECT_FALSE(Contains(modes, kModeFullScreen, 1024, 768)) << "other depth";
    ASSERT_TRUE(Contains(modes, kModeFullScreen, 800, 600)) << "15 bits count as 16";
    ASSERT_TRUE(Contains(modes, kModeFullScreen, 640, 480));
    for (const VideoMode& mode : modes) {
        if (mode.kind != kModeFullScreen)
            continue;
        EXPECT_EQ(mode.is555, mode.width == 800);
        EXPECT_EQ(mode.bpp, 16);
        if (mode.width == 640) {
            EXPECT_EQ(mode.refreshRate, 75);
        }
    }
}

TEST(VideoModeListTest, SortedByWidthThenHeightWithIndexes)
{
    const std::vector<VideoMode> modes =
        BuildVideoModes(Inputs(kLargeHeap, {{1024, 768, 16, 60, false}, {640, 480, 16, 60, false}}));
    for (size_t i = 0; i < modes.size(); ++i) {
        EXPECT_EQ(modes[i].index, int(i));
        if (i > 0) {
            const VideoMode& a = modes[i - 1];
            const VideoMode& b = modes[i];
            EXPECT_TRUE(a.width < b.width || (a.width == b.width && a.height <= b.height));
        }
    }
    EXPECT_EQ(modes.size(), 9u);
}

TEST(VideoModeListTest, NoDisplayEmptiesTheList)
{
    ModeListInputs inputs = Inputs(kLargeHeap, {{640, 480, 16, 60, false}});
    inputs.displayAcquired = false;
    EXPECT_TRUE(BuildVideoModes(inputs).empty());
}

TEST(VideoModeListTest, ListIsBounded)
{
    std::vector<DisplayMode> many;
    for (int i = 0; i < 200; ++i)
        many.push_back({640, 480, 16, i, false});
    EXPECT_EQ(BuildVideoModes(Inputs(kLargeHeap, many)).size(), kMaxVideoModes);
}

TEST(VideoModeChoiceTest, StoredHeightWithoutEntryTakesLastEntryOfWidth)
{
    const std::vector<VideoMode> modes = BuildVideoModes(
        Inputs(kLargeHeap, {{800, 600, 16, 60, false}, {800, 600, 16, 85, false}, {1024, 768, 16, 60, false}}));
    const int chosen = ChooseVideoMode(modes, kModeFullScreen, 800, 500, 16);
    ASSERT_GE(chosen, 0);
    EXPECT_EQ(modes[size_t(chosen)].kind, kModeFullScreen);
    EXPECT_EQ(modes[size_t(chosen)].refreshRate, 85);
    const int windowed = ChooseVideoMode(modes, kModeWindowed, 800, 500, 16);
    EXPECT_EQ(modes[size_t(windowed)].kind, kModeWindowed);
    EXPECT_EQ(modes[size_t(windowed)].width, 800);
}

TEST(VideoModeChoiceTest, ExactMatchAndFallback)
{
    const std::vector<VideoMode> modes =
        BuildVideoModes(Inputs(kLargeHeap, {{640, 480, 16, 60, false}, {1024, 768, 16, 60, false}}));
    const int exact = ChooseVideoMode(modes, kModeFullScreen, 1024, 768, 16);
    EXPECT_EQ(modes[size_t(exact)].kind, kModeFullScreen);
    EXPECT_EQ(modes[size_t(exact)].width, 1024);
    EXPECT_EQ(ChooseVideoMode(modes, kModeFullScreen, 1500, 768, 16), 0);
    EXPECT_EQ(ChooseVideoMode({}, kModeFullScreen, 640, 480, 16), 0);
}

TEST(VideoModeNameTest, DialogNameAndDescription)
{
    VideoMode mode;
    mode.width = 640;
    mode.height = 480;
    mode.refreshRate = 60;
    mode.text = "640 x 480";
    mode.kind = kModeFullScreen;
    EXPECT_EQ(VideoModeDialogName(mode), "640 x 480 60 hz Full Screen");
    EXPECT_EQ(VideoModeDescription(mode), "640 x 480");
    mode.kind = kModeWindowed;
    EXPECT_EQ(VideoModeDescription(mode), "640 x 480 windowed");
    mode.kind = kModeFullScreenDib;
    EXPECT_EQ(VideoModeDescription(mode), "640 x 480 fullscreen DIB");
    EXPECT_STREQ(VideoModeKindName(7), "Error");
}

TEST(DirectDrawErrorNameTest, TableEntries)
{
    EXPECT_STREQ(DirectDrawErrorName(0), "No error");
    EXPECT_STREQ(DirectDrawErrorName(0x80004005u), "Generic failure");
    EXPECT_STREQ(DirectDrawErrorName(0x80070057u), "Invalid Params");
    EXPECT_STREQ(DirectDrawErrorName(0x88760000u + 5), "Object already initialised");
    EXPECT_STREQ(DirectDrawErrorName(0x88760000u + 563), "No Direct Draw HardWare");
    EXPECT_STREQ(DirectDrawErrorName(0x88760000u + 590), "Unsupported Mode");
    EXPECT_STREQ(DirectDrawErrorName(0x88760000u + 591), "unk");
    EXPECT_STREQ(DirectDrawErrorName(0x88770000u + 5), "unk");
    EXPECT_STREQ(DirectDrawErrorName(1), "unk");
}

class ModeListBuildTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Launcher() = LauncherState{};
        Video() = VideoState{};
        SetRenderer(VT_Software);
        m_layer.modes = {{640, 480, 16, 60, false}, {1024, 768, 16, 60, false}, {1024, 768, 32, 60, false}};
        SetDisplayLayer(&m_layer);
        SetPrompt(&m_prompt);
    }
    void TearDown() override
    {
        SetDisplayLayer(nullptr);
        SetPrompt(nullptr);
        EffectiveCommandLine() = CommandLine();
    }
    static const VideoMode& Current() { return Video().modes.at(size_t(Video().currentMode)); }

    FakeDisplayLayer m_layer;
    RecordingPrompt m_prompt;
};

TEST_F(ModeListBuildTest, OptionsChooseFullScreenMode)
{
    EffectiveCommandLine() = CommandLine("kestrel -width 1024 -height 768");
    BuildModeList(kLargeHeap);
    EXPECT_EQ(Current().kind, kModeFullScreen);
    EXPECT_EQ(Current().width, 1024);
    EXPECT_EQ(Video().modeWidth, 1024);
    EXPECT_EQ(Video().modeHeight, 768);
    EXPECT_EQ(Video().record.width, 1024);
    EXPECT_EQ(Video().record.height, 768);
}

TEST_F(ModeListBuildTest, OpenGLWantsWindowedEntry)
{
    SetRenderer(VT_OpenGL);
    EffectiveCommandLine() = CommandLine("kestrel -w 1024 -h 768");
    BuildModeList(kLargeHeap);
    EXPECT_EQ(Current().kind, kModeWindowed);
    EXPECT_EQ(Current().width, 1024);
}

TEST_F(ModeListBuildTest, DepthOptionAndStoredSize)
{
    Video().modeWidth = 1024;
    Video().modeHeight = 768;
    EffectiveCommandLine() = CommandLine("kestrel -32bpp");
    BuildModeList(kLargeHeap);
    EXPECT_EQ(Video().modeBpp, 32);
    EXPECT_EQ(Current().kind, kModeFullScreen);
    EXPECT_EQ(Current().bpp, 32);
    EXPECT_FALSE(Contains(Video().modes, kModeFullScreen, 640, 480));
}

TEST_F(ModeListBuildTest, BuiltOnlyOnce)
{
    BuildModeList(kLargeHeap);
    const size_t count = Video().modes.size();
    m_layer.modes.push_back({800, 600, 16, 60, false});
    BuildModeList(kLargeHeap);
    EXPECT_EQ(Video().modes.size(), count);
    EXPECT_EQ(m_layer.acquireCalls, 1);
}

TEST_F(ModeListBuildTest, AcquireFailureShowsMessageAndEmptiesList)
{
    m_layer.result = kResultNoDisplayHardware;
    BuildModeList(kLargeHeap);
    EXPECT_TRUE(Video().modes.empty());
    EXPECT_EQ(Video().currentMode, 0);
    EXPECT_EQ(m_prompt.texts.size(), 1u);
}

TEST_F(ModeListBuildTest, ModeSwitchesPlaceTheWindow)
{
    Launcher().launcherWidth = 720;
    BuildModeList(kLargeHeap);
    int placedWidth = -1;
    m_layer.SetWindowPlacer([&](int width, int) { placedWidth = width; });
    EXPECT_TRUE(SetDisplayMode(-1));
    EXPECT_EQ(placedWidth, 720);
    EXPECT_EQ(m_layer.CurrentMode().depth, 16);
    EXPECT_TRUE(SetDisplayMode(int(Video().modes.size()) - 1));
    EXPECT_EQ(m_layer.CurrentMode().width, Video().modes.back().width);
    EXPECT_FALSE(SetDisplayMode(int(Video().modes.size())));
    EXPECT_EQ(m_layer.CurrentMode().width, Video().modes.back().width) << "a refused switch keeps the mode";
    m_layer.RestoreMode();
    EXPECT_FALSE(m_layer.HasMode());
    EXPECT_EQ(placedWidth, 0);
}

TEST(VideoRestartTest, ChangesSinceStartRequireRestart)
{
    Video() = VideoState{};
    SetRenderer(VT_Software);
    Video().currentMode = 2;
    NoteEngineVideoStart();
    EXPECT_FALSE(VideoRestartRequired());
    Video().currentMode = 3;
    EXPECT_TRUE(VideoRestartRequired());
    NoteEngineVideoStart();
    SetRenderer(VT_OpenGL);
    EXPECT_TRUE(VideoRestartRequired());
    NoteEngineVideoStart();
    Video().windowed = true;
    EXPECT_TRUE(VideoRestartRequired());
    NoteEngineVideoStart();
    ForceVideoRestart();
    EXPECT_TRUE(VideoRestartRequired());
    NoteEngineVideoStart();
    EXPECT_FALSE(VideoRestartRequired());
}

} // namespace
