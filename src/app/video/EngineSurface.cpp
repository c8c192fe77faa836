#include "app/video/EngineSurface.h"

#include <cstring>

namespace {

constexpr uint32_t kRed555 = 0x7c00;
constexpr uint32_t kGreen555 = 0x03e0;
constexpr uint32_t kRed565 = 0xf800;
constexpr uint32_t kGreen565 = 0x07e0;
constexpr uint32_t kBlue = 0x001f;
// A surface never grows beyond the largest mode the list may hold.
constexpr int kMaxSide = 4096;

} // namespace

bool EngineSurface::SetUp(const VideoMode& mode)
{
    Release();
    int width = mode.width;
    int height = mode.height;
    if (mode.halfSize) {
        width /= 2;
        height /= 2;
    }
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide)
        return false;
    m_pixels.assign(size_t(width) * size_t(height) * kBytesPerPixel, 0);
    m_width = width;
    m_height = height;
    m_is555 = mode.is555;
    m_halfSize = mode.halfSize;
    m_aspect = float(mode.height) / float(mode.width) * kAspectScale;
    return true;
}

void EngineSurface::Release()
{
    m_pixels.clear();
    m_pixels.shrink_to_fit();
    m_width = 0;
    m_height = 0;
    m_lockCount = 0;
}

void* EngineSurface::Lock(int* pitch)
{
    if (!Exists())
        return nullptr;
    ++m_lockCount;
    if (pitch)
        *pitch = m_width * kBytesPerPixel;
    return m_pixels.data();
}

void EngineSurface::Unlock()
{
    if (m_lockCount > 0)
        --m_lockCount;
}

bool EngineSurface::Describe(EngineSurfaceDescription& description) const
{
    if (!Exists())
        return false;
    std::memset(&description, 0, sizeof description);
    description.size = sizeof description;
    description.width = m_width;
    description.height = m_height;
    description.pitch = m_width * kBytesPerPixel;
    description.bitsPerPixel = kBytesPerPixel * 8;
    description.redMask = m_is555 ? kRed555 : kRed565;
    description.greenMask = m_is555 ? kGreen555 : kGreen565;
    description.blueMask = kBlue;
    description.halfSize = m_halfSize ? 1 : 0;
    description.aspect = m_aspect;
    description.virtualWidth = kVirtualWidth;
    description.virtualHeight = kVirtualHeight;
    description.lockCount = m_lockCount;
    return true;
}

EngineSurface& TheEngineSurface()
{
    static EngineSurface surface;
    return surface;
}
