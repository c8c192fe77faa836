#pragma once
// Start-up reading of the renderer, driver, mode and window settings: options and
// "wipe" applied, every value written back, the video settings record filled.
inline constexpr const char* kGlideDriver = "3dfxgl.dll";
inline constexpr const char* kDefaultDriver = "Default";

void ReadVideoSettings();

// Whether a "glide2x" library can be loaded; replaceable for tests (nullptr restores
// the real probe).
using LibraryProbe = bool (*)();
void SetGlideProbe(LibraryProbe probe);
