#include "app/video/RendererType.h"

const char* RendererName(int type)
{
    switch (type) {
    case VT_None:
        return "VT_None";
    case VT_Software:
        return "VT_Software";
    case VT_OpenGL:
        return "VT_OpenGL";
    case VT_Direct3D:
        return "VT_Direct3D";
    default:
        return "Unknown";
    }
}

const char* RendererLibrary(int type)
{
    switch (type) {
    case VT_Software:
        return kSoftwareEngineLibrary;
    case VT_OpenGL:
    case VT_Direct3D:
        return kHardwareEngineLibrary;
    default:
        return nullptr;
    }
}
