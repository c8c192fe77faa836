#include "app/engine/EngineHost.h"

#include "app/engine/DisplaySwitchHooks.h"
#include "app/engine/EngineCommands.h"
#include "app/engine/EngineDisplay.h"
#include "app/engine/EngineLibraryLoader.h"
#include "app/engine/LauncherServiceTable.h"
#include "app/settings/ActiveCustomGame.h"
#include "app/settings/CommandLine.h"
#include "app/settings/LauncherState.h"
#include "app/text/Messages.h"

#include <QCoreApplication>

#include <strings.h>

namespace {

constexpr const char* kConnectOption = "+connect";
constexpr const char* kNoCommandLine = "empty";
constexpr int kRequestMapEditor = 5;

EngineHost* g_fatalHost = nullptr;

void RecordFatalError(const char* message)
{
    if (g_fatalHost)
        g_fatalHost->NoteFatalError(message);
}

} // namespace

EngineHost::EngineHost(EngineLibraryLoader& loader, EngineDisplay& display,
                       std::function<std::string()> programDirectory)
    : m_loader(loader), m_display(display), m_programDirectory(std::move(programDirectory))
{
    m_quitHandler = [](int code) { QCoreApplication::exit(code); };
}

EngineHost::EngineHost(EngineLibraryLoader& loader, EngineDisplay& display, std::string programDirectory)
    : EngineHost(loader, display, [directory = std::move(programDirectory)] { return directory; })
{
}

EngineHost::~EngineHost()
{
    if (m_handle)
        ReleaseLibrary();
    if (g_fatalHost == this)
        g_fatalHost = nullptr;
}

void EngineHost::SetEngineMemory(void* block, size_t size)
{
    m_memory = block;
    m_memorySize = size;
}

std::string EngineHost::CurrentGame() const
{
    const ActiveCustomGameInfo* game = ActiveCustomGame();
    return game ? game->gamedir : std::string();
}

int EngineHost::LoadEngine(const std::string& library, int start)
{
    const bool restart = m_display.RestartRequired();
    const bool gameChanged = m_handle && CurrentGame() != m_loadedGame;
    if (!library.empty() && m_handle && strcasecmp(library.c_str(), m_libraryName.c_str()) == 0 && !restart &&
        !gameChanged)
        return 0;

    if (m_firstLoad) {
        m_firstLoad = false;
        m_connectOnCommandLine = FindOption(kConnectOption);
    }
    if (m_handle)
        Unload(!library.empty());
    if (library.empty()) {
        m_table.RestoreDefaults();
        return 0;
    }

    void* handle = m_loader.Open(m_programDirectory() + "/" + library);
    if (!handle)
        return kMessageEngineFailed;
    m_table.RestoreDefaults();
    const EngineApiFn api = m_loader.FindApi(handle);
    if (!api || !api(kEngineInterfaceVersion, kEngineTableBytes, m_table.Data())) {
        m_loader.Close(handle);
        m_table.RestoreDefaults();
        return kMessageEngineFailed;
    }
    m_handle = handle;
    m_libraryName = library;
    m_loadedGame = CurrentGame();
    g_fatalHost = this;
    SetFatalErrorObserver(&RecordFatalError);
    SetState(kEngineRunning);
    if (start != 1)
        Notify(start);
    return StartLoaded();
}

