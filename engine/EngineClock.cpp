#include "EngineClock.h"

#include <chrono>

namespace {
const auto g_loaded = std::chrono::steady_clock::now();
}

double EngineSeconds()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - g_loaded).count();
}
