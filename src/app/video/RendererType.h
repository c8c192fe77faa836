#pragma once
// The engine's renderers ("EngineType") and the library that serves each.
enum RendererType
{
    VT_None = 0,
    VT_Software = 1,
    VT_OpenGL = 2,
    VT_Direct3D = 3,
};

inline constexpr const char* kSoftwareEngineLibrary = "sw.so";
inline constexpr const char* kHardwareEngineLibrary = "hw.so";

// "VT_None", "VT_Software", "VT_OpenGL", "VT_Direct3D", or "Unknown".
const char* RendererName(int type);
// The engine library for a renderer; nullptr for VT_None and unknown types.
const char* RendererLibrary(int type);
