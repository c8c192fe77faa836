// The engine host against an engine made of test functions.
#include "app/engine/EngineHost.h"
#include "app/engine/EngineDisplay.h"
#include "app/engine/EngineLibraryLoader.h"
#include "app/settings/ActiveCustomGame.h"
#include "app/settings/CommandLine.h"
#include "app/text/Prompt.h"

#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <string>
#include <vector>

namespace {

// What the test engine saw and what it answers.
struct FakeEngine
{
    std::vector<std::string> commandLines;
    std::string commandText;
    std::vector<int> statesTold;
    std::deque<int> frameResults; // consumed one per frame; then the state is echoed
    std::vector<int> framesSeenState;
    int connectionState = kConnectionNone;
    int saveResult = 0;
    int saves = 0;
    std::vector<std::string> restored;
    int shutdowns = 0;
    int initialiseResult = 1;
    double clock = 0.0;
    std::vector<std::pair<int, int>> keys;
    std::vector<int> mouseMasks;
};

FakeEngine* g_engine = nullptr;

extern "C" {
void FakeAddText(const char* text)
{
    g_engine->commandText += text;
}
void FakeStateChanged(int state)
{
    g_engine->statesTold.push_back(state);
}
int FakeRunFrame(double, int state, int* request)
{
    *request = 0;
    g_engine->framesSeenState.push_back(state);
    g_engine->clock += 0.01;
    if (g_engine->frameResults.empty())
        return state;
    const int result = g_engine->frameResults.front();
    g_engine->frameResults.pop_front();
    return result;
}
int FakeInitialise(const char* commandLine, void*, size_t, const void*, void** window, int)
{
    g_engine->commandLines.push_back(commandLine);
    return g_engine->initialiseResult;
}
int FakeStatus(void* record, int)
{
    std::memset(record, 0, kEngineStatusRecordBytes);
    std::memcpy(static_cast<uint8_t*>(record) + kStatusConnectionOffset, &g_engine->connectionState, 4);
    return 1;
}
int FakeSave(const char*, const char*)
{
    ++g_engine->saves;
    return g_engine->saveResult;
}
void FakeRestore(const char* name)
{
    g_engine->restored.push_back(name);
}
void FakeShutdown()
{
    ++g_engine->shutdowns;
}
double FakeClock()
{
    return g_engine->clock;
}
void FakeKey(int key, int down)
{
    g_engine->keys.emplace_back(key, down);
}
void FakeMouse(int mask)
{
    g_engine->mouseMasks.push_back(mask);
}

int FakeApi(int version, int size, void* table)
{
    if (version != kEngineInterfaceVersion || size != kEngineTableBytes)
        return 0;
    auto* entries = static_cast<uintptr_t*>(table);
    auto set = [&](int entry, auto function) { entries[entry] = reinterpret_cast<uintptr_t>(function); };
    set(kEntryAddCommandText, &FakeAddText);
    set(kEntryStateChanged, &FakeStateChanged);
    set(kEntryRunFrame, &FakeRunFrame);
    set(kEntryInitialise, &FakeInitialise);
    set(kEntryFillStatusRecord, &FakeStatus);
    set(kEntrySaveGame, &FakeSave);
    set(kEntryRestoreGame, &FakeRestore);
    set(kEntryShutdown, &FakeShutdown);
    set(kEntryClock, &FakeClock);
    set(kEntryKeyEvent, &FakeKey);
    set(kEntryMouseButtons, &FakeMouse);
    return 1;
}
int RefusingApi(int, int, void*)
{
    return 0;
}
}

class FakeLoader : public EngineLibraryLoader
{
public:
    void* Open(const std::string& path) override
    {
        opened.push_back(path);
        return missing ? nullptr : &m_token;
    }
    EngineApiFn FindApi(void*) override { return refuse ? &RefusingApi : &FakeApi; }
    void Close(void* handle) override
    {
        if (handle)
            ++closed;
    }
    std::vector<std::string> opened;
    int closed = 0;
    bool missing = false;
    bool refuse = false;

private:
    int m_token = 0;
};

class FakeDisplay : public EngineDisplay
{
public:
    int Renderer() override { return renderer; }
    bool RestartRequired() override { return restart; }
    bool Windowed() override { return windowed; }
    bool MouseCaptured() override { return captured; }
    bool SetUpEngineWindow() override { return windowValid; }
    void* EngineWindowHandle() override { return this; }
    bool EngineWindowVisible() override { return engineShown; }
    void HideEngineWindow() override { engineShown = false; }
    void GiveEngineScreen() override { engineShown = true; }
    void TakeScreenBack() override
    {
        engineShown = false;
        ++takenBack;
    }
    int renderer = 1;
    bool restart = false;
    bool windowValid = true;
    bool engineShown = false;
    int takenBack = 0;
    bool windowed = true;
    bool captured = false;
};

class RecordingPrompt : public Prompt
{
public:
    int Show(const std::string& text, PromptButtons) override
    {
        shown.push_back(text);
        return kPromptFirst;
    }
    std::vector<std::string> shown;
};

class EngineHostTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_engine = &engine;
        EffectiveCommandLine() = CommandLine("kestrel -game vrel");
        SetPrompt(&prompt);
        host.SetQuitHandler([this](int code) { quitCodes.push_back(code); });
    }
    void TearDown() override
    {
        SetPrompt(nullptr);
        EffectiveCommandLine() = CommandLine();
    }

    FakeEngine engine;
    FakeLoader loader;
    FakeDisplay display;
    RecordingPrompt prompt;
    EngineHost host{loader, display, "/opt/kestrel"};
    std::vector<int> quitCodes;
};

} // namespace

