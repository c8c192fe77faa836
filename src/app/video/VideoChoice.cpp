#include "app/video/VideoChoice.h"

#include "app/settings/SettingsStore.h"
#include "app/video/RendererType.h"
#include "app/video/VideoSettings.h"
#include "app/video/VideoState.h"

int WantedModeKind(int renderer, bool windowed)
{
    return (windowed || renderer == VT_OpenGL) ? kModeWindowed : kModeFullScreen;
}

std::vector<int> OfferedModes(const std::vector<VideoMode>& modes, int renderer, bool windowed)
{
    const int kind = WantedModeKind(renderer, windowed);
    std::vector<int> offered;
    for (size_t i = 0; i < modes.size(); ++i)
        if (modes[i].kind == kind)
            offered.push_back(int(i));
    return offered;
}

int DialogModeSelection(const std::vector<VideoMode>& modes, int renderer, bool windowed, int current, int storedWidth,
                        int storedHeight)
{
    const std::vector<int> offered = OfferedModes(modes, renderer, windowed);
    if (offered.empty())
        return -1;
    for (int index : offered)
        if (index == current)
            return index;
    for (int index : offered) {
        const VideoMode& mode = modes[size_t(index)];
        if (mode.width == storedWidth && mode.height == storedHeight)
            return index;
    }
    return offered.front();
}

bool ApplyVideoChoice(const VideoChoice& choice)
{
    VideoState& video = Video();
    const bool windowChanged = video.windowed != choice.windowed;
    SetRenderer(choice.renderer);
    video.windowed = choice.windowed;
    video.captureChoice = choice.capture;
    video.mouseCapture = MouseCaptureThisRun(choice.windowed, choice.capture);
    video.glDriver = choice.glDriver;
    video.d3dDevice = choice.d3dDevice;
    if (choice.modeIndex >= 0 && size_t(choice.modeIndex) < video.modes.size()) {
        const VideoMode& mode = video.modes[size_t(choice.modeIndex)];
        video.currentMode = choice.modeIndex;
        video.modeWidth = mode.width;
        video.modeHeight = mode.height;
        video.modeBpp = mode.bpp;
    }
    FillVideoRecord();

    SetSettingInt(kSettingsSection, "EngineType", video.renderer);
    SetSettingInt(kSettingsSection, "EngineMode", video.currentMode);
    SetSettingInt(kSettingsSection, "EngineModeW", video.modeWidth);
    SetSettingInt(kSettingsSection, "EngineModeH", video.modeHeight);
    SetSettingInt(kSettingsSection, "EngineModeBPP", video.modeBpp);
    SetSettingInt(kSettingsSection, "EngineModeWindowed", video.windowed ? 1 : 0);
    SetSettingInt(kSettingsSection, "EngineModeCaptured", choice.capture ? 1 : 0);
    SetSettingString(kSettingsSection, "EngineGLDriver", video.glDriver);
    SetSettingString(kSettingsSection, "EngineD3DDevice", video.d3dDevice);
    return windowChanged;
}
