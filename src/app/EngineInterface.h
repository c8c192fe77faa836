#pragma once
// The binary interface between the launcher and an engine library (sw.so, hw.so).
// Both sides include this header; it holds only plain C types so that the engine
// library needs nothing else from the launcher.
//
// The engine interface table has 61 pointer-sized entries. Entries 0 to 3 are values
// (version, 0, table size in bytes, 0); entries 4 to 60 are entry points that the
// engine's Sys_EngineAPI fills. An empty entry is a null pointer.
#include <cstddef>
#include <cstdint>

inline constexpr int kEngineInterfaceVersion = 1;
inline constexpr int kEngineTableEntries = 61;
inline constexpr int kEngineTableBytes = kEngineTableEntries * int(sizeof(void*));

inline constexpr size_t kEngineStatusRecordBytes = 320;
inline constexpr int kLauncherServiceEntries = 31;

// Engine entry numbers the launcher uses.
enum EngineEntry : int
{
    kEntryVersion = 0,
    kEntryTableSize = 2,
    kEntryAddCommandText = 4,       // void (const char* text)
    kEntryAddConsoleCommand = 6,    // void (const char* name, void (*handler)(void))
    kEntrySetConsoleVariable = 12,  // void (const char* name, const char* value)
    kEntryConsoleVariableText = 15, // const char* (const char* name)
    kEntryAfterStart = 17,          // void (void)
    kEntryFillStatusRecord = 18,    // int (void* record320, int)
    kEntryBackgroundMode = 19,      // void (int flag)
    kEntryStateChanged = 20,        // void (int state)
    kEntryNotify = 21,              // void (int code)
    kEntryQuery22 = 22,             // int (void)
    kEntryRunFrame = 23,            // int (double seconds, int state, int* request)
    kEntryShutdown = 25,            // void (void)
    kEntryInitialise = 26,          // int (const char* cmdline, void* memory, size_t size,
                                    //      const void* services, void** window, int)
    kEntryMouseButtons = 30,        // void (int mask)
    kEntryKeyEvent = 33,            // void (int key, int down)
    kEntryRestoreGame = 34,         // void (const char* name)
    kEntryInputOff = 35,            // void (void)
    kEntrySoundOff = 36,            // void (void)
    kEntryQuery38 = 38,             // int (void)
    kEntryInputSoundOn = 39,        // void (void)
    kEntrySaveGame = 40,            // int (const char* name, const char* comment)
    kEntryStarting = 44,            // void (int flag)
    kEntryBeforeShutdown = 45,      // void (void)
    kEntryClock = 49,               // double (void)
    kEntryWindowMessage = 52,       // void (void* window, void* event); event is a QEvent*
    kEntryRestoreDisplay = 57,      // void (void* window, int width, int height)
};

extern "C" {
using EngineAddCommandTextFn = void (*)(const char*);
using EngineConsoleCommandFn = void (*)(void);
using EngineAddConsoleCommandFn = void (*)(const char*, EngineConsoleCommandFn);
using EngineSetConsoleVariableFn = void (*)(const char*, const char*);
using EngineConsoleVariableTextFn = const char* (*)(const char*);
using EngineVoidFn = void (*)(void);
using EngineIntArgFn = void (*)(int);
using EngineIntResultFn = int (*)(void);
using EngineFillStatusFn = int (*)(void*, int);
using EngineRunFrameFn = int (*)(double, int, int*);
using EngineInitialiseFn = int (*)(const char*, void*, size_t, const void*, void**, int);
using EngineKeyEventFn = void (*)(int, int);
using EngineNameFn = void (*)(const char*);
using EngineSaveGameFn = int (*)(const char*, const char*);
using EngineClockFn = double (*)(void);
using EngineWindowMessageFn = void (*)(void*, void*);
using EngineRestoreDisplayFn = void (*)(void*, int, int);

// The one symbol an engine library exports: fills table (of size bytes) for the given
// interface version; nonzero on success.
using EngineApiFn = int (*)(int version, int size, void* table);
}

inline constexpr const char* kEngineApiSymbol = "Sys_EngineAPI";

// Layout of the 320-byte status record that entry 18 fills. All words are 32-bit,
// in the machine's byte order.
inline constexpr size_t kStatusMaxClientsOffset = 8;   // players the local game allows
inline constexpr size_t kStatusLocalServerOffset = 44; // nonzero while the engine runs a server
inline constexpr size_t kStatusAddressOffset = 48;     // server IPv4 address, 4 bytes a.b.c.d
inline constexpr size_t kStatusTextOffset = 54;        // NUL-terminated last connection message
inline constexpr size_t kStatusConnectionOffset = 312; // connection state (below)
inline constexpr size_t kStatusActiveOffset = 316;     // nonzero while the connected game is active

enum EngineConnectionState : int
{
    kConnectionNone = 1,
    kConnectionNegotiating = 4,
    kConnectionPlaying = 5,
};

// Engine states: the launcher's variable, and the frame results of entry 23.
enum EngineRunState : int
{
    kEngineNoGame = 0,
    kEngineRunning = 1,
    kEngineSuspended = 2,
    kEngineQuitting = 3,
    kEngineLeaveInFiveFrames = 4, // returned by the engine only
};

// Launcher service table entries (31 pointer-sized entries handed over by entry 26).
enum LauncherService : int
{
    kServiceMmx = 0,        // value
    kServiceCpuMhz = 1,     // value
    kServiceFirstVideo = 2, // 2..10 video surface and mode services
    kServiceNothing11 = 11, // void (void)
    kServiceNothing12 = 12, // void (void)
    kServiceD3DActivation = 13,
    kServiceFirstCdAudio = 14, // 14..17 CD audio services
    kServiceRegisterCd = 18,
    kServiceFatalError = 19, // void (const char* message), never returns
    kServiceSurfaceCache = 20,
    kServiceNothing21 = 21, // void (void)
    kServiceFindCustomGame = 27,
    kServiceLocalisedString = 30, // const char* (int number)
};

extern "C" {
using LauncherFatalErrorFn = void (*)(const char*);
using LauncherStringFn = const char* (*)(int);
}

// Engine key numbers the launcher and the engine share.
inline constexpr int kKeyEscape = 27;
inline constexpr int kKeyMouseWheelUp = 240;
inline constexpr int kKeyMouseWheelDown = 239;