TEST_F(EngineHostTest, StartLoadsTheLibraryOfTheRendererFromTheProgramDirectory)
{
    ASSERT_EQ(host.StartEngine(false), 1);
    ASSERT_EQ(loader.opened.size(), 1u);
    EXPECT_EQ(loader.opened[0], "/opt/kestrel/sw.so");
    EXPECT_EQ(host.State(), kEngineRunning);
    EXPECT_TRUE(display.engineShown);
    EXPECT_NE(engine.commandText.find("hideconsole\n"), std::string::npos);
    EXPECT_EQ(engine.commandLines, (std::vector<std::string>{"kestrel -game vrel"}));

    // Same renderer, nothing changed: no reload.
    ASSERT_EQ(host.StartEngine(false), 1);
    EXPECT_EQ(loader.opened.size(), 1u);

    // Another renderer: the software engine goes, the hardware one comes.
    display.renderer = 2;
    ASSERT_EQ(host.StartEngine(false), 1);
    ASSERT_EQ(loader.opened.size(), 2u);
    EXPECT_EQ(loader.opened[1], "/opt/kestrel/hw.so");
    EXPECT_EQ(loader.closed, 1);
    EXPECT_EQ(engine.shutdowns, 1);
}

TEST_F(EngineHostTest, ConnectOptionIsHandedOverOnceAcrossAReload)
{
    EffectiveCommandLine() = CommandLine("kestrel +connect 127.0.0.1:27015 -game vrel");
    ASSERT_EQ(host.StartEngine(false), 1);
    EXPECT_TRUE(host.ConnectOnCommandLine());
    display.restart = true; // a video change reloads the same library
    ASSERT_EQ(host.StartEngine(false), 1);
    ASSERT_EQ(engine.commandLines.size(), 2u);
    EXPECT_NE(engine.commandLines[0].find("+connect 127.0.0.1:27015"), std::string::npos);
    EXPECT_EQ(engine.commandLines[1].find("+connect"), std::string::npos);
    EXPECT_NE(engine.commandLines[1].find("-game vrel"), std::string::npos);
}

TEST_F(EngineHostTest, EmptyCommandLineIsHandedOverAsEmpty)
{
    EffectiveCommandLine() = CommandLine();
    ASSERT_EQ(host.StartEngine(false), 1);
    EXPECT_EQ(engine.commandLines, (std::vector<std::string>{"empty"}));
}

TEST_F(EngineHostTest, QuitInStateZeroAddsNoQuit)
{
    ASSERT_EQ(host.StartEngine(false), 1);
    host.SetPendingState(kEngineNoGame);
    EXPECT_EQ(host.EngineFrame(true), kEngineNoGame);
    engine.commandText.clear();
    host.QuitGame();
    EXPECT_EQ(engine.commandText, "");
    EXPECT_FALSE(host.Loaded());
}

TEST_F(EngineHostTest, QuitWhileRunningAddsQuitOnce)
{
    ASSERT_EQ(host.StartEngine(false), 1);
    engine.commandText.clear();
    host.QuitGame();
    EXPECT_EQ(engine.commandText, "quit\n");
    EXPECT_EQ(host.State(), kEngineNoGame);
    EXPECT_FALSE(host.Loaded());
}

