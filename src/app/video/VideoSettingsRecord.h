#pragma once
// The video settings record handed to the engine: 316 bytes, cleared before each fill.
#include <cstddef>
#include <cstdint>
#include <string_view>

struct VideoSettingsRecord
{
    static constexpr size_t kNameSize = 32;
    static constexpr size_t kDriverSize = 128;
    static constexpr size_t kDeviceSize = 128;

    int32_t type;
    char name[kNameSize];        // renderer name text
    char glDriver[kDriverSize];  // OpenGL driver library
    char d3dDevice[kDeviceSize]; // Direct3D device
    int32_t width;
    int32_t height;
    int32_t bpp;
    int32_t windowed;
    int32_t mouseCapture;
    int32_t reserved; // always 0
};
static_assert(sizeof(VideoSettingsRecord) == 316, "the engine reads a 316-byte record");

struct VideoSettingsValues
{
    int type = 0;
    std::string_view glDriver;
    std::string_view d3dDevice;
    int width = 0;
    int height = 0;
    int bpp = 0;
    bool windowed = false;
    bool mouseCapture = false;
};

// Clears the record and fills it; texts longer than their field are cut, and every
// text field stays NUL-terminated.
void FillVideoSettingsRecord(VideoSettingsRecord& record, const VideoSettingsValues& values);
