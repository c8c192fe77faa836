#pragma once
// The launcher service table handed to the engine when it initialises: 31
// pointer-sized entries holding values (MMX flag, CPU speed) and entry points.
// Start-up fills it once the processor values are known; the CD audio and custom
// game modules set their entries with SetLauncherService.
#include "app/engine/EngineInterface.h"

#include <cstdint>

struct LauncherServiceTable
{
    uintptr_t entries[kLauncherServiceEntries] = {};
};

LauncherServiceTable& LauncherServices();
// Clears the table and fills it: the MMX flag and CPU speed from the launcher state
// (decide them first), the do-nothing entries, the video services, the fatal error
// and the localised strings.
void FillLauncherServiceTable();

template <typename Fn> void SetLauncherService(int entry, Fn function)
{
    LauncherServices().entries[entry] = reinterpret_cast<uintptr_t>(function);
}

// Called from the fatal-error service before the process ends; the engine host uses
// it to record the message and take the screen back.
using FatalErrorObserver = void (*)(const char* message);
void SetFatalErrorObserver(FatalErrorObserver observer);
