#include "ui/IntroDisplay.h"
#include "app/video/LauncherIntroDisplay.h"
#include "app/video/VideoState.h"
#include "ui/IntroWindow.h"

#include <gtest/gtest.h>

namespace {

class IntroDisplayTest : public ::testing::Test
{
protected:
    void SetUp() override { m_windowed = Video().windowed; }
    void TearDown() override
    {
        Video().windowed = m_windowed;
        SetIntroDisplay(nullptr);
    }

private:
    bool m_windowed = false;
};

TEST_F(IntroDisplayTest, IntroWindowFollowsTheVideoSettingsThroughTheInstalledDisplay)
{
    InstallIntroDisplay();
    IntroWindow window({});
    Video().windowed = true;
    EXPECT_TRUE(window.Windowed());
    Video().windowed = false;
    EXPECT_FALSE(window.Windowed());
}

TEST_F(IntroDisplayTest, WithoutAnInstalledDisplayTheIntroPlaysWindowedAndLeavesTheDisplayAlone)
{
    Video().windowed = false;
    IntroWindow window({});
    EXPECT_TRUE(window.Windowed());
    EXPECT_TRUE(window.InitialiseDisplay());
}

} // namespace