int EngineHost::StartLoaded()
{
    const int renderer = m_display.Renderer();
    if (!m_background)
        m_display.PrepareDisplay(renderer);

    m_windowSetUp = true;
    const bool windowValid = m_display.SetUpEngineWindow();
    m_windowSetUp = false;
    int status = windowValid ? 0 : NoWindowMessageFor(renderer);

    if (status == 0) {
        TellBackground();
        const CommandLine& line = EffectiveCommandLine();
        const std::string commandLine = line.Present() && !line.Text().empty() ? line.Text() : kNoCommandLine;
        m_windowHandle = m_display.EngineWindowHandle();
        const auto initialise = m_table.Get<EngineInitialiseFn>(kEntryInitialise);
        if (!initialise ||
            !initialise(commandLine.c_str(), m_memory, m_memorySize, &LauncherServices(), &m_windowHandle, 0))
            status = kMessageEngineFailed;
    }
    if (status != 0) {
        ReleaseLibrary();
        SetState(kEngineNoGame);
        return status;
    }

    // The engine has seen "+connect" now; a later reload must not connect again.
    if (FindOption(kConnectOption))
        RemoveOption(kConnectOption);
    if (m_table.Has(kEntryStarting))
        m_table.Get<EngineIntArgFn>(kEntryStarting)(1);
    if (m_table.Has(kEntryAfterStart))
        m_table.Get<EngineVoidFn>(kEntryAfterStart)();
    EngineFrame(true);
    if (m_savedForModeSwitch) {
        m_savedForModeSwitch = false;
        if (m_table.Has(kEntryRestoreGame))
            m_table.Get<EngineNameFn>(kEntryRestoreGame)(kModeSwitchSave);
    }
    if (m_table.Has(kEntryStarting))
        m_table.Get<EngineIntArgFn>(kEntryStarting)(0);
    if (m_background)
        m_display.HideEngineWindow();
    else
        GiveEngineScreen();
    m_display.NoteEngineStarted();
    return 0;
}

void EngineHost::Unload(bool reloading)
{
    m_unloading = true;
    const EngineStatus status = Status();
    const bool multiplayer = status.InMultiplayerGame();
    if (reloading && !multiplayer && !m_dedicatedPending && m_table.Has(kEntrySaveGame))
        m_savedForModeSwitch = m_table.Get<EngineSaveGameFn>(kEntrySaveGame)(kModeSwitchSave, kModeSwitchComment) != 0;
    if (multiplayer) {
        AddCommandText(kCommandDisconnect);
        const bool background = m_background;
        m_background = true;
        EngineFrame(true);
        m_background = background;
    }
    if (m_table.Has(kEntryBeforeShutdown))
        m_table.Get<EngineVoidFn>(kEntryBeforeShutdown)();
    if (m_table.Has(kEntryShutdown))
        m_table.Get<EngineVoidFn>(kEntryShutdown)();
    const bool hardware = strcasecmp(m_libraryName.c_str(), kHardwareLibrary) == 0;
    if (hardware && m_table.Has(kEntryRestoreDisplay)) {
        m_table.Get<EngineRestoreDisplayFn>(kEntryRestoreDisplay)(m_windowHandle, Launcher().launcherWidth,
                                                                  Launcher().launcherHeight);
    }
    ReleaseLibrary();
    if (hardware)
        m_display.RecreateEngineWindow();
    m_unloading = false;
}

void EngineHost::ReleaseLibrary()
{
    void* handle = m_handle;
    m_handle = nullptr;
    m_libraryName.clear();
    m_table.RestoreDefaults();
    m_loader.Close(handle);
}

int EngineHost::StartEngine(bool background)
{
    SetBackground(background);
    const int status = LoadEngine(EngineLibraryFor(m_display.Renderer()), 1);
    if (status != 0) {
        TakeScreenBack();
        ShowMessage(status);
        return 0;
    }
    SetState(kEngineRunning);
    AddCommandText(kCommandHideConsole);
    if (!m_background && !m_display.EngineWindowVisible())
        GiveEngineScreen();
    if (m_table.Has(kEntryAfterStart))
        m_table.Get<EngineVoidFn>(kEntryAfterStart)();
    return 1;
}

bool EngineHost::RunEngine(bool pump, const std::string& text)
{
    if (!StartEngine(false)) {
        SetState(kEngineNoGame);
        LoadEngine({}, 0);
        TakeScreenBack();
        return false;
    }
    if (!text.empty() && m_state != kEngineQuitting)
        AddCommandText(text + "\n");
    if (pump) {
        EngineFrame(true);
        SetState(kEngineSuspended);
    }
    return true;
}

