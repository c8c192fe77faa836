#pragma once
// Writes the complete demo game tree into a folder:
//   harrow/pak0.pak        maps and player model previews; harrow/liblist.gam
//   vrel/liblist.gam       the game description, option scripts, manual
//   vrel/gfx/shell/        string, colour and key lists and the skin bitmaps
//   vrel/media/            menu sounds and music tracks 2 to 4 (media/cdaudio)
//   logos/                 spray logos of 64, 32 and 16 pixels, and one of 48 the decal refuses
//   vrel/kavcomm.lst (found through the file search), zorvan.inf
#include <QString>

class DemoWorld
{
public:
    static constexpr const char* kBaseDirectory = "harrow";
    static constexpr const char* kGameDirectory = "vrel";
    static constexpr const char* kShellFolder = "vrel/gfx/shell";
    static constexpr double kMusicSeconds = 12.0;
    static constexpr int kMusicTracks = 3; // media/cdaudio/track02.wav to track04.wav

    // False with a reason in error when a file could not be written.
    static bool Write(const QString& root, QString* error);
};
