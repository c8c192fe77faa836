// The main menu's logo strip, its display check, the engine window's place in front
// and the keys it passes on, on the offscreen platform with the real stand-in engine.
#include "app/dialogs/CKSMainDlg.h"
#include "app/engine/EngineHost.h"
#include "app/engine/EngineWindow.h"
#include "app/engine/QtEngineDisplay.h"
#include "app/files/SearchPath.h"
#include "app/settings/CommandLine.h"
#include "app/settings/LauncherState.h"
#include "app/text/StringList.h"
#include "platform/DisplayLayer.h"
#include "support/AviBuilder.h"
#include "support/RecordingPrompt.h"
#include "support/TempTree.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <gtest/gtest.h>

#include <set>

#include "MenuTestSkin.h"
#include "support/LauncherEngine.h"

namespace {

class RefusingDisplayLayer : public DisplayLayer
{
public:
    static constexpr uint32_t kRefused = 0x88760091; // any error code
    uint32_t Acquire(bool) override { return kRefused; }
    void Release() override {}
    bool Acquired() const override { return false; }
    std::vector<DisplayMode> Modes() override { return {}; }
};

class MainMenuLogoTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        InstallMenuTestSkin();
        m_savedBase = Launcher().baseDirectory;
        m_savedMhz = Launcher().cpuMhz;
        Launcher().baseDirectory = tree.PathStd();
        UseLauncherEngine();
        Launcher().cpuMhz = 800;
        Launcher().updaterFlag = 0;
        tree.Write("vrel/liblist.gam", "game \"Test\"\n");
        // Red, green and blue frames, a twentieth of a second each.
        tree.Write("vrel/media/logo.avi",
                   AviBuilder::MotionJpeg(QSize(160, 25), {Qt::red, Qt::green, Qt::blue}, 50000));
        UseCommandLine("kestrel -game vrel");
    }

    void TearDown() override
    {
        menu.reset();
        StopEngine();
        TheEngineDisplay().DestroyEngineWindow();
        TheEngineDisplay().SetWindowed(true);
        SetDisplayLayer(nullptr);
        EffectiveCommandLine() = CommandLine();
        ResetSearchPath();
        Launcher().baseDirectory = m_savedBase;
        Launcher().cpuMhz = m_savedMhz;
    }

    static void UseCommandLine(const std::string& line)
    {
        EffectiveCommandLine() = CommandLine(line);
        ResetSearchPath();
    }

    CKSMainDlg& OpenMenu()
    {
        menu = std::make_unique<CKSMainDlg>();
        menu->show();
        return *menu;
    }

    void Idle(int ms)
    {
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < ms) {
            menu->OnIdle();
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        }
    }

    QColor MenuPixel(int x, int y) const { return menu->grab().toImage().pixelColor(x, y); }

    TempTree tree;
    RecordingPrompt prompt;
    std::unique_ptr<CKSMainDlg> menu;

private:
    std::string m_savedBase;
    int m_savedMhz = 0;
};

TEST_F(MainMenuLogoTest, LogoLoopsInItsStripAcrossTheMenu)
{
    OpenMenu();
    const LogoAnimation& logo = menu->Logo();
    ASSERT_TRUE(logo.Loaded());
    EXPECT_TRUE(logo.Running());
    EXPECT_TRUE(logo.Flying());
    // The first frame (red) fills the strip from 70 to 170 across the whole width.
    for (const QPoint at : {QPoint(2, 71), QPoint(menu->width() / 2, 120), QPoint(menu->width() - 3, 168)})
        EXPECT_GT(MenuPixel(at.x(), at.y()).red(), 200) << at.x() << "," << at.y();
    EXPECT_LT(MenuPixel(menu->width() / 2, 66).red(), 100);
    EXPECT_LT(MenuPixel(menu->width() / 2, 174).red(), 100);

    std::set<int> seen;
    QElapsedTimer timer;
    timer.start();
    while (seen.size() < 3 && timer.elapsed() < 2000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        seen.insert(logo.FrameNumber());
    }
    EXPECT_EQ(seen.size(), 3u);
}

TEST_F(MainMenuLogoTest, NoFlyOptionAndSlowProcessorHoldTheFirstFrame)
{
    UseCommandLine("kestrel -nofly -game vrel");
    OpenMenu();
    EXPECT_FALSE(menu->Logo().Flying());
    Idle(150);
    EXPECT_EQ(menu->Logo().FrameNumber(), 0);
    EXPECT_GT(MenuPixel(menu->width() / 2, 120).red(), 200);
    menu.reset();

    UseCommandLine("kestrel -game vrel");
    Launcher().cpuMhz = 166;
    OpenMenu();
    EXPECT_FALSE(menu->Logo().Flying());
    menu.reset();

    UseCommandLine("kestrel -fly -game vrel");
    OpenMenu();
    EXPECT_TRUE(menu->Logo().Flying());
}

