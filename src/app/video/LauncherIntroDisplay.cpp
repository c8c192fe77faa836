#include "app/video/LauncherIntroDisplay.h"

#include "app/video/VideoDisplay.h"
#include "app/video/VideoState.h"

bool LauncherIntroDisplay::Windowed()
{
    return Video().windowed;
}

void LauncherIntroDisplay::Release()
{
    ReleaseDirectDraw();
}

bool LauncherIntroDisplay::Initialise()
{
    return AcquireDirectDraw(true);
}

void LauncherIntroDisplay::SetLauncherMode()
{
    SetDisplayMode(-1);
}

void InstallIntroDisplay()
{
    static LauncherIntroDisplay display;
    SetIntroDisplay(&display);
}
