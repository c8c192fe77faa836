#pragma once
// The running program's music: the track files of the game's music folders played
// through Qt Multimedia, the worker started by the host checks and stopped at shut-down,
// the engine services and the display-switch hooks.
#include <vector>
#include <string>

// The folders "media/cdaudio" of the loose game directories, in search order.
std::vector<std::string> MusicFolders();

// Creates the device, starts the worker (which does nothing with "-nocdaudio"),
// fills entries 14 to 18 of the service table and registers the display-switch hooks.
void StartLauncherCdAudio();
// Stops the worker and takes the services and hooks away.
void StopLauncherCdAudio();
