#pragma once
// Which engine library fits the renderer the player chose.
#include <string>

inline constexpr int kRendererSoftware = 1;
inline constexpr int kRendererOpenGL = 2;
inline constexpr int kRendererDirect3D = 3;

inline constexpr const char* kSoftwareLibrary = "sw.so";
inline constexpr const char* kHardwareLibrary = "hw.so";

// The renderer type of the video settings ("EngineType"): 1, 2 or 3; software when
// the stored value is anything else.
int EngineRendererType();
// "hw.so" for OpenGL and Direct3D, "sw.so" otherwise.
std::string EngineLibraryFor(int renderer);
// The message shown when no engine window could be set up for the renderer.
int NoWindowMessageFor(int renderer);
