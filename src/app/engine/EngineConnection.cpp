#include "app/engine/EngineConnection.h"

#include "app/engine/EngineHost.h"

int EngineConnectionState()
{
    return TheEngineHost().Status().connectionState;
}

int EngineActiveWord()
{
    return TheEngineHost().Status().active;
}
