// The video menu, the video mode dialog and the video options dialog.
#include "app/dialogs/CVidModeDlg.h"
#include "app/dialogs/CVidSelectDlg.h"
#include "app/dialogs/CVideoDlg.h"
#include "app/engine/EngineHost.h"
#include "app/engine/QtEngineDisplay.h"
#include "app/settings/CommandLine.h"
#include "app/settings/LauncherState.h"
#include "app/settings/SettingsStore.h"
#include "app/text/StringList.h"
#include "app/video/GammaTable.h"
#include "app/video/RendererType.h"
#include "app/video/VideoSettings.h"
#include "app/video/VideoState.h"
#include "support/RecordingPrompt.h"
#include "support/TempTree.h"
#include "ui/SkinImages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QListWidget>
#include <QSlider>
#include <gtest/gtest.h>

#include "MenuTestSkin.h"
#include "support/LauncherEngine.h"

namespace {

VideoMode Mode(int kind, int width, int height, int index)
{
    VideoMode mode;
    mode.kind = kind;
    mode.width = width;
    mode.height = height;
    mode.index = index;
    mode.refreshRate = 60;
    mode.text = std::to_string(width) + " x " + std::to_string(height);
    return mode;
}

class VideoDialogsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        InstallMenuTestSkin();
        saved = Video();
        Video().modes = {Mode(kModeWindowed, 640, 480, 0), Mode(kModeWindowed, 800, 600, 1),
                         Mode(kModeFullScreen, 640, 480, 2), Mode(kModeFullScreen, 800, 600, 3),
                         Mode(kModeFullScreen, 1024, 768, 4)};
        Video().renderer = VT_Software;
        Video().currentMode = 3;
        Video().windowed = false;
        Video().glDriver = "Default";
        Video().d3dDevice = "Default";
        QPixmap gamma(16, 8);
        gamma.fill(QColor(128, 128, 128));
        SkinImages::Set("gamma", gamma);
    }
    void TearDown() override { Video() = saved; }

    QStringList Rows(const QListWidget* list) const
    {
        QStringList rows;
        for (int i = 0; i < list->count(); ++i)
            rows << list->item(i)->text();
        return rows;
    }

    VideoState saved;
    RecordingPrompt prompt;
};

TEST_F(VideoDialogsTest, ModeDialogOffersTheKindsOfTheRendererAndSelectsTheCurrentMode)
{
    CVidModeDlg dialog;
    EXPECT_EQ(dialog.ModeList()->count(), 3);
    EXPECT_EQ(dialog.ModeList()->currentItem()->text(), "800 x 600 60 hz Full Screen");
    EXPECT_TRUE(dialog.DriverBox()->isHidden());
    EXPECT_TRUE(dialog.DeviceBox()->isHidden());

    dialog.SetRenderer(VT_OpenGL);
    EXPECT_EQ(Rows(dialog.ModeList()), (QStringList{"640 x 480 60 hz Windowed", "800 x 600 60 hz Windowed"}));
    EXPECT_FALSE(dialog.DriverBox()->isHidden());
    EXPECT_TRUE(dialog.DeviceBox()->isHidden());
    dialog.SetRenderer(VT_Direct3D);
    EXPECT_EQ(dialog.ModeList()->count(), 3);
    EXPECT_FALSE(dialog.DeviceBox()->isHidden());
    EXPECT_EQ(dialog.DeviceBox()->currentText(), "Default");
}

TEST_F(VideoDialogsTest, WindowOptionsOnlyWhenWindowedIsAllowed)
{
    SetSettingInt(kSettingsSection, "EngineAllowWindowed", 0);
    {
        CVidModeDlg dialog;
        EXPECT_TRUE(dialog.WindowedBox()->isHidden());
        EXPECT_TRUE(dialog.CaptureBox()->isHidden());
    }
    SetSettingInt(kSettingsSection, "EngineAllowWindowed", 1);
    CVidModeDlg dialog;
    EXPECT_FALSE(dialog.WindowedBox()->isHidden());
    dialog.WindowedBox()->setChecked(true);
    EXPECT_EQ(dialog.ModeList()->count(), 2);
}

TEST_F(VideoDialogsTest, OkStoresTheChoiceAndCancelDoesNot)
{
    SetSettingInt(kSettingsSection, "3DWarning", 7);
    {
        CVidModeDlg dialog;
        dialog.ModeList()->setCurrentRow(2);
        dialog.done(QDialog::Rejected);
    }
    EXPECT_EQ(GetSettingInt(kSettingsSection, "EngineModeW", 0), 0);
    EXPECT_EQ(GetSettingInt(kSettingsSection, "3DWarning", 0), 7);

    CVidModeDlg dialog;
    dialog.ModeList()->setCurrentRow(2);
    EXPECT_EQ(dialog.Choice().modeIndex, 4);
    dialog.accept();
    EXPECT_EQ(GetSettingInt(kSettingsSection, "EngineMode", -1), 4);
    EXPECT_EQ(GetSettingInt(kSettingsSection, "EngineModeW", 0), 1024);
    EXPECT_EQ(GetSettingInt(kSettingsSection, "EngineType", 0), VT_Software);
    EXPECT_EQ(Video().currentMode, 4);
}

