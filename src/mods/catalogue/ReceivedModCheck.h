#pragma once
// What a record from a custom-game master must satisfy before the launcher keeps it:
// its texts lose their control characters, its "gamedir" is a plain directory name
// other than the base game's, the keys the launcher computes itself start at 0, and
// the map and entity names that reach console commands are plain names.
#include "mods/catalogue/CModRecord.h"

inline constexpr size_t kMaxGameDirName = 63;
inline constexpr size_t kMaxMapName = 63;

// True for [A-Za-z0-9_]{1,63} other than the base game directory in any case.
bool IsSafeGameDir(const std::string& name);
// True for a map or entity name of [A-Za-z0-9_.-]{1,63} not starting with '.' or '-'.
bool IsSafeMapName(const std::string& name);
// Removes control characters (below 32, and 127).
std::string StripControl(const std::string& text);
// Cleans the record in place; false when it must be dropped.
bool CheckReceivedMod(CModRecord& record);
