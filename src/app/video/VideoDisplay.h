#pragma once
// The launcher's use of the display layer: acquiring it, building the mode list once
// and switching between the launcher's own mode and the engine's modes.
#include <cstdint>

// Opens the display layer; on failure shows message 130 with the code and its name
// (formatted with an unsigned int and a text) and returns false.
bool AcquireDirectDraw(bool exclusive);
void ReleaseDirectDraw();

// Builds the mode list for an engine heap of heapSize bytes and chooses the current
// mode. Does nothing while the list holds entries.
void BuildModeList(uint64_t heapSize);

// The depth the engine modes use: 16, or 24 with "-24bpp", or 32 with "-32bpp".
int RequestedModeDepth();

// Index −1: the launcher's own size at 16 bits per pixel; otherwise the entry's size
// and depth. False when refused (the mode stays as it was).
bool SetDisplayMode(int index);