TEST_F(MainMenuLogoTest, MenuWithoutALogoFileShowsTheBackdrop)
{
    ASSERT_TRUE(QFile::remove(tree.Abs("vrel/media/logo.avi")));
    OpenMenu();
    EXPECT_FALSE(menu->Logo().Loaded());
    EXPECT_LT(MenuPixel(menu->width() / 2, 120).red(), 100);
}

TEST_F(MainMenuLogoTest, LogoRestsWhileTheEngineHasTheScreenAndStartsAgainAfter)
{
    UseCommandLine("kestrel -console -game vrel");
    OpenMenu();
    menu->Choose(kMenuConsole);
    ASSERT_EQ(TheEngineHost().State(), kEngineRunning);
    menu->OnIdle();
    EXPECT_FALSE(menu->Logo().Running());

    // Escape in the engine window (X11 key code 9) brings the menu back.
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier, 9, 0, 0);
    QCoreApplication::sendEvent(TheEngineDisplay().Window(), &escape);
    Idle(100);
    EXPECT_EQ(TheEngineHost().State(), kEngineSuspended);
    EXPECT_TRUE(menu->Logo().Running());
}

TEST_F(MainMenuLogoTest, QuitStopsTheLogo)
{
    UseCommandLine("kestrel -noprompt -game vrel");
    OpenMenu();
    menu->OnIdle();
    menu->Choose(kMenuQuit);
    EXPECT_FALSE(menu->isVisible());
    EXPECT_FALSE(menu->Logo().Running());
}

TEST_F(MainMenuLogoTest, DisplayRefusedShows136AndTheMenuCloses)
{
    RefusingDisplayLayer layer;
    SetDisplayLayer(&layer);
    TheEngineDisplay().SetWindowed(false);
    menu = std::make_unique<CKSMainDlg>();
    EXPECT_TRUE(menu->DisplayFailed());
    ASSERT_FALSE(prompt.Texts().empty());
    EXPECT_EQ(prompt.Texts().back(), GetString(136));
    EXPECT_EQ(menu->DoModal(), QDialog::Rejected);
    EXPECT_FALSE(menu->isVisible());
}

TEST_F(MainMenuLogoTest, WindowedMenuLeavesTheDisplayAlone)
{
    RefusingDisplayLayer layer;
    SetDisplayLayer(&layer);
    OpenMenu();
    EXPECT_FALSE(menu->DisplayFailed());
    EXPECT_TRUE(prompt.Texts().empty());
}

TEST_F(MainMenuLogoTest, KeysGivenToTheMenuReachTheRunningEngine)
{
    UseCommandLine("kestrel -console -game vrel");
    OpenMenu();
    menu->Choose(kMenuConsole);
    menu->OnIdle(); // from here on the menu's own Escape would ask to quit
    ASSERT_EQ(TheEngineHost().State(), kEngineRunning);
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier, 9, 0, 0);
    QCoreApplication::sendEvent(menu.get(), &escape);
    EXPECT_EQ(TheEngineHost().EngineFrame(false), kEngineSuspended);
    EXPECT_TRUE(prompt.Texts().empty()) << "the menu itself did not treat the key as its own Escape";
}

TEST_F(MainMenuLogoTest, EngineWindowStaysInFrontUnlessConsoleOrNoTopMost)
{
    const struct
    {
        const char* line;
        bool onTop;
    } cases[] = {{"kestrel -game vrel", true},
                 {"kestrel -notopmost -game vrel", false},
                 {"kestrel -console -game vrel", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        UseCommandLine(c.line);
        OpenMenu();
        ASSERT_TRUE(TheEngineHost().RunEngine(false));
        menu->OnIdle();
        ASSERT_NE(TheEngineDisplay().Window(), nullptr);
        EXPECT_EQ(TheEngineDisplay().Window()->windowFlags().testFlag(Qt::WindowStaysOnTopHint), c.onTop);
        menu.reset();
        StopEngine();
        TheEngineDisplay().DestroyEngineWindow();
    }
}

TEST_F(MainMenuLogoTest, FatalErrorChoiceWithoutAnErrorDoesNothing)
{
    OpenMenu();
    menu->Choose(kMenuFatalError);
    EXPECT_TRUE(menu->isVisible());
    EXPECT_TRUE(prompt.Texts().empty());
}

} // namespace