TEST_F(EngineHostTest, LeavingInFiveFramesKeepsTheGameOnScreen)
{
    ASSERT_EQ(host.StartEngine(false), 1);
    ASSERT_TRUE(display.engineShown);
    engine.frameResults = {kEngineLeaveInFiveFrames, 2, 2, 2, 2, 2, 2};
    EXPECT_EQ(host.EngineFrame(false), kEngineRunning); // the 4
    for (int frame = 1; frame < EngineHost::kLeaveCountdownFrames; ++frame) {
        EXPECT_EQ(host.EngineFrame(false), kEngineRunning) << "frame " << frame;
        EXPECT_TRUE(display.engineShown);
    }
    EXPECT_EQ(host.EngineFrame(false), kEngineSuspended);
    EXPECT_FALSE(display.engineShown);
    EXPECT_EQ(display.takenBack, 1);
    // Five frames after the 4 were run while the game stayed in state 1.
    ASSERT_GE(engine.framesSeenState.size(), 6u);
    for (size_t i = engine.framesSeenState.size() - 5; i < engine.framesSeenState.size(); ++i)
        EXPECT_EQ(engine.framesSeenState[i], kEngineRunning);
}

TEST_F(EngineHostTest, SuspendWithoutCountdownShowsTheMenuAtOnce)
{
    ASSERT_EQ(host.StartEngine(false), 1);
    engine.frameResults = {kEngineSuspended};
    EXPECT_EQ(host.EngineFrame(false), kEngineSuspended);
    EXPECT_FALSE(display.engineShown);
    EXPECT_EQ(engine.statesTold.back(), kEngineSuspended);
    // A suspended engine only runs frames when forced.
    const size_t frames = engine.framesSeenState.size();
    host.EngineFrame(false);
    EXPECT_EQ(engine.framesSeenState.size(), frames);
    host.EngineFrame(true);
    EXPECT_EQ(engine.framesSeenState.size(), frames + 1);
}

TEST_F(EngineHostTest, PendingStateReplacesOneFrameResult)
{
    ASSERT_EQ(host.StartEngine(false), 1);
    host.SetPendingState(kEngineSuspended);
    EXPECT_EQ(host.EngineFrame(false), kEngineSuspended);
    EXPECT_EQ(host.EngineFrame(true), kEngineSuspended); // the engine echoes 2
}

TEST_F(EngineHostTest, EngineQuittingEndsTheLauncherAndUnloads)
{
    ASSERT_EQ(host.StartEngine(false), 1);
    engine.frameResults = {kEngineQuitting};
    EXPECT_EQ(host.EngineFrame(false), kEngineNoGame);
    EXPECT_EQ(quitCodes, (std::vector<int>{1}));
    EXPECT_FALSE(host.Loaded());
    EXPECT_EQ(loader.closed, 1);
}

TEST_F(EngineHostTest, MissingOrRefusingLibraryGivesMessage137)
{
    loader.missing = true;
    EXPECT_EQ(host.StartEngine(false), 0);
    EXPECT_EQ(host.State(), kEngineNoGame);
    ASSERT_EQ(prompt.shown.size(), 1u);

    loader.missing = false;
    loader.refuse = true;
    EXPECT_EQ(host.LoadEngine("sw.so", 1), EngineHost::kMessageEngineFailed);
    EXPECT_FALSE(host.Loaded());
    EXPECT_EQ(loader.closed, 1);
    // The defaults are back: the status entry clears the record.
    EXPECT_EQ(host.Status().connectionState, 0);
}

TEST_F(EngineHostTest, NoWindowGivesTheRendererMessage)
{
    display.windowValid = false;
    EXPECT_EQ(host.LoadEngine("sw.so", 1), 430);
    display.renderer = 2;
    EXPECT_EQ(host.LoadEngine("hw.so", 1), 428);
    display.renderer = 3;
    EXPECT_EQ(host.LoadEngine("hw.so", 1), 429);
    EXPECT_FALSE(host.Loaded());
    EXPECT_EQ(host.State(), kEngineNoGame);
}

TEST_F(EngineHostTest, FailedInitialiseReleasesTheLibrary)
{
    engine.initialiseResult = 0;
    EXPECT_EQ(host.LoadEngine("sw.so", 1), EngineHost::kMessageEngineFailed);
    EXPECT_FALSE(host.Loaded());
    EXPECT_EQ(loader.closed, 1);
}

