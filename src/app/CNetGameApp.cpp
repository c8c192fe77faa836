#include "app/CNetGameApp.h"

#include "app/files/FileHandleTable.h"
#include "app/files/SearchPath.h"
#include "app/settings/CommandLine.h"
#include "app/settings/LauncherState.h"
#include "app/settings/ProcessorInfo.h"
#include "app/settings/SettingsStore.h"
#include "app/settings/ZorvanInf.h"
#include "app/text/Messages.h"
#include "platform/InstanceLock.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>

#include <chrono>
#include <cstdlib>

namespace {

constexpr const char* kInstanceLockName = "KESTRELLAUNCHER";
constexpr int kSocketReserve = 8;

// Makes a file writable for its owner when it exists.
void ClearReadOnly(const QString& path)
{
    QFile file(path);
    if (file.exists())
        file.setPermissions(file.permissions() | QFileDevice::WriteOwner);
}

} // namespace

CNetGameApp::CNetGameApp(StartupSteps& steps, std::string processCommandLine, std::string programDirectory,
                         std::string baseDirectory)
    : m_steps(steps), m_processCommandLine(std::move(processCommandLine))
{
    LauncherState& state = Launcher();
    state = LauncherState{};
    state.programDirectory = std::move(programDirectory);
    state.baseDirectory = std::move(baseDirectory);
    while (state.baseDirectory.size() > 1 && state.baseDirectory.back() == '/')
        state.baseDirectory.pop_back();
}

CNetGameApp::~CNetGameApp() = default;

int CNetGameApp::Run()
{
    // The start-up body runs again only when starting the updater failed.
    for (;;) {
        if (StartUp()) {
            m_step = 29;
            m_steps.RunMainMenu();
        }
        ShutDown();
        if (Launcher().updaterFlag && !m_steps.StartUpdater(Launcher().programDirectory)) {
            Launcher().updaterFlag = 0;
            FinalCleanUp();
            continue;
        }
        break;
    }
    FinalCleanUp();
    return 0;
}

bool CNetGameApp::StartUp()
{
    LauncherState& state = Launcher();

    // The built-in string table stands in for the resource library, so steps 1 to 4
    // (cursor, resource library, sound driver and maker key) have nothing to do here.
    m_step = 5;
    ClearReadOnly("zorvan.inf");
    ClearReadOnly("harrow/config.cfg");

    m_step = 7;
    state.updaterFlag = 0;
    m_lock = std::make_unique<InstanceLock>(kInstanceLockName);
    if (!m_lock->TryLock()) {
        m_lock.reset();
        return false;
    }

    m_step = 9;
    EffectiveCommandLine() = CommandLine::Expand(m_processCommandLine, &ReadParameterFile, [](const std::string& name) {
        ShowText("Parameter file '" + name + "' not found, skipping...");
    });

    m_step = 10;
    if (FindOption("-game"))
        RemoveOption("-game");
    AppendOption("-game", "vrel");
    state.gameDirectory = "vrel";

    m_step = 11;
    InitSearchPath();

    m_step = 12;
    m_steps.LoadStringAndColourLists();

    m_step = 13;
    const InstallIdent ident = ReadZorvanInf(state.baseDirectory + "/zorvan.inf");
    state.patchVersion = ident.patchVersion;
    state.shortTitle = ident.shortTitle;

    m_step = 14;
    m_steps.LoadButtonStrip();
    m_step = 15;
    m_steps.RebuildCustomGames();

    m_step = 16;
    std::srand(unsigned(std::chrono::steady_clock::now().time_since_epoch().count()));

    m_step = 17;
    QDir::setCurrent(QString::fromStdString(state.baseDirectory));

    m_step = 18;
    if (!m_steps.HasScreen()) {
        ShowMessage(19);
        return false;
    }

    m_step = 19;
    const int sockets = m_steps.SocketLimit();
    state.socketBudget = sockets - kSocketReserve;
    if (state.socketBudget <= 4) {
        ShowMessage(22);
        state.socketBudget = 1;
    }

    m_step = 21;
    const int version = GetSettingInt(kSettingsSection, "Version", 0);
    if (version != 0 && version != 1) {
        ShowMessage(446);
        RemoveProductSettings();
    }
    SetSettingInt(kSettingsSection, "Version", 1);

    m_step = 22;
    m_steps.LoadServiceAddresses();
    QDir::setCurrent(QString::fromStdString(state.baseDirectory));

    m_step = 23;
    m_steps.ReadVideoSettings();
    m_step = 24;
    if (!m_steps.CreatePlayerProfile())
        return false;
    m_step = 25;
    m_steps.MarkNoGameRunning();

    m_step = 26;
    // The table carries the processor values, so they are decided first.
    state.mmx = DecideMmxFlag();
    state.cpuMhz = DecideCpuMhz();
    m_steps.FillEngineServiceTable();

    // Step 27 (dialog colours) belongs to the dialog base; step 28 registers nothing.
    m_step = 29;
    return RunHostChecks();
}

bool CNetGameApp::RunHostChecks()
{
    if (!CheckMemoryAndAllocate(m_steps.PhysicalMemory(), m_heap))
        return false;
    m_steps.HandEngineMemory(m_heap.block.get(), m_heap.size);
    // The engine start event, the operating system and graphics checks always pass here.
    return m_steps.StartCdAudioAndBuildModes();
}

void CNetGameApp::ShutDown()
{
    m_steps.ShutDown();
    m_steps.HandEngineMemory(nullptr, 0);
    m_heap = EngineHeap{};
}

void CNetGameApp::FinalCleanUp()
{
    if (m_lock)
        m_lock->Unlock();
    m_lock.reset();
    EffectiveCommandLine() = CommandLine();
    ResetSearchPath();
    FileHandles().CloseAll();
}
