#include "app/engine/EngineLibraryLoader.h"

#include <dlfcn.h>

void* DlopenEngineLoader::Open(const std::string& path)
{
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* error = dlerror();
        m_lastError = error ? error : "";
    }
    return handle;
}

EngineApiFn DlopenEngineLoader::FindApi(void* handle)
{
    return reinterpret_cast<EngineApiFn>(dlsym(handle, kEngineApiSymbol));
}

void DlopenEngineLoader::Close(void* handle)
{
    if (handle)
        dlclose(handle);
}
