#pragma once
// The short sounds buttons and menus make. Each has a base name; the file
// "media/<name>.wav" is found among the loose files of the game directories (else the
// base directory) and played through the current sound output.
#include <string>

enum MenuSoundId : int
{
    kSoundSelect1 = 0,
    kSoundSelect2 = 1,
    kSoundUpMenu = 2,
    kSoundDownMenu = 3,
    kSoundGlow = 4,
    kSoundDeny1 = 5,
    kSoundDeny2 = 6,
};

inline constexpr int kMenuSoundEmptyName = 70;

// The base name for an id; unknown ids sound like a refusal ("launch_deny1").
const char* MenuSoundBaseName(int id);
// The path of the sound file for a base name.
std::string MenuSoundPath(const std::string& baseName);

// Plays a menu sound; one that cannot be found or played is skipped silently.
void PlayMenuSound(int id);
// Plays "media/<baseName>.wav"; an empty name shows message 70. True when played.
bool PlayNamedSound(const std::string& baseName);
