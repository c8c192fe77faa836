#pragma once
// Screen resolutions from the X server's RandR extension.
#include <vector>

struct ScreenResolution
{
    int width = 0;
    int height = 0;
    int refreshRate = 0; // Hz
};

// False when no X display can be opened or it lacks RandR; out is then untouched.
// Each resolution appears once, with its highest refresh rate.
bool QueryXRandrResolutions(std::vector<ScreenResolution>& out);
