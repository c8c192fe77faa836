#include "app/video/VideoSettings.h"

#include "app/settings/CommandLine.h"
#include "app/settings/LauncherValues.h"
#include "app/settings/SettingsStore.h"
#include "app/video/RendererType.h"
#include "app/video/VideoState.h"

#include <dlfcn.h>

namespace {

bool GlideLibraryLoads()
{
    for (const char* name : {"glide2x.so", "libglide2x.so"}) {
        if (void* handle = dlopen(name, RTLD_LAZY | RTLD_LOCAL)) {
            dlclose(handle);
            return true;
        }
    }
    return false;
}

LibraryProbe g_glideProbe = &GlideLibraryLoads;

int ReadAndKeep(const char* name, int defaultValue)
{
    const int value = GetSettingInt(kSettingsSection, name, defaultValue);
    SetSettingInt(kSettingsSection, name, value);
    return value;
}

int RendererFromOptions(int type)
{
    if (FindOption("-d3d"))
        type = VT_Direct3D;
    if (FindOption("-gl") || FindOption("-opengl"))
        type = VT_OpenGL;
    if (FindOption("-soft") || FindOption("-software"))
        type = VT_Software;
    return type;
}

} // namespace

void SetGlideProbe(LibraryProbe probe)
{
    g_glideProbe = probe ? probe : &GlideLibraryLoads;
}

bool MouseCaptureThisRun(bool windowed, bool captureChoice)
{
    return !(FindOption("-nowinmouse") || (windowed && !captureChoice));
}

void ReadVideoSettings()
{
    VideoState& video = Video();
    const bool wipe = FindOption("wipe");

    ReadLauncherValues();

    std::string driver = GetSettingString(kSettingsSection, "EngineGLDriver", "");
    std::string value;
    if (FindOption("-gldrv", &value) && !value.empty())
        driver = value;
    if (driver.empty() || wipe)
        driver = g_glideProbe() ? kGlideDriver : kDefaultDriver;
    SetSettingString(kSettingsSection, "EngineGLDriver", driver);
    video.glDriver = driver;

    std::string device = GetSettingString(kSettingsSection, "EngineD3DDevice", "");
    if (device.empty() || wipe)
        device = kDefaultDriver;
    SetSettingString(kSettingsSection, "EngineD3DDevice", device);
    video.d3dDevice = device;

    int type = RendererFromOptions(GetSettingInt(kSettingsSection, "EngineType", VT_Software));
    if (type < VT_Software || type > VT_Direct3D || wipe) {
        type = VT_Software;
        SetSettingInt(kSettingsSection, "EngineType", type);
    }
    SetRenderer(type);
    SetSettingInt(kSettingsSection, "EngineType", type);

    video.modeWidth = ReadAndKeep("EngineModeW", 400);
    video.modeHeight = ReadAndKeep("EngineModeH", 300);
    video.modeBpp = ReadAndKeep("EngineModeBPP", 16);
    const int captured = ReadAndKeep("EngineModeCaptured", 1);
    ReadAndKeep("A3D Support", 0);

    bool windowed = GetSettingInt(kSettingsSection, "EngineModeWindowed", 0) != 0;
    if (FindOption("-windowed") || FindOption("-win") || FindOption("-sw") || FindOption("-startwindowed")) {
        windowed = true;
        SetSettingInt(kSettingsSection, "EngineAllowWindowed", 1);
    }
    if (FindOption("-full") || FindOption("-fullscreen"))
        windowed = false;
    SetSettingInt(kSettingsSection, "EngineModeWindowed", windowed ? 1 : 0);
    video.windowed = windowed;
    video.captureChoice = captured != 0;
    video.mouseCapture = MouseCaptureThisRun(windowed, video.captureChoice);

    FillVideoRecord();
}