TEST_F(EngineHostTest, ModeSwitchSavesAndRestoresASinglePlayerGame)
{
    ASSERT_EQ(host.StartEngine(false), 1);
    engine.saveResult = 1;
    display.restart = true;
    ASSERT_EQ(host.StartEngine(false), 1);
    EXPECT_EQ(engine.saves, 1);
    EXPECT_EQ(engine.restored, (std::vector<std::string>{"KSSave"}));
}

TEST_F(EngineHostTest, MultiplayerGameIsLeftNotSavedBeforeAReload)
{
    ASSERT_EQ(host.StartEngine(false), 1);
    engine.connectionState = kConnectionPlaying;
    engine.commandText.clear();
    display.restart = true;
    ASSERT_EQ(host.StartEngine(false), 1);
    EXPECT_EQ(engine.saves, 0);
    EXPECT_EQ(engine.commandText.rfind("disconnect\n", 0), 0u);
    EXPECT_TRUE(engine.restored.empty());
}

TEST_F(EngineHostTest, UnloadingForGoodDoesNotSave)
{
    ASSERT_EQ(host.StartEngine(false), 1);
    engine.saveResult = 1;
    host.StopEngine();
    EXPECT_EQ(engine.saves, 0);
    EXPECT_EQ(host.State(), kEngineNoGame);
}

TEST_F(EngineHostTest, RunEngineAddsTheTextWithALineFeed)
{
    ASSERT_TRUE(host.RunEngine(false, "map dm_yard"));
    EXPECT_NE(engine.commandText.find("map dm_yard\n"), std::string::npos);
    ASSERT_TRUE(host.RunEngine(true));
    EXPECT_EQ(host.State(), kEngineSuspended);
}

TEST_F(EngineHostTest, ClockComesFromTheEngineWhileLoaded)
{
    ASSERT_EQ(host.StartEngine(false), 1);
    engine.clock = 1234.5;
    EXPECT_DOUBLE_EQ(host.Clock(), 1234.5);
    host.StopEngine();
    EXPECT_LT(host.Clock(), 1000.0); // the launcher's own clock, counting from its start
}

TEST_F(EngineHostTest, KeysReachTheEngineAsKeyNumbers)
{
    ASSERT_EQ(host.StartEngine(false), 1);
    host.KeyEvent(72, false, true); // keypad 8
    host.KeyEvent(72, true, false); // Up arrow released
    host.KeyEvent(200, false, true);
    EXPECT_EQ(engine.keys, (std::vector<std::pair<int, int>>{{161, 1}, {128, 0}, {0, 1}}));
}

TEST_F(EngineHostTest, WheelIsAPressAndReleaseOfTheWheelKey)
{
    ASSERT_EQ(host.StartEngine(false), 1);
    host.WheelEvent(120);
    host.WheelEvent(-120);
    EXPECT_EQ(engine.keys, (std::vector<std::pair<int, int>>{{240, 1}, {240, 0}, {239, 1}, {239, 0}}));
}

TEST_F(EngineHostTest, MouseButtonsOnlyWhenFullScreenOrCapturedAndNotDuringAJoin)
{
    ASSERT_EQ(host.StartEngine(false), 1);
    host.MouseButtons(1);
    display.captured = true;
    host.MouseButtons(2);
    display.captured = false;
    display.windowed = false;
    host.MouseButtons(4);
    host.SetBusy(true);
    host.MouseButtons(5);
    EXPECT_EQ(engine.mouseMasks, (std::vector<int>{2, 4}));
}

TEST_F(EngineHostTest, ClosingTheWindowAsksUnlessQuitting)
{
    ASSERT_EQ(host.StartEngine(false), 1);
    engine.commandText.clear();
    host.WindowCloseRequested();
    EXPECT_EQ(engine.commandText, "quit prompt\n");
}

TEST_F(EngineHostTest, ChangedCustomGameReloadsTheEngine)
{
    SetActiveCustomGame(std::nullopt);
    ASSERT_EQ(host.StartEngine(false), 1);
    ActiveCustomGameInfo game;
    game.game = "Other";
    game.gamedir = "other";
    SetActiveCustomGame(game);
    ASSERT_EQ(host.StartEngine(false), 1);
    EXPECT_EQ(loader.opened.size(), 2u);
    ASSERT_EQ(host.StartEngine(false), 1);
    EXPECT_EQ(loader.opened.size(), 2u);
    SetActiveCustomGame(std::nullopt);
}
