// Frames, keys and commands of the real stand-in engine.
#include "EngineFixture.h"

#include "app/menu/JoinFlow.h"
#include "app/text/StringList.h"
#include "app/video/SurfaceCache.h"
#include "app/video/VideoState.h"

#include <QKeyEvent>

#include <sstream>

TEST_F(EngineFixture, EscapeInTheEngineWindowReturnsToTheMenu)
{
    ASSERT_EQ(host.StartEngine(false), 1);
    ASSERT_NE(display.Window(), nullptr);
    // X11 key code 9 is Escape (evdev 1, scan code 1).
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier, 9, 0, 0);
    QCoreApplication::sendEvent(display.Window(), &press);
    EXPECT_EQ(host.EngineFrame(false), kEngineSuspended);
    EXPECT_FALSE(display.Window()->isVisible());
    // Suspended, the engine keeps running when forced and stays suspended.
    EXPECT_EQ(host.EngineFrame(true), kEngineSuspended);
    EXPECT_TRUE(host.RunEngine(false));
    EXPECT_EQ(host.State(), kEngineRunning);
}

TEST_F(EngineFixture, OtherKeysKeepTheGameRunning)
{
    ASSERT_EQ(host.StartEngine(false), 1);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, 38, 0, 0);
    QCoreApplication::sendEvent(display.Window(), &press);
    EXPECT_EQ(host.EngineFrame(false), kEngineRunning);
}

TEST_F(EngineFixture, QuitCommandEndsTheLauncher)
{
    ASSERT_EQ(host.StartEngine(false), 1);
    host.AddCommandText(kCommandQuit);
    EXPECT_EQ(host.EngineFrame(false), kEngineNoGame);
    EXPECT_EQ(quitCodes, (std::vector<int>{1}));
    EXPECT_FALSE(host.Loaded());
}

TEST_F(EngineFixture, ClosingTheWindowOnlyAsks)
{
    ASSERT_EQ(host.StartEngine(false), 1);
    EXPECT_FALSE(display.Window()->close());
    EXPECT_EQ(host.EngineFrame(false), kEngineRunning);
    QKeyEvent yes(QEvent::KeyPress, Qt::Key_Y, Qt::NoModifier, 21 + 8, 0, 0); // scan code 21: 'y'
    QCoreApplication::sendEvent(display.Window(), &yes);
    EXPECT_EQ(host.EngineFrame(false), kEngineNoGame);
    EXPECT_EQ(quitCodes.size(), 1u);
}

TEST_F(EngineFixture, LocalMapIsAGameButNotAMultiplayerOne)
{
    ASSERT_EQ(host.StartEngine(false), 1);
    host.AddCommandText(NewGameCommand(1, "dm_yard", false));
    host.EngineFrame(true);
    EngineStatus status = host.Status();
    EXPECT_TRUE(status.Playing());
    EXPECT_EQ(status.localServer, 1);
    EXPECT_FALSE(status.InMultiplayerGame());

    // The listen server this starts stays on loopback, on ports of this test's own.
    host.AddCommandText("ip 127.0.0.1\nport 31200\n" + ListenServerCommand(true, 8, "", "Listen", "dm_arena"));
    host.EngineFrame(true);
    status = host.Status();
    EXPECT_TRUE(status.Playing());
    EXPECT_TRUE(status.InMultiplayerGame());
    EXPECT_EQ(status.maxClients, 8);
}

TEST_F(EngineFixture, UnknownMapIsRefusedAndTheMenuComesBack)
{
    ASSERT_EQ(host.StartEngine(false), 1);
    host.AddCommandText("map no_such_map\n");
    EXPECT_EQ(host.EngineFrame(true), kEngineSuspended);
    EngineStatus status = host.Status();
    EXPECT_EQ(status.connectionState, kConnectionNone);
    EXPECT_EQ(JoinFlow::FailureReason(status.text), " there is no map no_such_map.");

    // A map of the game directory's archive starts, whatever the letter case; an
    // unknown one then leaves that game running.
    host.AddCommandText("map WindWard\n");
    host.EngineFrame(true);
    ASSERT_TRUE(host.Status().Playing());
    host.AddCommandText("map ../harrow/maps/dm_yard\n");
    host.EngineFrame(true);
    status = host.Status();
    EXPECT_TRUE(status.Playing());
    EXPECT_EQ(status.localServer, 1);
    EXPECT_NE(status.text.find("there is no map"), std::string::npos);
}

