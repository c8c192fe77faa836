#pragma once
// Loads an engine library, starts it, runs it one frame per call on the UI thread and
// unloads it. Keeps the engine state (0 no game, 1 running, 2 suspended behind the
// menu, 3 quitting) and hands the screen between the menu and the engine.
#include "app/engine/EngineStatus.h"
#include "app/engine/EngineTable.h"

#include <array>
#include <cstddef>
#include <functional>
#include <string>

class EngineDisplay;
class EngineLibraryLoader;

class EngineHost
{
public:
    static constexpr int kMessageEngineFailed = 137;
    static constexpr int kLeaveCountdownFrames = 5;
    static constexpr double kNegativeFrameTime = 0.02;
    static constexpr int kRequestCount = 6; // requests 1 to 5 from the frame entry
    static constexpr const char* kModeSwitchSave = "KSSave";
    static constexpr const char* kModeSwitchComment = "Mode Switch";

    // The libraries are loaded from programDirectory, asked again at every load.
    EngineHost(EngineLibraryLoader& loader, EngineDisplay& display, std::function<std::string()> programDirectory);
    EngineHost(EngineLibraryLoader& loader, EngineDisplay& display, std::string programDirectory);
    ~EngineHost();
    EngineHost(const EngineHost&) = delete;
    EngineHost& operator=(const EngineHost&) = delete;

    // Loads "sw.so", "hw.so" or, with an empty name, unloads. Returns 0 on success or
    // a message number (137 library refused, 428/429/430 no engine window).
    int LoadEngine(const std::string& library, int start);
    // Loads and starts the library that fits the renderer and gives it the screen.
    // Returns 1 on success; on failure shows the message and returns 0.
    int StartEngine(bool background);
    // Starts the engine, then adds the text (with a line feed) unless quitting; with
    // pump, runs one frame and suspends. An empty text adds nothing.
    bool RunEngine(bool pump, const std::string& text = {});
    // The frame pump; returns the engine state.
    int EngineFrame(bool force = false);
    // Unloads the library; state 0.
    void StopEngine();
    // Quit from the menu: "quit\n" while a game is loaded, then unload.
    void QuitGame();

    int State() const { return m_state; }
    bool Loaded() const { return m_handle != nullptr; }
    const std::string& LibraryName() const { return m_libraryName; }
    // Another part of the launcher forces the next frame's state once (-1: none).
    void SetPendingState(int state) { m_pendingState = state; }
    void SetBusy(bool busy) { m_busy = busy; }
    bool Busy() const { return m_busy; }
    void SetBackground(bool background);
    bool Background() const { return m_background; }
    void SetDedicatedServerPending(bool pending) { m_dedicatedPending = pending; }
    // The memory block handed to the engine (owned by the application object).
    void SetEngineMemory(void* block, size_t size);
    // Called when an engine in state 3 makes the launcher end (default: the
    // application's event loops end with the code).
    void SetQuitHandler(std::function<void(int)> handler) { m_quitHandler = std::move(handler); }
    // "+connect" was on the command line when the first engine was loaded.
    bool ConnectOnCommandLine() const { return m_connectOnCommandLine; }
    // Requests 1 to 5 of the frame entry since the flag was last taken.
    bool TakeRequest(int request);

    // Engine entries, each only when the engine fills it.
    void AddCommandText(const std::string& text);
    void SetConsoleVariable(const char* name, const char* value);
    std::string ConsoleVariable(const char* name);
    void Notify(int code);
    EngineStatus Status();
    double Clock();

    // Engine window input.
    bool WindowSetUpInProgress() const { return m_windowSetUp; }
    void OfferWindowMessage(void* window, void* event);
    void KeyEvent(int scanCode, bool extended, bool down);
    void WheelEvent(int delta);
    void MouseButtons(int mask);
    void WindowCloseRequested();
    void InputAndSoundOff();
    void InputAndSoundOn();

    // Records the engine's fatal error; the process ends right after.
    void NoteFatalError(const char* message);
    bool FatalErrorPending() const { return m_fatalPending; }
    const std::string& FatalErrorText() const { return m_fatalText; }

    EngineTable& Table() { return m_table; }
    EngineDisplay& Display() { return m_display; }

private:
    int StartLoaded();
    void Unload(bool reloading);
    void ReleaseLibrary();
    void SetState(int state);
    void TellBackground();
    int LeaveCountdown(int result);
    void GiveEngineScreen();
    void TakeScreenBack();
    std::string CurrentGame() const;

    EngineLibraryLoader& m_loader;
    EngineDisplay& m_display;
    std::function<std::string()> m_programDirectory;
    EngineTable m_table;

    void* m_handle = nullptr;
    std::string m_libraryName;
    std::string m_loadedGame;
    void* m_windowHandle = nullptr;
    void* m_memory = nullptr;
    size_t m_memorySize = 0;

    int m_state = 0;
    int m_pendingState = -1;
    int m_countdown = 0;
    bool m_countdownSawSuspend = false;
    double m_lastFrameTime = 0.0;
    bool m_busy = false;
    bool m_background = false;
    bool m_dedicatedPending = false;
    bool m_windowSetUp = false;
    bool m_unloading = false;
    bool m_firstLoad = true;
    bool m_connectOnCommandLine = false;
    bool m_savedForModeSwitch = false;
    bool m_fatalPending = false;
    std::string m_fatalText;
    std::array<bool, kRequestCount> m_requests{};
    std::function<void(int)> m_quitHandler;
};

// The launcher's engine host (dlopen loader, Qt windows), created on first use.
EngineHost& TheEngineHost();

// The hand-off operations on the launcher's engine host, for the menu and dialogs.
int LoadEngine(const std::string& library, int start);
int StartEngine(bool background);
// The text is formatted like printf; nullptr adds no text.
bool RunEngine(bool pump, const char* format = nullptr, ...) __attribute__((format(printf, 2, 3)));
int EngineFrame(bool force);
void StopEngine();
