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
    kEntryCommandArgCount = 7,      // int (void): words of the console command being run
    kEntryCommandArg = 8,           // const char* (int index): word index of it ("" beyond)
    kEntrySetConsoleVariable = 12,  // void (const char* name, const char* value)
    kEntryConsolePrint = 13,        // void (const char* text): printed on the console as it is
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
using EngineCommandArgCountFn = int (*)(void);
using EngineCommandArgFn = const char* (*)(int);
using EngineConsolePrintFn = void (*)(const char*);
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
// Entries 14 to 18 (CD audio) and 27 (custom game lookup) belong to the CD audio and
// custom game modules.
enum LauncherService : int
{
    kServiceMmx = 0,                // value: 1 when the processor has MMX
    kServiceCpuMhz = 1,             // value: processor speed in MHz
    kServiceVideoSettings = 2,      // const void* (void): the 316-byte video settings record
    kServiceModeCount = 3,          // int (void): entries in the video mode list
    kServiceCurrentMode = 4,        // int (void): index of the mode the engine is to use
    kServiceModeDescription = 5,    // const char* (int index): "640 x 480 windowed"; "" for no
                                    // such mode; valid until the next call
    kServiceSetUpSurface = 6,       // int (int index): sets up the drawing surface for the
                                    // mode; nonzero on success
    kServiceLockSurface = 7,        // void* (int* pitch): locks the surface (locks nest);
                                    // its pixels, or null without a surface
    kServiceUnlockSurface = 8,      // void (void): undoes one lock
    kServiceSurfaceDescription = 9, // int (void* description): copies the 80-byte surface
                                    // description; nonzero when a surface exists
    kServiceReleaseSurface = 10,    // void (void): releases the surface
    kServiceNothing11 = 11,         // void (void)
    kServiceNothing12 = 12,         // void (void)
    kServiceD3DActivation = 13,     // void (int active): the Direct3D activation hook
    kServiceFirstCdAudio = 14,      // 14..17 CD audio services:
    kServiceCdPlay = 14,            // void (int track, int looping)
    kServiceCdPause = 15,           // void (void)
    kServiceCdResume = 16,          // void (void)
    kServiceCdUpdate = 17,          // void (void): once per frame
    kServiceRegisterCd = 18,        // void (void): registers the console command "cd"
    kServiceFatalError = 19,   // void (const char* message), never returns
    kServiceSurfaceCache = 20, // int (int width, int height): surface cache bytes
    kServiceNothing21 = 21,    // void (void)
    kServiceFindCustomGame = 27,
    kServiceLocalisedString = 30, // const char* (int number)
};

// The surface description copied by kServiceSurfaceDescription: 80 bytes.
struct EngineSurfaceDescription
{
    uint32_t size; // 80
    int32_t width;
    int32_t height;
    int32_t pitch; // bytes from one row to the next
    int32_t bitsPerPixel;
    uint32_t redMask;
    uint32_t greenMask;
    uint32_t blueMask;
    int32_t halfSize;      // the launcher doubles the picture in both directions
    float aspect;          // (height / width) × 4/3 of the mode
    int32_t virtualWidth;  // 320
    int32_t virtualHeight; // 200
    int32_t lockCount;
    uint8_t reserved[28];
};
static_assert(sizeof(EngineSurfaceDescription) == 80, "the engine copies an 80-byte description");

extern "C" {
using LauncherFatalErrorFn = void (*)(const char*);
using LauncherStringFn = const char* (*)(int);
using LauncherVoidFn = void (*)(void);
using LauncherIntFn = int (*)(void);
using LauncherIntArgFn = void (*)(int);
using LauncherRecordFn = const void* (*)(void);
using LauncherModeTextFn = const char* (*)(int);
using LauncherSetUpSurfaceFn = int (*)(int);
using LauncherLockSurfaceFn = void* (*)(int*);
using LauncherDescribeSurfaceFn = int (*)(void*);
using LauncherSurfaceCacheFn = int (*)(int, int);
using LauncherCdPlayFn = void (*)(int, int);
}

// Engine key numbers the launcher and the engine share.
inline constexpr int kKeyEscape = 27;
inline constexpr int kKeyMouseWheelUp = 240;
inline constexpr int kKeyMouseWheelDown = 239;
