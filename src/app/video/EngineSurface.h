#pragma once
// The memory surface the software engine draws into: the size of the chosen mode
// (halved in both directions for half-size modes), 2 bytes per pixel, 5-5-5 or 5-6-5.
// Locks nest; the engine copies its description before drawing.
#include "app/engine/EngineInterface.h"
#include "app/video/VideoModeList.h"

#include <cstdint>
#include <vector>

class EngineSurface
{
public:
    static constexpr int kBytesPerPixel = 2;
    static constexpr int kVirtualWidth = 320;
    static constexpr int kVirtualHeight = 200;
    static constexpr float kAspectScale = 1.3333334f;

    // Releases any previous surface and makes a cleared one for the mode; false for a
    // mode without a usable size.
    bool SetUp(const VideoMode& mode);
    void Release();
    bool Exists() const { return !m_pixels.empty(); }

    // The pixels and the row pitch in bytes, counting one more lock; nullptr (and no
    // lock) without a surface.
    void* Lock(int* pitch);
    // Undoes one lock; more unlocks than locks change nothing.
    void Unlock();
    int LockCount() const { return m_lockCount; }

    // False without a surface.
    bool Describe(EngineSurfaceDescription& description) const;

private:
    std::vector<uint8_t> m_pixels;
    int m_width = 0;
    int m_height = 0;
    bool m_is555 = false;
    bool m_halfSize = false;
    float m_aspect = 1.0f;
    int m_lockCount = 0;
};

// The launcher's one engine surface.
EngineSurface& TheEngineSurface();
