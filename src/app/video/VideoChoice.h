#pragma once
// The decisions of the video mode dialog: which entries it offers, which it selects,
// and storing an accepted choice.
#include "app/video/VideoModeList.h"

#include <string>
#include <vector>

// Windowed entries for a windowed engine or OpenGL, full-screen entries otherwise.
int WantedModeKind(int renderer, bool windowed);

// Indexes of the entries offered for a renderer and window choice, in list order.
std::vector<int> OfferedModes(const std::vector<VideoMode>& modes, int renderer, bool windowed);

// The entry to select: the current index when offered, else the offered entry with the
// stored width and height, else the first offered one; −1 when nothing is offered.
int DialogModeSelection(const std::vector<VideoMode>& modes, int renderer, bool windowed, int current, int storedWidth,
                        int storedHeight);

struct VideoChoice
{
    int renderer = 1;
    int modeIndex = 0;
    bool windowed = false;
    bool capture = true; // the stored capture choice for a windowed engine
    std::string glDriver;
    std::string d3dDevice;
};

// Records an accepted choice (renderer, mode, record, mouse capture) and writes
// "EngineType", "EngineMode", the mode size and depth, the window and capture values
// and both driver names. Returns true when the windowed choice changed, so that the
// engine window must be made again.
bool ApplyVideoChoice(const VideoChoice& choice);
