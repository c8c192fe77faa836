#pragma once
// The saved games of the active game directory, as the load and save lists show them.
#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

struct SaveGameEntry
{
    std::string fileName; // without folder
    std::string mapName;
    std::string title;
    std::string elapsedText; // "mm:ss" from the comment, or "??"
    std::string dateText;    // "%b %d, %I:%M %p", or "??"
    bool quick = false;
    bool autosave = false;
    int64_t fileTime = 0; // last write, milliseconds since the epoch
};

struct SaveGameListing
{
    std::vector<SaveGameEntry> entries; // newest first
    // The folder held more save files when they were read than when they were counted;
    // the extra files are left out.
    bool moreFilesThanCounted = false;
};

inline constexpr int kMaxSaveNumber = 999;
inline constexpr size_t kMaxSaveDateText = 31;

// The game directory's "SAVE" folder, ending with '/'.
std::string SaveFolder();

// Title and elapsed time text from a save comment.
void SplitSaveComment(const std::string& comment, std::string& title, std::string& elapsedText);
// The date text of a save written at the given time (local time), or "??".
std::string SaveDateText(std::optional<std::time_t> writeTime);

// True for the engine's mode-switch saves ("KSSave…"), which are never listed.
bool IsModeSwitchSave(const std::string& fileName);
// False for names that could not stand in a console command ("load %s\n").
bool IsSafeSaveFileName(const std::string& fileName);

// Every "*.sav" of the folder with a valid header, except the mode-switch saves.
SaveGameListing ListSavedGames(const std::string& folder);
SaveGameListing ListSavedGames();

// "Kestrel-%03i.sav" for a number.
std::string NumberedSaveName(int number);
// The first number from 0 to 999 whose numbered save does not exist in the folder;
// 0 when all do.
int NextFreeSaveName(const std::string& folder);
