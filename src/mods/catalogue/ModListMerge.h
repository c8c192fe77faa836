#pragma once
// The custom games dialog's list: the installed games merged with those a custom-game
// master offers, and the rows it shows.
#include "mods/catalogue/CModRecord.h"

#include <vector>

class SortKeyList;

// Copies of the installed records, with every offered record merged in by "gamedir"
// (its keys overwrite the copy's) or added in front; offered games that are installed
// get "installed" 1, and "newversion" 1 when the installed "version" is lower as an
// integer. "servers" and "players" start at 0 on every record.
ModList MergeOfferedMods(const ModList& installed, const ModList& offered);
// The records shown as rows (the base game's is not), sorted by the keys.
std::vector<CModRecord*> ModRows(ModList& list, const SortKeyList& keys);
