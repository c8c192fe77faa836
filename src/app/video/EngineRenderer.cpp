#include "app/video/EngineRenderer.h"

#include "app/settings/SettingsStore.h"

int EngineRendererType()
{
    const int type = GetSettingInt(kSettingsSection, "EngineType", kRendererSoftware);
    return type >= kRendererSoftware && type <= kRendererDirect3D ? type : kRendererSoftware;
}

std::string EngineLibraryFor(int renderer)
{
    return renderer == kRendererOpenGL || renderer == kRendererDirect3D ? kHardwareLibrary : kSoftwareLibrary;
}

int NoWindowMessageFor(int renderer)
{
    switch (renderer) {
    case kRendererOpenGL:
        return 428;
    case kRendererDirect3D:
        return 429;
    default:
        return 430;
    }
}
