#include "app/engine/VideoServices.h"

#include "app/engine/LauncherServiceTable.h"
#include "app/video/EngineSurface.h"
#include "app/video/SurfaceCache.h"
#include "app/video/VideoState.h"

#include <algorithm>
#include <climits>
#include <string>

namespace {

bool g_direct3DActive = true;

const VideoMode* ModeAt(int index)
{
    const std::vector<VideoMode>& modes = Video().modes;
    if (index < 0 || size_t(index) >= modes.size())
        return nullptr;
    return &modes[size_t(index)];
}

extern "C" {

const void* ServiceVideoSettings()
{
    return &Video().record;
}

int ServiceModeCount()
{
    return int(Video().modes.size());
}

int ServiceCurrentMode()
{
    return Video().currentMode;
}

// The text stays valid until the next call.
const char* ServiceModeDescription(int index)
{
    static std::string text;
    const VideoMode* mode = ModeAt(index);
    text = mode ? VideoModeDescription(*mode) : std::string();
    return text.c_str();
}

int ServiceSetUpSurface(int index)
{
    const VideoMode* mode = ModeAt(index);
    if (!mode) {
        TheEngineSurface().Release();
        return 0;
    }
    return TheEngineSurface().SetUp(*mode) ? 1 : 0;
}

void* ServiceLockSurface(int* pitch)
{
    return TheEngineSurface().Lock(pitch);
}

void ServiceUnlockSurface()
{
    TheEngineSurface().Unlock();
}

int ServiceSurfaceDescription(void* description)
{
    if (!description)
        return 0;
    return TheEngineSurface().Describe(*static_cast<EngineSurfaceDescription*>(description)) ? 1 : 0;
}

void ServiceReleaseSurface()
{
    TheEngineSurface().Release();
}

// Nothing on the desktop is lost while the application is inactive, so the hook only
// keeps the state.
void ServiceDirect3DActivation(int active)
{
    g_direct3DActive = active != 0;
}

int ServiceSurfaceCache(int width, int height)
{
    const int64_t bytes = SurfaceCacheSize(std::max(width, 0), std::max(height, 0));
    return int(std::min<int64_t>(bytes, INT_MAX));
}
}

} // namespace

void SetVideoServices()
{
    SetLauncherService(kServiceVideoSettings, &ServiceVideoSettings);
    SetLauncherService(kServiceModeCount, &ServiceModeCount);
    SetLauncherService(kServiceCurrentMode, &ServiceCurrentMode);
    SetLauncherService(kServiceModeDescription, &ServiceModeDescription);
    SetLauncherService(kServiceSetUpSurface, &ServiceSetUpSurface);
    SetLauncherService(kServiceLockSurface, &ServiceLockSurface);
    SetLauncherService(kServiceUnlockSurface, &ServiceUnlockSurface);
    SetLauncherService(kServiceSurfaceDescription, &ServiceSurfaceDescription);
    SetLauncherService(kServiceReleaseSurface, &ServiceReleaseSurface);
    SetLauncherService(kServiceD3DActivation, &ServiceDirect3DActivation);
    SetLauncherService(kServiceSurfaceCache, &ServiceSurfaceCache);
}

bool Direct3DActive()
{
    return g_direct3DActive;
}
