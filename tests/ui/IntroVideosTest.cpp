#include "ui/IntroVideos.h"
#include "app/files/SearchPath.h"
#include "app/settings/CommandLine.h"
#include "app/settings/LauncherState.h"
#include "app/text/StringList.h"
#include "support/RecordingPrompt.h"
#include "support/TempTree.h"
#include "ui/CODBlendBtn.h"
#include "ui/InputFlush.h"
#include "ui/IntroWindow.h"

#include <QApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// Records the steps asked of it; one step can be made to fail.
class ScriptedVideoPlayer : public VideoPlayer
{
public:
    std::vector<std::string> log;
    std::string failAt;
    bool noDevice = false;
    VideoError failure{263, "The device is not ready."};

    bool Step(const std::string& name, VideoError& error)
    {
        log.push_back(name);
        if (name == failAt) {
            error = failure;
            return false;
        }
        return true;
    }
    bool Open(const std::string& path, QWidget*, VideoError& error) override
    {
        opened.push_back(path);
        return Step("open", error);
    }
    bool HasDevice() override
    {
        log.push_back("device");
        return !noDevice;
    }
    bool AttachWindow(QWidget*, VideoError& error) override { return Step("window", error); }
    bool Place(const QRect& area, VideoError& error) override
    {
        placed = area;
        return Step("put", error);
    }
    bool Rewind(VideoError& error) override { return Step("seek", error); }
    bool SetBreakKey(int key, VideoError& error) override
    {
        breakKey = key;
        return Step("break", error);
    }
    bool Play(VideoError& error) override { return Step("play", error); }
    bool Stop(VideoError& error) override { return Step("stop", error); }
    bool Close(VideoError& error) override { return Step("close", error); }

    std::vector<std::string> opened;
    QRect placed;
    int breakKey = 0;
};

using Steps = std::vector<std::string>;
const Steps kAllSteps = {"open", "device", "window", "put", "seek", "break", "play", "stop", "close"};

class RecordingHost : public IntroHost
{
public:
    bool windowed = false;
    bool displayWorks = true;
    std::vector<std::string> log;

    bool Windowed() override { return windowed; }
    void ReleaseDisplay() override { log.push_back("release display"); }
    bool InitialiseDisplay() override
    {
        log.push_back("initialise display");
        return displayWorks;
    }
    void SetLauncherMode() override { log.push_back("launcher mode"); }
    QWidget* VideoWindow() override { return nullptr; }
    void PaintBlack() override { log.push_back("black"); }
    void ShowMainMenu() override { log.push_back("menu"); }
    void Wait(int milliseconds) override { log.push_back("wait " + std::to_string(milliseconds)); }
    void FlushInput() override { log.push_back("flush input"); }
    void CloseVideoWindow() override { log.push_back("close window"); }
};

class IntroVideosTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_savedBase = Launcher().baseDirectory;
        Launcher().baseDirectory = m_tree.PathStd();
        EffectiveCommandLine() = CommandLine("kestrel -game vrel");
        m_tree.Write("vrel/liblist.gam", "game \"Test\"\n");
        m_tree.Write("harrow/media/harrow.avi", "AVI");
        ResetSearchPath();
    }
    void TearDown() override
    {
        ResetSearchPath();
        Launcher().baseDirectory = m_savedBase;
    }

    TempTree m_tree;
    RecordingPrompt m_prompt;
    std::string m_savedBase;
};

TEST_F(IntroVideosTest, PublisherVideoThenGameVideoThenMenuAndFlush)
{
    ScriptedVideoPlayer player;
    RecordingHost host;
    IntroState state;
    PlayIntroVideos(host, player, state);
    ASSERT_EQ(player.opened.size(), 2u);
    EXPECT_NE(player.opened[0].find("media/zorvan.avi"), std::string::npos);
    EXPECT_NE(player.opened[1].find("media/harrow.avi"), std::string::npos);
    EXPECT_EQ(host.log, (std::vector<std::string>{"initialise display", "launcher mode", "black", "menu", "wait 50",
                                                  "flush input", "close window"}));
    EXPECT_FALSE(state.firstRun);
    EXPECT_TRUE(m_prompt.Texts().empty());
}

TEST_F(IntroVideosTest, PublisherVideoPlaysOnlyOnTheFirstIntroOfTheProcess)
{
    ScriptedVideoPlayer player;
    RecordingHost first;
    IntroState state;
    PlayIntroVideos(first, player, state);
    // A second intro window (the state's done flag belongs to the window).
    state.done = false;
    player.opened.clear();
    RecordingHost second;
    PlayIntroVideos(second, player, state);
    ASSERT_EQ(player.opened.size(), 1u);
    EXPECT_NE(player.opened[0].find("harrow.avi"), std::string::npos);
}

TEST_F(IntroVideosTest, DoneWindowDoesNotRunAgain)
{
    ScriptedVideoPlayer player;
    RecordingHost host;
    IntroState state;
    PlayIntroVideos(host, player, state);
    host.log.clear();
    player.opened.clear();
    PlayIntroVideos(host, player, state);
    EXPECT_TRUE(host.log.empty());
    EXPECT_TRUE(player.opened.empty());
}

TEST_F(IntroVideosTest, WindowedReleasesTheDisplay)
{
    ScriptedVideoPlayer player;
    RecordingHost host;
    host.windowed = true;
    IntroState state;
    PlayIntroVideos(host, player, state);
    ASSERT_FALSE(host.log.empty());
    EXPECT_EQ(host.log.front(), "release display");
    EXPECT_EQ(std::count(host.log.begin(), host.log.end(), "launcher mode"), 0);
}

