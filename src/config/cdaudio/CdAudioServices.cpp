#include "config/cdaudio/CdAudioServices.h"

#include "app/engine/LauncherServiceTable.h"
#include "config/cdaudio/CdAudio.h"
#include "config/cdaudio/EngineCdConsole.h"

namespace {

CdAudio* g_audio = nullptr;
EngineCdConsole* g_console = nullptr;

extern "C" {

void CdCommandHandler()
{
    if (g_audio && g_console)
        g_audio->Command(*g_console);
}

void ServiceCdPlay(int track, int looping)
{
    if (g_audio)
        g_audio->Play(track, looping != 0);
}

void ServiceCdPause()
{
    if (g_audio)
        g_audio->Pause();
}

void ServiceCdResume()
{
    if (g_audio)
        g_audio->Resume();
}

void ServiceCdUpdate()
{
    if (g_audio && g_console)
        g_audio->Update(*g_console);
}

void ServiceRegisterCd()
{
    if (g_console)
        g_console->AddCommand("cd", &CdCommandHandler);
}
}

} // namespace

void InstallCdAudioServices(CdAudio* audio, EngineCdConsole* console)
{
    const bool both = audio && console;
    g_audio = both ? audio : nullptr;
    g_console = both ? console : nullptr;
}

void SetCdAudioServiceEntries()
{
    SetLauncherService(kServiceCdPlay, &ServiceCdPlay);
    SetLauncherService(kServiceCdPause, &ServiceCdPause);
    SetLauncherService(kServiceCdResume, &ServiceCdResume);
    SetLauncherService(kServiceCdUpdate, &ServiceCdUpdate);
    SetLauncherService(kServiceRegisterCd, &ServiceRegisterCd);
}

void CancelCdResume()
{
    if (g_audio)
        g_audio->CancelResume();
}
