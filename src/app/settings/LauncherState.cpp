#include "app/settings/LauncherState.h"

LauncherState& Launcher()
{
    static LauncherState state;
    return state;
}

const std::string& ProductTitle()
{
    return Launcher().productTitle;
}
