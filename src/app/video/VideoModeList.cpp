#include "app/video/VideoModeList.h"

#include "app/video/SurfaceCache.h"

#include <algorithm>
#include <cstdio>

namespace {

struct Size
{
    int width;
    int height;
};

constexpr Size kWindowedSizes[] = {
    {400, 300}, {512, 384}, {640, 480}, {800, 600}, {1024, 768}, {1152, 864}, {1280, 960},
};

std::string SizeText(int width, int height)
{
    char text[32];
    std::snprintf(text, sizeof text, "%d x %d", width, height);
    return text;
}

bool UsableDisplayMode(const DisplayMode& mode, const ModeListInputs& inputs)
{
    // Height over width must be exactly 0.75.
    if (mode.width <= 0 || int64_t(mode.height) * 4 != int64_t(mode.width) * 3)
        return false;
    if (mode.height > kMaxModeHeight || mode.width < kMinModeWidth)
        return false;
    const int depth = mode.depth == 15 ? 16 : mode.depth;
    if (depth != inputs.depth)
        return false;
    return ModeFitsInMemory(mode.width, mode.height, inputs.heapSize, inputs.surfaceCacheKilobytes);
}

} // namespace

std::vector<VideoMode> BuildVideoModes(const ModeListInputs& inputs)
{
    std::vector<VideoMode> modes;
    auto add = [&modes](VideoMode mode) {
        if (modes.size() >= kMaxVideoModes)
            return;
        mode.text = SizeText(mode.width, mode.height);
        modes.push_back(std::move(mode));
    };

    for (const Size& size : kWindowedSizes) {
        if (!ModeFitsInMemory(size.width, size.height, inputs.heapSize, inputs.surfaceCacheKilobytes))
            continue;
        VideoMode mode;
        mode.kind = kModeWindowed;
        mode.width = size.width;
        mode.height = size.height;
        mode.bpp = inputs.depth;
        add(std::move(mode));
    }

    if (!inputs.displayAcquired)
        return {};

    for (const DisplayMode& display : inputs.displayModes) {
        if (!UsableDisplayMode(display, inputs))
            continue;
        VideoMode mode;
        mode.kind = kModeFullScreen;
        mode.width = display.width;
        mode.height = display.height;
        mode.bpp = inputs.depth;
        mode.is555 = display.is555 || display.depth == 15;
        mode.refreshRate = display.refreshRate;
        add(std::move(mode));
    }

    std::stable_sort(modes.begin(), modes.end(), [](const VideoMode& a, const VideoMode& b) {
        return a.width != b.width ? a.width < b.width : a.height < b.height;
    });
    for (size_t i = 0; i < modes.size(); ++i)
        modes[i].index = int(i);
    return modes;
}

int ChooseVideoMode(const std::vector<VideoMode>& modes, int kind, int width, int height, int depth)
{
    for (const VideoMode& mode : modes)
        if (mode.kind == kind && mode.width == width && mode.height == height && mode.bpp == depth)
            return mode.index;
    for (auto it = modes.rbegin(); it != modes.rend(); ++it)
        if (it->kind == kind && it->width == width)
            return it->index;
    return 0;
}

const char* VideoModeKindName(int kind)
{
    switch (kind) {
    case kModeWindowed:
        return "Windowed";
    case kModeFullScreen:
        return "Full Screen";
    case kModeFullScreenDib:
        return "Full Screen DIB";
    default:
        return "Error";
    }
}

std::string VideoModeDialogName(const VideoMode& mode)
{
    char text[96];
    std::snprintf(text, sizeof text, "%d x %d %d hz %s", mode.width, mode.height, mode.refreshRate,
                  VideoModeKindName(mode.kind));
    return text;
}

std::string VideoModeDescription(const VideoMode& mode)
{
    if (mode.kind == kModeFullScreenDib)
        return mode.text + " fullscreen DIB";
    if (mode.kind == kModeWindowed)
        return mode.text + " windowed";
    return mode.text;
}
