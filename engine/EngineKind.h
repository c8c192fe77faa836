#pragma once
// What differs between the two builds of the stand-in engine.

// "software" or "hardware".
const char* EngineKindName();
// The hardware engine restores the display before it is released.
bool EngineRestoresDisplay();
