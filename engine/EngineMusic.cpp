#include "EngineMusic.h"

#include "app/engine/EngineInterface.h"

void EngineMusic::Attach(const void* services)
{
    m_services = static_cast<const uintptr_t*>(services);
}

void EngineMusic::Register()
{
    if (const auto registerCd = Service<LauncherVoidFn>(kServiceRegisterCd))
        registerCd();
}

void EngineMusic::Frame()
{
    if (const auto update = Service<LauncherVoidFn>(kServiceCdUpdate))
        update();
}

void EngineMusic::MapStarted()
{
    if (const auto play = Service<LauncherCdPlayFn>(kServiceCdPlay))
        play(kMapTrack, 1);
}

void EngineMusic::GameEnded()
{
    if (const auto pause = Service<LauncherVoidFn>(kServiceCdPause))
        pause();
}
