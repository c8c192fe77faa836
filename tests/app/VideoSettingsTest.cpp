// Start-up reading of the renderer and mode settings.
#include "app/video/VideoSettings.h"
#include "app/settings/CommandLine.h"
#include "app/settings/LauncherState.h"
#include "app/settings/SettingsStore.h"
#include "app/video/RendererType.h"
#include "app/video/VideoState.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

bool GlidePresent()
{
    return true;
}
bool GlideAbsent()
{
    return false;
}

class VideoSettingsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Launcher() = LauncherState{};
        Video() = VideoState{};
        SetGlideProbe(&GlideAbsent);
    }
    void TearDown() override
    {
        EffectiveCommandLine() = CommandLine();
        SetGlideProbe(nullptr);
    }
    static void Read(const std::string& commandLine)
    {
        EffectiveCommandLine() = CommandLine(commandLine);
        ReadVideoSettings();
    }
    static int Stored(const char* name) { return GetSettingInt(kSettingsSection, name, -99); }
    static std::string StoredText(const char* name) { return GetSettingString(kSettingsSection, name, "<none>"); }

    ScopedSettingsFolder m_settings;
};

TEST_F(VideoSettingsTest, UnknownRendererTypeBecomesSoftwareAndIsStored)
{
    SetSettingInt(kSettingsSection, "EngineType", 7);
    Read("kestrel");
    EXPECT_EQ(Video().renderer, VT_Software);
    EXPECT_EQ(Stored("EngineType"), 1);
    EXPECT_EQ(Video().engineLibrary, kSoftwareEngineLibrary);
}

TEST_F(VideoSettingsTest, StoredRendererIsKeptWithoutOptions)
{
    SetSettingInt(kSettingsSection, "EngineType", 3);
    Read("kestrel");
    EXPECT_EQ(Video().renderer, VT_Direct3D);
    EXPECT_EQ(Video().engineLibrary, kHardwareEngineLibrary);
    EXPECT_EQ(Stored("EngineType"), 3);
}

TEST_F(VideoSettingsTest, SoftwareOptionWinsOverDirect3D)
{
    Read("kestrel -d3d -soft");
    EXPECT_EQ(Video().renderer, VT_Software);
    EXPECT_EQ(Stored("EngineType"), 1);
}

TEST_F(VideoSettingsTest, Direct3DOptionAlone)
{
    Read("kestrel -d3d");
    EXPECT_EQ(Video().renderer, VT_Direct3D);
    EXPECT_EQ(Stored("EngineType"), 3);
}

TEST_F(VideoSettingsTest, DriverOptionSelectsOpenGLAndTheDriver)
{
    SetSettingString(kSettingsSection, "EngineGLDriver", "old.so");
    Read("kestrel -gldrv mesa.so");
    EXPECT_EQ(Video().renderer, VT_OpenGL);
    EXPECT_EQ(Video().glDriver, "mesa.so");
    EXPECT_EQ(StoredText("EngineGLDriver"), "mesa.so");
}

TEST_F(VideoSettingsTest, EmptyDriverDependsOnGlideLibrary)
{
    Read("kestrel");
    EXPECT_EQ(StoredText("EngineGLDriver"), "Default");
    SetSettingString(kSettingsSection, "EngineGLDriver", "");
    SetGlideProbe(&GlidePresent);
    Read("kestrel");
    EXPECT_EQ(StoredText("EngineGLDriver"), "3dfxgl.dll");
    EXPECT_EQ(StoredText("EngineD3DDevice"), "Default");
}

TEST_F(VideoSettingsTest, WipeResetsRendererDriversAndLauncherValues)
{
    SetSettingInt(kSettingsSection, "EngineType", 2);
    SetSettingString(kSettingsSection, "EngineGLDriver", "mesa.so");
    SetSettingString(kSettingsSection, "EngineD3DDevice", "Card");
    SetSettingInt(kSettingsSection, "LauncherWidth", 1024);
    Read("kestrel wipe");
    EXPECT_EQ(Video().renderer, VT_Software);
    EXPECT_EQ(Stored("EngineType"), 1);
    EXPECT_EQ(StoredText("EngineGLDriver"), "Default");
    EXPECT_EQ(StoredText("EngineD3DDevice"), "Default");
    EXPECT_EQ(Launcher().launcherWidth, 640);
    EXPECT_EQ(Stored("LauncherWidth"), 640);
}

