// The library's one export, Sys_EngineAPI, and the entry points it puts in the table.
#include "EngineClock.h"
#include "EngineKind.h"
#include "HandOffCheck.h"
#include "StandInEngine.h"

#include <QWidget>

#include <cstdio>
#include <cstring>
#include <memory>

namespace {

std::unique_ptr<StandInEngine> g_engine;

extern "C" {

void AddCommandText(const char* text)
{
    if (g_engine)
        g_engine->AddCommandText(text);
}

void AddConsoleCommand(const char* name, EngineConsoleCommandFn handler)
{
    if (g_engine)
        g_engine->AddConsoleCommand(name, handler);
}

int CommandArgCount()
{
    return g_engine ? g_engine->CommandArgCount() : 0;
}

const char* CommandArg(int index)
{
    return g_engine ? g_engine->CommandArg(index) : "";
}

void ConsolePrint(const char* text)
{
    if (g_engine)
        g_engine->ConsolePrint(text);
}

void SetConsoleVariable(const char* name, const char* value)
{
    if (g_engine)
        g_engine->SetVariable(name, value);
}

const char* ConsoleVariableText(const char* name)
{
    return g_engine ? g_engine->VariableText(name) : "";
}

void Nothing()
{
}
void NothingInt(int)
{
}
int ReturnZero()
{
    return 0;
}

int FillStatusRecord(void* record, int)
{
    if (!record)
        return 0;
    if (!g_engine) {
        std::memset(record, 0, kEngineStatusRecordBytes);
        return 0;
    }
    return g_engine->FillStatus(static_cast<uint8_t*>(record));
}

void BackgroundMode(int flag)
{
    if (g_engine)
        g_engine->SetBackground(flag != 0);
}

void StateChanged(int state)
{
    if (g_engine)
        g_engine->StateChanged(state);
}

int RunFrame(double seconds, int state, int* request)
{
    return g_engine ? g_engine->RunFrame(seconds, state, request) : state;
}

void Shutdown()
{
    if (g_engine)
        g_engine->Shutdown();
    g_engine.reset();
}

int Initialise(const char* commandLine, void* memory, size_t memorySize, const void* services, void** window, int)
{
    const HandOffReport report = CheckHandOff(memory, memorySize, services);
    // What the engine was given goes to standard output, where a player or a test
    // running the launcher can read it.
    std::printf("%s\n", report.Summary().c_str());
    std::fflush(stdout);
    if (!report.accepted)
        return 0;
    QWidget* widget = window ? static_cast<QWidget*>(*window) : nullptr;
    g_engine = std::make_unique<StandInEngine>(commandLine, widget, report);
    g_engine->AttachLauncherMusic(services);
    return 1;
}

void MouseButtons(int)
{
}

void KeyEvent(int key, int down)
{
    if (g_engine)
        g_engine->KeyEvent(key, down != 0);
}

// The mode-switch save and its restore after the library was loaded again.
void RestoreGame(const char* name)
{
    if (g_engine && name)
        g_engine->LoadGame(name);
}

int SaveGame(const char* name, const char* comment)
{
    return g_engine && name && g_engine->SaveGame(name, comment ? comment : "") ? 1 : 0;
}

double Clock()
{
    return EngineSeconds();
}

void WindowMessage(void* window, void* event)
{
    if (g_engine)
        g_engine->WindowMessage(static_cast<QWidget*>(window), static_cast<QEvent*>(event));
}

void RestoreDisplay(void*, int, int)
{
}

} // extern "C"

} // namespace

extern "C" __attribute__((visibility("default"))) int Sys_EngineAPI(int version, int size, void* table)
{
    if (version != kEngineInterfaceVersion || size != kEngineTableBytes || !table)
        return 0;
    auto* entries = static_cast<uintptr_t*>(table);
    auto set = [entries](int entry, auto function) { entries[entry] = reinterpret_cast<uintptr_t>(function); };
    set(kEntryAddCommandText, &AddCommandText);
    set(kEntryAddConsoleCommand, &AddConsoleCommand);
    set(kEntryCommandArgCount, &CommandArgCount);
    set(kEntryCommandArg, &CommandArg);
    set(kEntryConsolePrint, &ConsolePrint);
    set(kEntrySetConsoleVariable, &SetConsoleVariable);
    set(kEntryConsoleVariableText, &ConsoleVariableText);
    set(kEntryAfterStart, &Nothing);
    set(kEntryFillStatusRecord, &FillStatusRecord);
    set(kEntryBackgroundMode, &BackgroundMode);
    set(kEntryStateChanged, &StateChanged);
    set(kEntryNotify, &NothingInt);
    set(kEntryQuery22, &ReturnZero);
    set(kEntryRunFrame, &RunFrame);
    set(kEntryShutdown, &Shutdown);
    set(kEntryInitialise, &Initialise);
    set(kEntryMouseButtons, &MouseButtons);
    set(kEntryKeyEvent, &KeyEvent);
    set(kEntryRestoreGame, &RestoreGame);
    set(kEntryInputOff, &Nothing);
    set(kEntrySoundOff, &Nothing);
    set(kEntryQuery38, &ReturnZero);
    set(kEntryInputSoundOn, &Nothing);
    set(kEntrySaveGame, &SaveGame);
    set(kEntryStarting, &NothingInt);
    set(kEntryBeforeShutdown, &Nothing);
    set(kEntryClock, &Clock);
    set(kEntryWindowMessage, &WindowMessage);
    if (EngineRestoresDisplay())
        set(kEntryRestoreDisplay, &RestoreDisplay);
    return 1;
}
