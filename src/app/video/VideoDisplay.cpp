#include "app/video/VideoDisplay.h"

#include "app/settings/CommandLine.h"
#include "app/settings/LauncherState.h"
#include "app/text/Messages.h"
#include "app/video/DirectDrawErrors.h"
#include "app/video/SurfaceCache.h"
#include "app/video/VideoChoice.h"
#include "app/video/VideoState.h"
#include "platform/DisplayLayer.h"
#include "platform/NumberText.h"

#include <cstdio>

namespace {

constexpr int kLauncherModeIndex = -1;
constexpr int kLauncherDepth = 16;
constexpr long kMaxModeSide = 16384; // larger values are not sizes

// The option's positive value, or fallback.
int PositiveOption(const char* name, int fallback)
{
    std::string value;
    if (FindOption(name, &value) && !value.empty()) {
        const long number = ParseInt64(value);
        if (number > 0 && number <= kMaxModeSide)
            return int(number);
    }
    return fallback;
}

} // namespace

bool AcquireDirectDraw(bool exclusive)
{
    DisplayLayer& layer = CurrentDisplayLayer();
    if (layer.Acquired())
        return true;
    const uint32_t result = layer.Acquire(exclusive && !Video().windowed);
    if (result != DisplayLayer::kOk) {
        ShowFormattedMessage(130, unsigned(result), DirectDrawErrorName(result));
        return false;
    }
    return true;
}

void ReleaseDirectDraw()
{
    CurrentDisplayLayer().Release();
}

int RequestedModeDepth()
{
    if (FindOption("-24bpp"))
        return 24;
    if (FindOption("-32bpp"))
        return 32;
    return 16;
}

void BuildModeList(uint64_t heapSize)
{
    VideoState& video = Video();
    if (!video.modes.empty())
        return;

    ModeListInputs inputs;
    inputs.depth = RequestedModeDepth();
    inputs.heapSize = heapSize;
    inputs.surfaceCacheKilobytes = SurfaceCacheOptionKilobytes();
    inputs.displayAcquired = AcquireDirectDraw(false);
    if (inputs.displayAcquired)
        inputs.displayModes = CurrentDisplayLayer().Modes();
    video.modes = BuildVideoModes(inputs);

    const int kind = WantedModeKind(video.renderer, video.windowed);
    int width = PositiveOption("-width", 0);
    if (width == 0)
        width = PositiveOption("-w", video.modeWidth);
    int height = PositiveOption("-height", 0);
    if (height == 0)
        height = PositiveOption("-h", video.modeHeight);

    video.modeWidth = width;
    video.modeHeight = height;
    video.modeBpp = inputs.depth;
    video.currentMode = ChooseVideoMode(video.modes, kind, width, height, inputs.depth);
    FillVideoRecord();
}

bool SetDisplayMode(int index)
{
    DisplayLayer& layer = CurrentDisplayLayer();
    if (index == kLauncherModeIndex) {
        const LauncherState& launcher = Launcher();
        return layer.SetMode(launcher.launcherWidth, launcher.launcherHeight, kLauncherDepth);
    }
    const VideoState& video = Video();
    if (index < 0 || size_t(index) >= video.modes.size()) {
        std::fputs("Couldn't change modes\n", stderr);
        return false;
    }
    const VideoMode& mode = video.modes[size_t(index)];
    if (!layer.SetMode(mode.width, mode.height, mode.bpp)) {
        std::fputs("Couldn't change modes\n", stderr);
        return false;
    }
    return true;
}
