// The video mode dialog's decisions, without the dialog.
#include "app/video/VideoChoice.h"
#include "app/settings/SettingsStore.h"
#include "app/video/RendererType.h"
#include "app/video/VideoState.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

namespace {

std::vector<VideoMode> SampleModes()
{
    ModeListInputs inputs;
    inputs.heapSize = 40 * 1048576;
    inputs.displayModes = {{640, 480, 16, 60, false}, {1024, 768, 16, 60, false}};
    return BuildVideoModes(inputs);
}

TEST(VideoChoiceTest, OfferedKindsFollowRendererAndWindow)
{
    const std::vector<VideoMode> modes = SampleModes();
    for (int index : OfferedModes(modes, VT_Software, false))
        EXPECT_EQ(modes[size_t(index)].kind, kModeFullScreen);
    EXPECT_EQ(OfferedModes(modes, VT_Direct3D, false).size(), 2u);
    EXPECT_EQ(OfferedModes(modes, VT_OpenGL, false).size(), 7u);
    EXPECT_EQ(OfferedModes(modes, VT_Software, true).size(), 7u);
    EXPECT_TRUE(OfferedModes({}, VT_Software, true).empty());
}

TEST(VideoChoiceTest, SelectionPrefersCurrentThenStoredSize)
{
    const std::vector<VideoMode> modes = SampleModes();
    const std::vector<int> fullScreen = OfferedModes(modes, VT_Software, false);
    ASSERT_EQ(fullScreen.size(), 2u);
    EXPECT_EQ(DialogModeSelection(modes, VT_Software, false, fullScreen[1], 640, 480), fullScreen[1]);
    // The current entry is windowed, so the full-screen entry of the stored size is chosen.
    const int stored = DialogModeSelection(modes, VT_Software, false, 0, 640, 480);
    EXPECT_EQ(modes[size_t(stored)].kind, kModeFullScreen);
    EXPECT_EQ(modes[size_t(stored)].width, 640);
    EXPECT_EQ(DialogModeSelection(modes, VT_Software, false, 0, 999, 999), fullScreen[0]);
    EXPECT_EQ(DialogModeSelection({}, VT_Software, false, 0, 640, 480), -1);
}

TEST(VideoChoiceTest, ApplyStoresEveryValue)
{
    ScopedSettingsFolder settings;
    Video() = VideoState{};
    Video().modes = SampleModes();
    const int index = OfferedModes(Video().modes, VT_OpenGL, true).back();
    VideoChoice choice;
    choice.renderer = VT_OpenGL;
    choice.modeIndex = index;
    choice.windowed = true;
    choice.capture = false;
    choice.glDriver = "mesa.so";
    choice.d3dDevice = "Default";
    EXPECT_TRUE(ApplyVideoChoice(choice));
    EXPECT_EQ(Video().currentMode, index);
    EXPECT_FALSE(Video().mouseCapture);
    EXPECT_EQ(Video().record.type, VT_OpenGL);
    EXPECT_EQ(Video().record.width, 1280);
    EXPECT_EQ(GetSettingInt(kSettingsSection, "EngineType", 0), 2);
    EXPECT_EQ(GetSettingInt(kSettingsSection, "EngineMode", -1), index);
    EXPECT_EQ(GetSettingInt(kSettingsSection, "EngineModeW", 0), 1280);
    EXPECT_EQ(GetSettingInt(kSettingsSection, "EngineModeH", 0), 960);
    EXPECT_EQ(GetSettingInt(kSettingsSection, "EngineModeWindowed", 0), 1);
    EXPECT_EQ(GetSettingInt(kSettingsSection, "EngineModeCaptured", 1), 0);
    EXPECT_EQ(GetSettingString(kSettingsSection, "EngineGLDriver", ""), "mesa.so");

    choice.windowed = true;
    EXPECT_FALSE(ApplyVideoChoice(choice)) << "window choice unchanged";
    choice.windowed = false;
    EXPECT_TRUE(ApplyVideoChoice(choice));
    EXPECT_TRUE(Video().mouseCapture) << "full screen always captures";
}

} // namespace
