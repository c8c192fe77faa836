#pragma once
// Process-wide video choice: renderer, mode list, current mode, window options, and
// what the loaded engine was started with (for the restart test).
#include "app/video/VideoModeList.h"
#include "app/video/VideoSettingsRecord.h"

#include <string>
#include <vector>

struct VideoState
{
    int renderer = 1;          // RendererType
    std::string engineLibrary; // library of the renderer; empty for none
    std::string glDriver;
    std::string d3dDevice;
    int modeWidth = 400;
    int modeHeight = 300;
    int modeBpp = 16;
    bool windowed = false;
    bool mouseCapture = true;  // this run's capture, options included
    bool captureChoice = true; // the stored choice ("EngineModeCaptured") for a window
    VideoSettingsRecord record{};

    std::vector<VideoMode> modes;
    int currentMode = 0; // "EngineMode"

    // What the loaded engine was started with; startedRenderer 0 while none runs.
    int startedMode = -1;
    int startedRenderer = 0;
    bool startedWindowed = false;
    bool restartForced = false;
};

VideoState& Video();

// Records the renderer: OpenGL and Direct3D use the hardware library, software the
// software library; any other type also empties the mode list.
void SetRenderer(int type);

// Fills Video().record from the current values.
void FillVideoRecord();

// The mode the engine should use; nullptr when the list is empty.
const VideoMode* CurrentVideoMode();

// Called when an engine starts: later restart tests compare against this.
void NoteEngineVideoStart();
void ForceVideoRestart();
// True when the mode index, renderer or windowed choice differs from what the loaded
// engine was started with, or a restart was forced.
bool VideoRestartRequired();