TEST_F(IntroVideosTest, DisplayFailureShows136AndClosesWithoutVideos)
{
    ScriptedVideoPlayer player;
    RecordingHost host;
    host.displayWorks = false;
    IntroState state;
    PlayIntroVideos(host, player, state);
    EXPECT_TRUE(player.opened.empty());
    EXPECT_EQ(host.log, (std::vector<std::string>{"initialise display", "close window"}));
    ASSERT_EQ(m_prompt.Texts().size(), 1u);
    EXPECT_EQ(m_prompt.Texts()[0], "The display could not be set up.");
}

TEST_F(IntroVideosTest, VideoStepsInOrderCentredWithEscapeAsBreakKey)
{
    ScriptedVideoPlayer player;
    EXPECT_TRUE(PlayVideo(player, nullptr, "harrow", 320, 240));
    EXPECT_EQ(player.log, kAllSteps);
    EXPECT_EQ(player.placed, QRect(160, 120, 320, 240));
    EXPECT_EQ(player.breakKey, int(Qt::Key_Escape));
    EXPECT_NE(player.opened[0].find("harrow/media/harrow.avi"), std::string::npos);
}

struct FailingStep
{
    const char* step;
    int message;
    bool goesOn;
};

TEST_F(IntroVideosTest, EachFailingStepShowsItsMessage)
{
    const FailingStep cases[] = {
        {"open", 60, false}, {"window", 62, false}, {"put", 63, false}, {"seek", 64, false},
        {"break", 65, true}, {"play", 66, false},   {"stop", 67, true}, {"close", 68, false},
    };
    for (const FailingStep& c : cases) {
        SCOPED_TRACE(c.step);
        m_prompt.Clear();
        ScriptedVideoPlayer player;
        player.failAt = c.step;
        // A step that goes on still plays the video through; any other failure ends
        // playback there.
        EXPECT_EQ(PlayVideo(player, nullptr, "harrow"), c.goesOn);
        EXPECT_EQ(m_prompt.Texts(), std::vector<std::string>{FormatString(c.message, "263: The device is not ready.")});
        // The steps run up to the failing one; after it either the rest of the
        // sequence, or only the close of a device that was opened.
        const auto failed = std::find(kAllSteps.begin(), kAllSteps.end(), std::string(c.step));
        ASSERT_NE(failed, kAllSteps.end());
        Steps expected(kAllSteps.begin(), failed + 1);
        if (c.goesOn)
            expected.insert(expected.end(), failed + 1, kAllSteps.end());
        else if (expected.back() != "open" && expected.back() != "close")
            expected.push_back("close");
        EXPECT_EQ(player.log, expected);
    }
}

TEST_F(IntroVideosTest, ErrorWithoutTextReadsUnknownAndMissingDeviceShows61)
{
    ScriptedVideoPlayer player;
    player.failAt = "seek";
    player.failure = {5, ""};
    PlayVideo(player, nullptr, "harrow");
    ASSERT_EQ(m_prompt.Texts().size(), 1u);
    EXPECT_NE(m_prompt.Texts()[0].find("Unknown"), std::string::npos);

    m_prompt.Clear();
    ScriptedVideoPlayer deviceless;
    deviceless.noDevice = true;
    EXPECT_FALSE(PlayVideo(deviceless, nullptr, "harrow"));
    EXPECT_EQ(deviceless.log, (Steps{"open", "device"}));
    ASSERT_EQ(m_prompt.Texts().size(), 1u);
    EXPECT_EQ(m_prompt.Texts()[0], "No video device is available.");
}

TEST(InputFlush, ClickQueuedDuringTheIntroDoesNotReachAButton)
{
    CODBlendBtn button("Quit");
    button.resize(100, 26);
    button.show();
    QSignalSpy clicked(&button, &QAbstractButton::clicked);
    const QPointF at(10, 10);
    QCoreApplication::postEvent(&button, new QMouseEvent(QEvent::MouseButtonPress, at, button.mapToGlobal(at),
                                                         Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
    QCoreApplication::postEvent(&button, new QMouseEvent(QEvent::MouseButtonRelease, at, button.mapToGlobal(at),
                                                         Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
    FlushPendingInput();
    QCoreApplication::processEvents();
    EXPECT_EQ(clicked.count(), 0);

    // The same click made after the flush does press it.
    QCoreApplication::postEvent(&button, new QMouseEvent(QEvent::MouseButtonPress, at, button.mapToGlobal(at),
                                                         Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
    QCoreApplication::postEvent(&button, new QMouseEvent(QEvent::MouseButtonRelease, at, button.mapToGlobal(at),
                                                         Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
    QCoreApplication::processEvents();
    EXPECT_EQ(clicked.count(), 1);
}

TEST(IntroPlatform, NoIntroWithoutAScreenToPlayItOn)
{
    EXPECT_FALSE(CanPlayIntroOn("offscreen"));
    EXPECT_FALSE(CanPlayIntroOn("minimal"));
    EXPECT_TRUE(CanPlayIntroOn("xcb"));
    EXPECT_TRUE(CanPlayIntroOn("wayland"));
    EXPECT_FALSE(CanPlayIntro()); // the tests run offscreen
}

} // namespace
