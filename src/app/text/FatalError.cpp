#include "app/text/FatalError.h"

#include "app/text/Messages.h"

#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kSecondFatalErrorExitCode = 2;

std::atomic<bool> g_reporting{false};

[[noreturn]] void Report(int exitCode, const char* format, va_list args)
{
    char text[1024];
    std::vsnprintf(text, sizeof text, format, args);

    if (g_reporting.exchange(true)) {
        std::fprintf(stderr, "%s\n", text);
        std::fflush(stderr);
        std::_Exit(kSecondFatalErrorExitCode);
    }
    ShowText(text);
    std::fflush(stdout);
    std::fflush(stderr);
    std::_Exit(exitCode);
}

} // namespace

void FatalError(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    Report(kFatalErrorExitCode, format, args);
}

void FatalErrorExit(int exitCode, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    Report(exitCode, format, args);
}