// The capture box starts from the stored choice, not from this run's capture: a plain
// OK changes nothing, and neither full screen (always captures) nor -nowinmouse (never
// does) becomes the player's choice.
TEST_F(VideoDialogsTest, PlainOkKeepsTheStoredCaptureChoice)
{
    ScopedSettingsFolder settings;
    const CommandLine savedCommandLine = EffectiveCommandLine();
    const LauncherState savedLauncher = Launcher();
    SetSettingInt(kSettingsSection, "EngineAllowWindowed", 1);

    SetSettingInt(kSettingsSection, "EngineModeCaptured", 0);
    EffectiveCommandLine() = CommandLine("kestrel -fullscreen -game vrel");
    ReadVideoSettings();
    ASSERT_TRUE(Video().mouseCapture);
    {
        CVidModeDlg dialog;
        EXPECT_FALSE(dialog.CaptureBox()->isChecked());
        dialog.accept();
    }
    EXPECT_EQ(GetSettingInt(kSettingsSection, "EngineModeCaptured", -1), 0);

    SetSettingInt(kSettingsSection, "EngineModeCaptured", 1);
    EffectiveCommandLine() = CommandLine("kestrel -startwindowed -nowinmouse -game vrel");
    ReadVideoSettings();
    ASSERT_FALSE(Video().mouseCapture);
    {
        CVidModeDlg dialog;
        EXPECT_TRUE(dialog.CaptureBox()->isChecked());
        dialog.accept();
    }
    EXPECT_EQ(GetSettingInt(kSettingsSection, "EngineModeCaptured", -1), 1);
    EXPECT_FALSE(Video().mouseCapture) << "-nowinmouse holds for the whole run";

    EffectiveCommandLine() = savedCommandLine;
    Launcher() = savedLauncher;
}

TEST_F(VideoDialogsTest, OptionsDialogShowsTheStoredValuesAndWritesThemOnOk)
{
    VideoOptions stored;
    stored.screenSize = 80;
    stored.gamma = 2.0;
    stored.brightness = 0.3;
    stored.flag = 1.0;
    SaveVideoOptions(stored);
    CVideoDlg dialog;
    EXPECT_EQ(dialog.ScreenSizeSlider()->value(), 8);
    EXPECT_EQ(dialog.GammaSlider()->value(), 20);
    EXPECT_EQ(dialog.BrightnessSlider()->value(), 3);
    EXPECT_TRUE(dialog.FlagBox()->isChecked());

    dialog.ScreenSizeSlider()->setValue(12);
    dialog.GammaSlider()->setValue(30);
    dialog.FlagBox()->setChecked(false);
    dialog.accept();
    const VideoOptions written = LoadVideoOptions();
    EXPECT_DOUBLE_EQ(written.screenSize, 120);
    EXPECT_DOUBLE_EQ(written.gamma, 3.0);
    EXPECT_DOUBLE_EQ(written.brightness, 0.3);
    EXPECT_DOUBLE_EQ(written.flag, 0.0);
}

TEST_F(VideoDialogsTest, PreviewFollowsTheSliders)
{
    CVideoDlg dialog;
    dialog.ScreenSizeSlider()->setValue(12);
    dialog.BrightnessSlider()->setValue(0);
    dialog.GammaSlider()->setValue(18);
    const QImage dark = dialog.PreviewImage();
    const QPoint middle(dark.width() / 2, dark.height() / 2);
    // The frame is red, the grey picture goes through the gamma table.
    EXPECT_EQ(dark.pixelColor(0, 0), QColor(255, 0, 0));
    EXPECT_EQ(qRed(dark.pixel(middle)), GammaTable(1.8, 0.0)[128]);

    dialog.GammaSlider()->setValue(30);
    const QImage bright = dialog.PreviewImage();
    EXPECT_EQ(qRed(bright.pixel(middle)), GammaTable(3.0, 0.0)[128]);
    EXPECT_GT(qRed(bright.pixel(middle)), qRed(dark.pixel(middle)));

    // A small screen leaves the dark grey interior around the picture.
    dialog.ScreenSizeSlider()->setValue(3);
    const QImage small = dialog.PreviewImage();
    EXPECT_EQ(small.pixelColor(3, 3), QColor(63, 63, 63));
}

TEST_F(VideoDialogsTest, MissingGammaBitmapIsReported)
{
    SkinImages::Set("gamma", QPixmap());
    CVideoDlg dialog;
    ASSERT_EQ(prompt.Texts().size(), 1u);
    EXPECT_EQ(prompt.Texts()[0], GetString(141));
}

TEST_F(VideoDialogsTest, ModeChangeUnloadsTheEngine)
{
    UseLauncherEngine();
    EffectiveCommandLine() = CommandLine("kestrel -game vrel");
    ASSERT_EQ(TheEngineHost().StartEngine(false), 1);
    EXPECT_TRUE(CVidSelectDlg::PrepareForModeChange());
    EXPECT_FALSE(TheEngineHost().Loaded());
    EXPECT_EQ(TheEngineHost().State(), kEngineNoGame);
    EXPECT_TRUE(prompt.Texts().empty()); // not in a multiplayer game: no question
    TheEngineDisplay().DestroyEngineWindow();
    EffectiveCommandLine() = CommandLine();
}

} // namespace