int EngineHost::EngineFrame(bool force)
{
    if (!force && m_state != kEngineRunning)
        return m_state;
    if (!m_display.LauncherActive() && !m_dedicatedPending && !m_display.Windowed())
        return m_state;

    TellBackground();
    if (m_state != kEngineNoGame) {
        // The launcher runs inside the toolkit's event loop, so it never sleeps here
        // waiting for window messages; dialogs pace their idle calls themselves.
        const double now = Clock();
        double elapsed = now - m_lastFrameTime;
        if (elapsed < 0)
            elapsed = kNegativeFrameTime;
        int request = 0;
        int result = m_state;
        if (m_table.Has(kEntryRunFrame))
            result = m_table.Get<EngineRunFrameFn>(kEntryRunFrame)(elapsed, m_state, &request);
        if (m_pendingState != -1) {
            result = m_pendingState;
            m_pendingState = -1;
        }
        if (request >= 1 && request < kRequestCount) {
            m_requests[size_t(request)] = true;
            if (request == kRequestMapEditor)
                m_display.MinimiseLauncher();
        }
        result = LeaveCountdown(result);
        if (result != m_state) {
            SetState(result);
            if (result == kEngineSuspended && !m_busy && !m_background)
                TakeScreenBack();
        }
        m_lastFrameTime = now;
    }

    if (m_state == kEngineQuitting && !m_unloading) {
        if (!m_background)
            TakeScreenBack();
        if (!m_fatalPending && m_quitHandler)
            m_quitHandler(1);
        if (m_handle)
            Unload(false);
        SetState(kEngineNoGame);
    }
    return m_state;
}

int EngineHost::LeaveCountdown(int result)
{
    if (result == kEngineLeaveInFiveFrames) {
        m_countdown = kLeaveCountdownFrames;
        m_countdownSawSuspend = false;
        return kEngineRunning;
    }
    if (m_countdown <= 0)
        return result;
    if (result == kEngineSuspended) {
        m_countdownSawSuspend = true;
        result = kEngineRunning;
    }
    if (--m_countdown == 0 && m_countdownSawSuspend) {
        m_countdownSawSuspend = false;
        result = kEngineSuspended;
    }
    return result;
}

void EngineHost::StopEngine()
{
    if (m_handle)
        Unload(false);
    m_table.RestoreDefaults();
    SetState(kEngineNoGame);
}

void EngineHost::QuitGame()
{
    if (m_state != kEngineNoGame) {
        if (m_state != kEngineQuitting)
            AddCommandText(kCommandQuit);
        SetState(kEngineQuitting);
    }
    StopEngine();
}

void EngineHost::SetState(int state)
{
    if (state == m_state)
        return;
    m_state = state;
    if (m_table.Has(kEntryStateChanged))
        m_table.Get<EngineIntArgFn>(kEntryStateChanged)(state);
}

void EngineHost::SetBackground(bool background)
{
    m_background = background;
    TellBackground();
}

void EngineHost::TellBackground()
{
    if (m_table.Has(kEntryBackgroundMode))
        m_table.Get<EngineIntArgFn>(kEntryBackgroundMode)(m_background ? 1 : 0);
}

void EngineHost::NoteFatalError(const char* message)
{
    m_fatalPending = true;
    m_fatalText = message ? message : "";
    TakeScreenBack();
}

void EngineHost::GiveEngineScreen()
{
    BeforeDisplaySwitch();
    m_display.GiveEngineScreen();
    InputAndSoundOn();
    AfterDisplaySwitch();
}

void EngineHost::TakeScreenBack()
{
    BeforeDisplaySwitch();
    InputAndSoundOff();
    m_display.TakeScreenBack();
    AfterDisplaySwitch();
}
