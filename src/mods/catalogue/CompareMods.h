#pragma once
// Row order of the custom games list.
#include "mods/catalogue/CModRecord.h"

class SortKeyList;

enum ModColumn
{
    kModColumnType = 1,
    kModColumnGame,
    kModColumnVersion,
    kModColumnSize,
    kModColumnRating,
    kModColumnInstalled,
    kModColumnServers,
    kModColumnPlayers,
    kModColumnCount = kModColumnPlayers,
};

// The key shown in a column (1 to 8).
const char* ModColumnKey(int column);
// -1, 0 or 1; direction at or below 0 sorts descending.
int CompareMods(const CModRecord& a, const CModRecord& b, int column, int direction);
// By every key of the list in turn; 0 when all are equal.
int CompareMods(const CModRecord& a, const CModRecord& b, const SortKeyList& keys);
