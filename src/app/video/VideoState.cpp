#include "app/video/VideoState.h"

#include "app/video/RendererType.h"

VideoState& Video()
{
    static VideoState state;
    return state;
}

void SetRenderer(int type)
{
    VideoState& video = Video();
    video.renderer = type;
    const char* library = RendererLibrary(type);
    video.engineLibrary = library ? library : "";
    if (!library) {
        video.modes.clear();
        video.currentMode = 0;
    }
}

void FillVideoRecord()
{
    VideoState& video = Video();
    VideoSettingsValues values;
    values.type = video.renderer;
    values.glDriver = video.glDriver;
    values.d3dDevice = video.d3dDevice;
    values.width = video.modeWidth;
    values.height = video.modeHeight;
    values.bpp = video.modeBpp;
    values.windowed = video.windowed;
    values.mouseCapture = video.mouseCapture;
    FillVideoSettingsRecord(video.record, values);
}

const VideoMode* CurrentVideoMode()
{
    const VideoState& video = Video();
    if (video.currentMode < 0 || size_t(video.currentMode) >= video.modes.size())
        return nullptr;
    return &video.modes[size_t(video.currentMode)];
}

void NoteEngineVideoStart()
{
    VideoState& video = Video();
    video.startedMode = video.currentMode;
    video.startedRenderer = video.renderer;
    video.startedWindowed = video.windowed;
    video.restartForced = false;
}

void ForceVideoRestart()
{
    Video().restartForced = true;
}

bool VideoRestartRequired()
{
    const VideoState& video = Video();
    return video.restartForced || video.currentMode != video.startedMode || video.renderer != video.startedRenderer ||
           video.windowed != video.startedWindowed;
}
