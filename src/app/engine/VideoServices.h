#pragma once
// The video services the launcher offers the engine through its service table
// (entries 2 to 10, 13 and 20): the video settings record, the mode list and the
// mode texts, the engine's memory surface, the Direct3D activation hook and the
// surface cache size.

// Puts the video services into the launcher service table.
void SetVideoServices();

// What the engine last told the Direct3D activation hook (true before any call).
bool Direct3DActive();
