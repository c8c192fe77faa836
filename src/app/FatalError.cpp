#include "app/FatalError.h"

#include "app/Messages.h"

#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace {
std::atomic<bool> g_reporting{false};
}

void FatalError(const char* format, ...)
{
    char text[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);

    if (g_reporting.exchange(true)) {
        std::fprintf(stderr, "%s\n", text);
        std::fflush(stderr);
        std::_Exit(2);
    }
    ShowText(text);
    std::fflush(stdout);
    std::fflush(stderr);
    std::_Exit(3);
}
