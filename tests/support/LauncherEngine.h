#pragma once
// Sets up the launcher's own engine host (TheEngineHost) the way start-up does: the
// engine libraries beside the test program, a memory block for the engine and the
// launcher service table.
#include <cstddef>

inline constexpr size_t kTestEngineMemory = 4 * 1024 * 1024;

void UseLauncherEngine();
