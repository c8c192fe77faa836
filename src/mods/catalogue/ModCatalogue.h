#pragma once
// The installed custom games, the base game's record and the active game.
#include "mods/catalogue/CModRecord.h"

#include <functional>
#include <string>

inline constexpr const char* kBaseGameDirectory = "harrow";
inline constexpr int kMsgEndGameInProgress = 240;

ModList& InstalledMods();
CModRecord* BaseGameRecord();
CModRecord* CurrentMod();

// Rebuilds the installed list from the game directories under baseDirectory (names
// kept in upper case), and the active game from the command line's "-game".
void ScanInstalledMods(const std::string& baseDirectory);
// Forgets every record (tests, shutdown).
void ClearInstalledMods();

// What changing the active game needs from the layers above: saving the player
// configuration while the old game directory is still in force, and refreshing the
// main menu. The launcher installs them at start-up; unset ones do nothing.
struct ModHooks
{
    std::function<void()> savePlayerConfig;
    std::function<void()> refreshMenu;
    // True when a game is running (asks before ending it); unset: none.
    std::function<bool()> gameInProgress;
    // Sends "disconnect" and runs one engine frame.
    std::function<void()> endGame;
};
ModHooks& CurrentModHooks();

// Makes record (one of InstalledMods(), or nullptr for the base game) the active game:
// "-game" follows it and the file search is reset. False when the player declined to
// end a game in progress.
bool SetCurrentMod(CModRecord* record);
// Clears the active game without touching "-game" (the base game's record was active).
void ForgetCurrentMod();
// The game directory of the active record as it exists below baseDirectory.
std::string GameDirectoryPath(const std::string& baseDirectory, const std::string& gamedir);