TEST_F(VideoSettingsTest, ModeValuesAreReadAndWrittenBack)
{
    SetSettingInt(kSettingsSection, "EngineModeW", 800);
    Read("kestrel -lw 700");
    EXPECT_EQ(Video().modeWidth, 800);
    EXPECT_EQ(Video().modeHeight, 300);
    EXPECT_EQ(Stored("EngineModeW"), 800);
    EXPECT_EQ(Stored("EngineModeH"), 300);
    EXPECT_EQ(Stored("EngineModeBPP"), 16);
    EXPECT_EQ(Stored("EngineModeCaptured"), 1);
    EXPECT_EQ(Stored("A3D Support"), 0);
    EXPECT_EQ(Launcher().launcherWidth, 700);
    EXPECT_EQ(Stored("LauncherWidth"), 640);
}

TEST_F(VideoSettingsTest, WindowOptionsAllowWindowedModes)
{
    Read("kestrel -win");
    EXPECT_TRUE(Video().windowed);
    EXPECT_EQ(Stored("EngineModeWindowed"), 1);
    EXPECT_EQ(Stored("EngineAllowWindowed"), 1);
}

TEST_F(VideoSettingsTest, FullScreenOptionWinsOverWindowed)
{
    SetSettingInt(kSettingsSection, "EngineModeWindowed", 1);
    Read("kestrel -windowed -fullscreen");
    EXPECT_FALSE(Video().windowed);
    EXPECT_EQ(Stored("EngineModeWindowed"), 0);
    EXPECT_EQ(Stored("EngineAllowWindowed"), 1);
}

TEST_F(VideoSettingsTest, MouseCapture)
{
    Read("kestrel");
    EXPECT_TRUE(Video().mouseCapture);
    SetSettingInt(kSettingsSection, "EngineModeCaptured", 0);
    Read("kestrel");
    EXPECT_TRUE(Video().mouseCapture) << "full screen always captures";
    Read("kestrel -startwindowed");
    EXPECT_FALSE(Video().mouseCapture);
    SetSettingInt(kSettingsSection, "EngineModeCaptured", 1);
    Read("kestrel -nowinmouse");
    EXPECT_FALSE(Video().mouseCapture);
}

TEST_F(VideoSettingsTest, RecordIsFilled)
{
    SetSettingInt(kSettingsSection, "EngineModeH", 480);
    Read("kestrel -opengl -gldrv mesa.so -sw");
    const VideoSettingsRecord& record = Video().record;
    EXPECT_EQ(record.type, 2);
    EXPECT_STREQ(record.name, "VT_OpenGL");
    EXPECT_STREQ(record.glDriver, "mesa.so");
    EXPECT_STREQ(record.d3dDevice, "Default");
    EXPECT_EQ(record.width, 400);
    EXPECT_EQ(record.height, 480);
    EXPECT_EQ(record.bpp, 16);
    EXPECT_EQ(record.windowed, 1);
    EXPECT_EQ(record.mouseCapture, 1);
}

TEST(VideoSettingsRecordTest, LongTextsAreCutAndTerminated)
{
    VideoSettingsRecord record;
    std::memset(&record, 0x55, sizeof record);
    const std::string longName(500, 'x');
    VideoSettingsValues values;
    values.type = 9;
    values.glDriver = longName;
    values.d3dDevice = "dev";
    FillVideoSettingsRecord(record, values);
    EXPECT_STREQ(record.name, "Unknown");
    EXPECT_EQ(std::strlen(record.glDriver), VideoSettingsRecord::kDriverSize - 1);
    EXPECT_STREQ(record.d3dDevice, "dev");
    EXPECT_EQ(record.reserved, 0);
    EXPECT_EQ(record.name[VideoSettingsRecord::kNameSize - 1], '\0');
}

TEST(RendererTypeTest, NamesAndLibraries)
{
    EXPECT_STREQ(RendererName(0), "VT_None");
    EXPECT_STREQ(RendererName(1), "VT_Software");
    EXPECT_STREQ(RendererName(2), "VT_OpenGL");
    EXPECT_STREQ(RendererName(3), "VT_Direct3D");
    EXPECT_STREQ(RendererName(4), "Unknown");
    EXPECT_STREQ(RendererName(-1), "Unknown");
    EXPECT_EQ(RendererLibrary(0), nullptr);
    EXPECT_STREQ(RendererLibrary(2), RendererLibrary(3));
    EXPECT_STRNE(RendererLibrary(1), RendererLibrary(2));
}

TEST(RendererTypeTest, SetRendererWithoutLibraryEmptiesModes)
{
    Video() = VideoState{};
    Video().modes.resize(3);
    SetRenderer(VT_OpenGL);
    EXPECT_EQ(Video().modes.size(), 3u);
    SetRenderer(VT_None);
    EXPECT_TRUE(Video().modes.empty());
    EXPECT_TRUE(Video().engineLibrary.empty());
}

} // namespace
