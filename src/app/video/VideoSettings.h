#pragma once
// Start-up reading of the renderer, driver, mode and window settings: options and
// "wipe" applied, every value written back, the video settings record filled.
inline constexpr const char* kGlideDriver = "3dfxgl.dll";
inline constexpr const char* kDefaultDriver = "Default";

void ReadVideoSettings();

// This run's mouse capture: off with -nowinmouse, or in a window when the player chose
// not to capture; on otherwise. Options never change the stored choice.
bool MouseCaptureThisRun(bool windowed, bool captureChoice);

// Whether a "glide2x" library can be loaded; replaceable for tests (nullptr restores
// the real probe).
using LibraryProbe = bool (*)();
void SetGlideProbe(LibraryProbe probe);
