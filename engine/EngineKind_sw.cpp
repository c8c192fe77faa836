#include "EngineKind.h"

const char* EngineKindName()
{
    return "software";
}
bool EngineRestoresDisplay()
{
    return false;
}
