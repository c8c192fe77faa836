// The launcher's one engine host and the hand-off operations over it.
#include "app/engine/EngineHost.h"
#include "app/engine/EngineInterface.h"
#include "app/engine/EngineLibraryLoader.h"
#include "app/engine/QtEngineDisplay.h"
#include "app/settings/LauncherState.h"
#include "ui/IdleWork.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

QtEngineDisplay& TheEngineDisplay()
{
    static QtEngineDisplay display;
    return display;
}

static_assert(IdleWork::kEngineRunningState == kEngineRunning);

EngineHost& TheEngineHost()
{
    static DlopenEngineLoader loader;
    // The program directory is read at every load: it is the launcher state's, which
    // start-up (or a test) may set after the host was first used.
    static EngineHost host(loader, TheEngineDisplay(), [] { return Launcher().programDirectory; });
    // Modal dialogs keep a game behind the menu running through the idle work.
    [[maybe_unused]] static const bool pumpRegistered = [] {
        IdleWork::SetEngineFrame([] { return EngineFrame(false); });
        return true;
    }();
    TheEngineDisplay().SetHost(&host);
    return host;
}

int LoadEngine(const std::string& library, int start)
{
    return TheEngineHost().LoadEngine(library, start);
}

int StartEngine(bool background)
{
    return TheEngineHost().StartEngine(background);
}

bool RunEngine(bool pump, const char* format, ...)
{
    std::string text;
    if (format) {
        va_list args;
        va_start(args, format);
        va_list copy;
        va_copy(copy, args);
        const int length = std::vsnprintf(nullptr, 0, format, copy);
        va_end(copy);
        if (length > 0) {
            std::vector<char> buffer(size_t(length) + 1);
            std::vsnprintf(buffer.data(), buffer.size(), format, args);
            text.assign(buffer.data(), size_t(length));
        }
        va_end(args);
    }
    return TheEngineHost().RunEngine(pump, text);
}

int EngineFrame(bool force)
{
    return TheEngineHost().EngineFrame(force);
}

void StopEngine()
{
    TheEngineHost().StopEngine();
}
