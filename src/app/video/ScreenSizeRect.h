#pragma once
// Where the video options preview draws the picture for a screen size setting: the
// engine's view shrinks with the size and leaves room for its status bar.
struct ScreenRect
{
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// size: the stored screen size (slider × 10, 30 to 120). An empty rectangle for an
// empty area.
ScreenRect ScreenSizeRect(double size, int areaWidth, int areaHeight);
