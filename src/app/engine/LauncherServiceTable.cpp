#include "app/engine/LauncherServiceTable.h"

#include "app/engine/VideoServices.h"
#include "app/settings/LauncherState.h"
#include "app/text/FatalError.h"
#include "app/text/StringList.h"

#include <string>

namespace {

FatalErrorObserver g_observer = nullptr;

extern "C" {
void ServiceNothing()
{
}

void ServiceFatalError(const char* message)
{
    const char* text = message ? message : "";
    if (g_observer)
        g_observer(text);
    FatalError("%s", text);
}

// The text stays valid until the next call, as the engine expects.
const char* ServiceLocalisedString(int number)
{
    static std::string text;
    text = GetString(number);
    return text.c_str();
}
}

} // namespace

LauncherServiceTable& LauncherServices()
{
    static LauncherServiceTable table;
    return table;
}

void FillLauncherServiceTable()
{
    LauncherServiceTable& table = LauncherServices();
    table = LauncherServiceTable{};
    table.entries[kServiceMmx] = uintptr_t(Launcher().mmx);
    table.entries[kServiceCpuMhz] = uintptr_t(Launcher().cpuMhz);
    SetLauncherService(kServiceNothing11, &ServiceNothing);
    SetLauncherService(kServiceNothing12, &ServiceNothing);
    SetLauncherService(kServiceNothing21, &ServiceNothing);
    SetVideoServices();
    SetLauncherService(kServiceFatalError, &ServiceFatalError);
    SetLauncherService(kServiceLocalisedString, &ServiceLocalisedString);
}

void SetFatalErrorObserver(FatalErrorObserver observer)
{
    g_observer = observer;
}
