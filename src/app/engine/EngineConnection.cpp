#include "app/EngineConnection.h"

#include "app/EngineHost.h"

int EngineConnectionState()
{
    return TheEngineHost().Status().connectionState;
}

int EngineActiveWord()
{
    return TheEngineHost().Status().active;
}
