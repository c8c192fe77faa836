#include "config/cdaudio/LauncherCdAudio.h"

#include "app/engine/DisplaySwitchHooks.h"
#include "app/engine/EngineHost.h"
#include "app/engine/LauncherClock.h"
#include "app/files/SearchPath.h"
#include "app/settings/CommandLine.h"
#include "config/cdaudio/CdAudio.h"
#include "config/cdaudio/CdAudioServices.h"
#include "config/cdaudio/EngineCdConsole.h"
#include "config/cdaudio/QtTrackPlayback.h"
#include "config/cdaudio/TrackFileCdDevice.h"

#include <memory>

namespace {

struct LauncherMusic
{
    std::unique_ptr<QtTrackPlayback> playback;
    std::unique_ptr<TrackFileCdDevice> device;
    std::unique_ptr<CdAudio> audio;
    std::unique_ptr<EngineCdConsole> console;
};

LauncherMusic& Music()
{
    static LauncherMusic music;
    return music;
}

} // namespace

std::vector<std::string> MusicFolders()
{
    InitSearchPath();
    std::vector<std::string> folders;
    for (const SearchPathEntry& entry : SearchPathEntries())
        if (!entry.pack && !entry.directory.empty())
            folders.push_back(ResolveCaseInsensitive(entry.directory, "media/cdaudio"));
    return folders;
}

void StartLauncherCdAudio()
{
    LauncherMusic& music = Music();
    if (music.audio)
        return;
    music.playback = std::make_unique<QtTrackPlayback>([](CdNotifyResult result) {
        if (Music().audio)
            Music().audio->Notify(result);
    });
    music.device = std::make_unique<TrackFileCdDevice>(MusicFolders(), *music.playback);
    music.audio = std::make_unique<CdAudio>(*music.device, &LauncherSeconds, FindOption("-nocdaudio"));
    music.console = std::make_unique<EngineCdConsole>(TheEngineHost().Table());
    InstallCdAudioServices(music.audio.get(), music.console.get());
    SetCdAudioServiceEntries();
    SetDisplaySwitchHooks([] { Music().audio->BeforeDisplaySwitch(); }, [] { Music().audio->AfterDisplaySwitch(); });
    music.audio->Start();
}

void StopLauncherCdAudio()
{
    LauncherMusic& music = Music();
    if (!music.audio)
        return;
    SetDisplaySwitchHooks(nullptr, nullptr);
    InstallCdAudioServices(nullptr, nullptr);
    music.audio->Shutdown();
    music.audio.reset();
    music.console.reset();
    music.device.reset();
    music.playback.reset();
}
