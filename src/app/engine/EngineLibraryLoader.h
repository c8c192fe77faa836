#pragma once
// Opens engine libraries and finds their one entry point; replaceable in tests.
#include "app/engine/EngineInterface.h"

#include <string>

class EngineLibraryLoader
{
public:
    virtual ~EngineLibraryLoader() = default;
    // A handle, or nullptr when the library cannot be loaded.
    virtual void* Open(const std::string& path) = 0;
    // Sys_EngineAPI of an open library, or nullptr.
    virtual EngineApiFn FindApi(void* handle) = 0;
    virtual void Close(void* handle) = 0;
};

// Shared libraries through dlopen.
class DlopenEngineLoader : public EngineLibraryLoader
{
public:
    void* Open(const std::string& path) override;
    EngineApiFn FindApi(void* handle) override;
    void Close(void* handle) override;
    // dlerror() of the last failed Open, for diagnostics.
    const std::string& LastError() const { return m_lastError; }

private:
    std::string m_lastError;
};
