#include "platform/DisplayLayer.h"

#include "platform/XRandrModes.h"

#include <iterator>

namespace {

// Offered when there is no X display to ask (Wayland without XWayland, headless runs).
constexpr ScreenResolution kFixedResolutions[] = {
    {320, 240, 60},  {400, 300, 60},  {512, 384, 60},  {640, 400, 60},   {640, 480, 60},   {800, 600, 60},
    {1024, 768, 60}, {1152, 864, 60}, {1280, 960, 60}, {1280, 1024, 60}, {1600, 1200, 60}, {1920, 1080, 60},
};

// The desktop's depth never changes, so every resolution serves every depth the
// engine can draw in.
constexpr int kDepths[] = {16, 24, 32};

constexpr int kMaxModeSide = 16384;

class SystemDisplayLayer : public DisplayLayer
{
public:
    uint32_t Acquire(bool exclusive) override
    {
        m_acquired = true;
        return kOk;
    }
    void Release() override
    {
        m_acquired = false;
        RestoreMode();
    }
    bool Acquired() const override { return m_acquired; }

    std::vector<DisplayMode> Modes() override
    {
        std::vector<ScreenResolution> resolutions;
        if (!QueryXRandrResolutions(resolutions))
            resolutions.assign(std::begin(kFixedResolutions), std::end(kFixedResolutions));
        std::vector<DisplayMode> modes;
        for (const ScreenResolution& r : resolutions)
            for (int depth : kDepths)
                modes.push_back({r.width, r.height, depth, r.refreshRate, false});
        return modes;
    }

private:
    bool m_acquired = false;
};

std::unique_ptr<DisplayLayer>& SystemLayer()
{
    static std::unique_ptr<DisplayLayer> layer;
    return layer;
}

DisplayLayer* g_installed = nullptr;

} // namespace

bool DisplayLayer::SetMode(int width, int height, int depth)
{
    if (width <= 0 || height <= 0 || width > kMaxModeSide || height > kMaxModeSide || depth <= 0)
        return false;
    m_current = {width, height, depth, 0, false};
    m_hasMode = true;
    if (m_placer)
        m_placer(width, height);
    return true;
}

void DisplayLayer::RestoreMode()
{
    if (!m_hasMode)
        return;
    m_hasMode = false;
    m_current = {};
    if (m_placer)
        m_placer(0, 0);
}

std::unique_ptr<DisplayLayer> MakeSystemDisplayLayer()
{
    return std::make_unique<SystemDisplayLayer>();
}

DisplayLayer& CurrentDisplayLayer()
{
    if (g_installed)
        return *g_installed;
    std::unique_ptr<DisplayLayer>& layer = SystemLayer();
    if (!layer)
        layer = MakeSystemDisplayLayer();
    return *layer;
}

void SetDisplayLayer(DisplayLayer* layer)
{
    g_installed = layer;
}