TEST_F(EngineFixture, EngineReportsWhatTheLauncherHandedOver)
{
    const VideoState saved = Video();
    const int savedMmx = Launcher().mmx;
    const int savedCpuMhz = Launcher().cpuMhz;
    Launcher().mmx = 1;
    Launcher().cpuMhz = 450;
    VideoMode mode;
    mode.kind = kModeWindowed;
    mode.width = 640;
    mode.height = 480;
    mode.text = "640 x 480";
    Video().modes = {mode};
    Video().currentMode = 0;
    Video().record.width = 640;
    Video().record.height = 480;
    FillLauncherServiceTable();
    const bool started = host.StartEngine(false) == 1;
    Video() = saved;
    Launcher().mmx = savedMmx;
    Launcher().cpuMhz = savedCpuMhz;
    FillLauncherServiceTable();
    ASSERT_TRUE(started);

    EXPECT_EQ(host.ConsoleVariable("sys_mmx"), "1");
    EXPECT_EQ(host.ConsoleVariable("sys_cpumhz"), "450");
    EXPECT_EQ(host.ConsoleVariable("sys_memory"), std::to_string(kEngineMemory));
    EXPECT_EQ(host.ConsoleVariable("sys_mode"), "640 x 480 windowed");
    EXPECT_EQ(host.ConsoleVariable("sys_surfcache"), std::to_string(SurfaceCacheSize(640, 480)));
    // Of the entries the launcher's own parts provide, none is missing.
    std::istringstream missing(host.ConsoleVariable("sys_services_missing"));
    for (int entry; missing >> entry;) {
        EXPECT_TRUE((entry >= kServiceFirstCdAudio && entry <= kServiceRegisterCd) || entry == kServiceFindCustomGame)
            << "entry " << entry << " is missing";
    }
}

TEST_F(EngineFixture, EngineWithoutItsMemoryRefusesToStart)
{
    host.SetEngineMemory(nullptr, 0);
    EXPECT_EQ(host.StartEngine(false), 0);
    EXPECT_FALSE(host.Loaded());
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0], GetString(EngineHost::kMessageEngineFailed));
}

TEST_F(EngineFixture, ConsoleVariablesThroughTheTable)
{
    ASSERT_EQ(host.StartEngine(false), 1);
    host.SetConsoleVariable("scr_connectmsg", "Starting Network...");
    EXPECT_EQ(host.ConsoleVariable("scr_connectmsg"), "Starting Network...");
    EXPECT_EQ(host.ConsoleVariable("SCR_CONNECTMSG"), "Starting Network...");
    host.AddCommandText("name \"Ann; quit\"\n");
    host.EngineFrame(true);
    EXPECT_EQ(host.ConsoleVariable("name"), "Ann; quit");
    EXPECT_EQ(host.State(), kEngineRunning);
    EXPECT_EQ(host.ConsoleVariable("no_such_variable"), "");
}

TEST_F(EngineFixture, EngineWindowIsPaintedByTheEngine)
{
    ASSERT_EQ(host.StartEngine(false), 1);
    host.AddCommandText("map dm_yard\n");
    host.EngineFrame(true);
    display.Window()->resize(320, 240);
    const QImage image = display.Window()->grab().toImage();
    // The engine fills the window with its own background, not the default grey.
    EXPECT_EQ(image.pixelColor(2, 2), QColor(12, 16, 24));
}

namespace {
int g_cdCalls = 0;
extern "C" void CountCdCommand()
{
    ++g_cdCalls;
}
} // namespace

TEST_F(EngineFixture, RegisteredConsoleCommandRunsFromCommandText)
{
    ASSERT_EQ(host.StartEngine(false), 1);
    ASSERT_TRUE(host.Table().Has(kEntryAddConsoleCommand));
    host.Table().Get<EngineAddConsoleCommandFn>(kEntryAddConsoleCommand)("cd", &CountCdCommand);
    g_cdCalls = 0;
    host.AddCommandText("cd play 2\n");
    host.EngineFrame(true);
    EXPECT_EQ(g_cdCalls, 1);
}
