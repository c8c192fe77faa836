#include "EngineKind.h"

const char* EngineKindName()
{
    return "hardware";
}
bool EngineRestoresDisplay()
{
    return true;
}
