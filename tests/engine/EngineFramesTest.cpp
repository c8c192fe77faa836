// Frames, keys and commands of the real stand-in engine.
#include "EngineFixture.h"

#include <QKeyEvent>

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

    host.AddCommandText(ListenServerCommand(true, 8, "", "Listen", "dm_arena"));
    host.EngineFrame(true);
    status = host.Status();
    EXPECT_TRUE(status.Playing());
    EXPECT_TRUE(status.InMultiplayerGame());
    EXPECT_EQ(status.maxClients, 8);
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
extern "C" void CountCdCommand() { ++g_cdCalls; }
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
